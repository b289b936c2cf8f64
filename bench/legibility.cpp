#include "legibility.h"

#include <cstdlib>

#include "scene/views.h"

namespace {

const float kDesignUnit = 0.0009765625f;  // 1/1024 of the screen, as the overlay lays out
const float kGreetingsLeft = 600.0f;      // design units
const float kGreetingsWidth = 400.0f;     // design units

}  // namespace

CPIXELAREA GreetingsArea(int width, int height)
{
    const float unitX = width * kDesignUnit;
    const int left = static_cast<int>(kGreetingsLeft * unitX);
    const int columns = static_cast<int>(kGreetingsWidth * unitX);
    // The viewport counts GL rows from the bottom; image rows count from the top.
    const CVIEWPORT band = LetterboxViewport(static_cast<uint32_t>(width), static_cast<uint32_t>(height));
    const int top = height - (band.y + band.height);
    CPIXELAREA area = {left, top, left + columns, top + band.height};
    if (area.x1 > width) area.x1 = width;
    if (area.y0 < 0) area.y0 = 0;
    if (area.y1 > height) area.y1 = height;
    return area;
}

double AreaMean(const unsigned char* rgb, int width, CPIXELAREA area)
{
    if (area.x1 <= area.x0 || area.y1 <= area.y0) return 0.0;
    double sum = 0.0;
    for (int y = area.y0; y < area.y1; ++y) {
        const unsigned char* row = rgb + (static_cast<size_t>(y) * width + area.x0) * 3;
        unsigned long rowSum = 0;
        for (int i = 0; i < (area.x1 - area.x0) * 3; ++i) rowSum += row[i];
        sum += static_cast<double>(rowSum);
    }
    const double values = 3.0 * (area.x1 - area.x0) * static_cast<double>(area.y1 - area.y0);
    return sum / values;
}

bool FrameTimeFromName(const std::string& path, double* timeMs)
{
    const size_t slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    // Seven digits, a point, two digits, ".png".
    const char* const shape = "ddddddd.dd.png";
    if (name.size() != 14) return false;
    for (size_t i = 0; i < name.size(); ++i) {
        const bool digit = name[i] >= '0' && name[i] <= '9';
        if (shape[i] == 'd' ? !digit : name[i] != shape[i]) return false;
    }
    *timeMs = std::strtod(name.substr(0, 10).c_str(), nullptr);
    return true;
}

double CLEGIBILITYSUMMARY::LegiblePercent() const
{
    return frames > 0 ? 100.0 * legible / frames : 0.0;
}

CLEGIBILITYSUMMARY SummariseLegibility(const std::vector<CLEGIBILITYSAMPLE>& samples)
{
    CLEGIBILITYSUMMARY summary;
    bool inRun = false;
    for (const CLEGIBILITYSAMPLE& s : samples) {
        ++summary.frames;
        if (s.mean < kLegibleBelow) {
            ++summary.legible;
            inRun = false;
            continue;
        }
        if (inRun) {
            summary.illegible.back().toMs = s.timeMs;
        } else {
            summary.illegible.push_back(CILLEGIBLERUN{s.timeMs, s.timeMs});
            inRun = true;
        }
    }
    return summary;
}
