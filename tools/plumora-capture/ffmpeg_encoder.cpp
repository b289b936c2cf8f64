#include "ffmpeg_encoder.h"

#include "platform/files.h"
#include "platform/termination.h"

#include <deque>

const char* const FFMPEG_PROGRAM = "ffmpeg";
const char* const FFMPEG_PACKAGE = "ffmpeg";

namespace {

// How often a waiting capture looks for a termination request, in ms.
const int WAIT_SLICE_MS = 100;
// The most of the log read for its tail, in bytes.
const int64_t LOG_TAIL_BYTES = 16384;

// The last `bytes` bytes of the file at path (all of a shorter one).
std::string ReadEnd(const std::string& path, int64_t bytes)
{
    PLATFORMFILE file = PlatformOpenRead(path.c_str());
    if (file == PLATFORM_NO_FILE) return std::string();
    int64_t size = PlatformFileSize(file);
    std::string text;
    if (size > 0) {
        int64_t start = size > bytes ? size - bytes : 0;
        text.resize(static_cast<size_t>(size - start));
        int64_t got = PlatformSeek(file, start) ? PlatformRead(file, &text[0], text.size()) : -1;
        text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    }
    PlatformClose(file);
    return text;
}

}  // namespace

CFFMPEGENCODER::~CFFMPEGENCODER()
{
    if (program.id >= 0) PlatformEndProgram(&program, FFMPEG_END_MS);
}

bool CFFMPEGENCODER::Start(const std::string& path, const std::vector<std::string>& args,
                           const std::string& log, std::string* error)
{
    logPath = log;
    return PlatformStartProgram(path, args, log.c_str(), &program, error);
}

bool CFFMPEGENCODER::Write(const void* data, size_t size)
{
    return program.input != PLATFORM_NO_FILE && PlatformWrite(program.input, data, size);
}

int CFFMPEGENCODER::Finish()
{
    PlatformCloseProgramInput(&program);
    for (;;) {
        int status = PlatformWaitProgram(&program, WAIT_SLICE_MS);
        if (program.id < 0) return status;
        if (PlatformTerminationRequested() != 0) return PlatformEndProgram(&program, FFMPEG_END_MS);
    }
}

int CFFMPEGENCODER::Stop()
{
    // ffmpeg takes SIGTERM as "finish now": it stops reading, completes the
    // file it writes and ends, rather than padding the sound to its full
    // planned length first as it would at the end of its input.
    return PlatformEndProgram(&program, FFMPEG_FINISH_MS);
}

std::string CFFMPEGENCODER::LogTail(size_t lines) const
{
    std::string text = ReadEnd(logPath, LOG_TAIL_BYTES);
    std::deque<std::string> kept;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) kept.push_back(line);
        if (kept.size() > lines) kept.pop_front();
        start = end + 1;
    }
    std::string tail;
    for (const std::string& line : kept) tail += "  ffmpeg: " + line + "\n";
    return tail;
}
