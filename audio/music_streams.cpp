#include "music_streams.h"

#include "audio_output.h"
#include "report_once.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <climits>
#include <vector>

namespace {

struct Stream {
    uint32_t handle;
    Mix_Music* music;
    uint32_t flags;
    // A file range read into memory; the vector's buffer keeps its address
    // when `streams` grows, because Stream moves without copying.
    std::vector<unsigned char> bytes;
};

std::vector<Stream> streams;
uint32_t nextHandle = 1;
uint32_t playingHandle = 0;

Stream* FindStream(uint32_t handle)
{
    for (Stream& stream : streams) {
        if (stream.handle == handle) {
            return &stream;
        }
    }
    return nullptr;
}

// Reads `length` bytes (0 = up to the end) from `offset` of the file.
bool ReadFileRange(const char* path, uint64_t offset, uint64_t length, std::vector<unsigned char>& bytes)
{
    SDL_RWops* rw = SDL_RWFromFile(path, "rb");
    if (!rw) {
        return false;
    }
    const Sint64 size = SDL_RWsize(rw);
    const uint64_t left = size >= 0 && offset <= uint64_t(size) ? uint64_t(size) - offset : 0;
    const uint64_t count = length != 0 ? length : left;
    bool ok = count != 0 && count <= left && count <= uint64_t(INT_MAX);
    if (ok) {
        bytes.resize(count);
        ok = SDL_RWseek(rw, Sint64(offset), RW_SEEK_SET) >= 0 &&
             SDL_RWread(rw, bytes.data(), 1, count) == count;
    }
    SDL_RWclose(rw);
    if (!ok) {
        SDL_SetError("the range (offset %llu, length %llu) is empty, outside the file or unreadable",
                     static_cast<unsigned long long>(offset), static_cast<unsigned long long>(length));
    }
    return ok;
}

SDL_RWops* OpenMemory(const MusicSource& source)
{
    if (source.length == 0 || source.length > uint64_t(INT_MAX)) {
        SDL_SetError("a memory stream needs a length between 1 and %d bytes", INT_MAX);
        return nullptr;
    }
    const char* start = static_cast<const char*>(source.file) + source.offset;
    return SDL_RWFromConstMem(start, static_cast<int>(source.length));
}

// The byte source of a stream; a file range is first read into `bytes`.
SDL_RWops* OpenSource(const MusicSource& source, std::vector<unsigned char>& bytes)
{
    if (!source.file) {
        SDL_SetError("no file name or memory block given");
        return nullptr;
    }
    if (source.inMemory) {
        return OpenMemory(source);
    }
    const char* path = static_cast<const char*>(source.file);
    if (source.offset == 0 && source.length == 0) {
        return SDL_RWFromFile(path, "rb");
    }
    if (!ReadFileRange(path, source.offset, source.length, bytes)) {
        return nullptr;
    }
    return SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
}

const char* DescribeSource(const MusicSource& source)
{
    if (source.inMemory || !source.file) {
        return "music from memory";
    }
    return static_cast<const char*>(source.file);
}

uint32_t TakeHandle()
{
    const uint32_t handle = nextHandle++;
    if (nextHandle == 0) {
        nextHandle = 1;
    }
    return handle;
}

}  // namespace

uint32_t CreateMusicStream(const MusicSource& source, uint32_t flags)
{
    if (!AudioOutputIsOpen()) {
        ReportOnce(AudioProblem::BadCall, "a stream was requested before BASS_Init succeeded");
        return 0;
    }
    Stream stream{0, nullptr, flags, {}};
    SDL_RWops* rw = OpenSource(source, stream.bytes);
    stream.music = rw ? Mix_LoadMUS_RW(rw, 1) : nullptr;
    if (!stream.music) {
        ReportOnce(AudioProblem::MissingStream, "cannot open %s: %s; running silent", DescribeSource(source),
                   Mix_GetError());
        return 0;
    }
    stream.handle = TakeHandle();
    streams.push_back(std::move(stream));
    return streams.back().handle;
}

bool PlayMusicStream(uint32_t handle, bool restart)
{
    Stream* stream = FindStream(handle);
    if (!stream) {
        return false;
    }
    if (!restart && handle == playingHandle && Mix_PlayingMusic()) {
        Mix_ResumeMusic();
        return true;
    }
    const int loops = (stream->flags & kBassSampleLoop) != 0 ? -1 : 0;
    if (Mix_PlayMusic(stream->music, loops) != 0) {
        ReportOnce(AudioProblem::BadCall, "cannot play a stream: %s", Mix_GetError());
        return false;
    }
    playingHandle = handle;
    return true;
}

bool FreeMusicStream(uint32_t handle)
{
    Stream* stream = FindStream(handle);
    if (!stream) {
        return false;
    }
    if (handle == playingHandle) {
        Mix_HaltMusic();
        playingHandle = 0;
    }
    Mix_FreeMusic(stream->music);
    streams.erase(streams.begin() + (stream - streams.data()));
    return true;
}

void FreeAllMusicStreams()
{
    while (!streams.empty()) {
        FreeMusicStream(streams.back().handle);
    }
}
