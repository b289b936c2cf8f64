#include "video_phases.h"

#include <cstdio>

namespace {

const char* const PHASE_NAMES[VIDEO_PHASES] = {"draw", "read-back", "write"};
const char* const PHASE_KEYS[VIDEO_PHASES] = {"draw_ms", "read_ms", "write_ms"};

std::string Format(const char* format, double a, double b = 0.0)
{
    char text[96];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

double PerFrameMs(double seconds, long frames)
{
    return frames > 0 ? seconds * 1000.0 / static_cast<double>(frames) : 0.0;
}

}  // namespace

std::string FormatVideoReport(const CVIDEOBENCHOPTIONS& o, const CVIDEOPHASES& p)
{
    double fps = p.wallSeconds > 0.0 ? static_cast<double>(p.frames) / p.wallSeconds : 0.0;
    // Seconds of wall time per second of video: the video's rate over ours.
    double perVideoSecond = fps > 0.0 ? o.fps / fps : 0.0;
    std::string size = std::to_string(o.width) + "x" + std::to_string(o.height);
    std::string human = size + ", depth " + std::to_string(o.depth) +
                        (p.overlapped ? " (pixel buffer objects)" : " (read at once)") + ": " +
                        std::to_string(p.frames) + " frames in " +
                        Format("%.2f s, %.1f fps", p.wallSeconds, fps) +
                        Format(", %.2f s per second of video; per frame:", perVideoSecond);
    std::string keys = "size=" + size + " depth=" + std::to_string(o.depth) +
                       " overlapped=" + (p.overlapped ? "1" : "0") + " frames=" + std::to_string(p.frames) +
                       Format(" wall_s=%.3f fps=%.2f", p.wallSeconds, fps);
    double accounted = 0.0;
    for (int phase = 0; phase < VIDEO_PHASES; ++phase) {
        double share = p.wallSeconds > 0.0 ? 100.0 * p.seconds[phase] / p.wallSeconds : 0.0;
        human += std::string(phase ? ", " : " ") + PHASE_NAMES[phase] +
                 Format(" %.2f ms (%.0f%%)", PerFrameMs(p.seconds[phase], p.frames), share);
        keys +=
            std::string(" ") + PHASE_KEYS[phase] + Format("=%.3f", PerFrameMs(p.seconds[phase], p.frames));
        accounted += p.seconds[phase];
    }
    human += Format(", other %.2f ms", PerFrameMs(p.wallSeconds - accounted, p.frames));
    return human + "\n" + keys + "\n";
}
