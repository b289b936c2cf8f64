#include "music_streams.h"

#include "../report_once.h"
#include "acm_decoder.h"
#include "mp3_frames.h"
#include "wave_player.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

namespace {

struct CSTREAM {
    uint32_t handle = 0;
    bool loop = false;
    std::vector<uint8_t> bytes;
    CACMDECODER decoder;
    CWAVEPLAYER player;
};

// Deliberately never destroyed: a player's worker ends by releasing this
// DLL, and an unload from there must not wait for that same worker.
struct CSTATE {
    std::vector<std::unique_ptr<CSTREAM>> streams;
    uint32_t nextHandle = 1;
    bool open = false;
    bool silent = false;
};

CSTATE& State()
{
    static CSTATE* state = new CSTATE;
    return *state;
}

CSTREAM* FindStream(uint32_t handle)
{
    for (auto& stream : State().streams) {
        if (handle != 0 && stream->handle == handle) return stream.get();
    }
    return nullptr;
}

// Reads `length` bytes (0 = to the end) from `offset` of the file at path.
bool ReadFileRange(const char* path, uint64_t offset, uint64_t length, std::vector<uint8_t>& bytes)
{
    std::FILE* file = std::fopen(path, "rb");
    if (!file) return false;
    bool ok = _fseeki64(file, 0, SEEK_END) == 0;
    const int64_t size = ok ? _ftelli64(file) : -1;
    const uint64_t left = size >= 0 && offset <= uint64_t(size) ? uint64_t(size) - offset : 0;
    const uint64_t count = length != 0 ? length : left;
    ok = ok && count != 0 && count <= left && count <= kMaxStreamBytes;
    if (ok) {
        bytes.resize(static_cast<size_t>(count));
        ok = _fseeki64(file, static_cast<int64_t>(offset), SEEK_SET) == 0 &&
             std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
    }
    std::fclose(file);
    return ok;
}

bool ReadSource(const CMUSICSOURCE& source, std::vector<uint8_t>& bytes)
{
    if (!source.file) return false;
    if (!source.inMemory)
        return ReadFileRange(static_cast<const char*>(source.file), source.offset, source.length, bytes);
    if (source.length == 0 || source.length > kMaxStreamBytes) return false;
    // The block must lie inside the address space: no wrap past its end.
    const uintptr_t base = reinterpret_cast<uintptr_t>(source.file);
    if (source.offset > UINTPTR_MAX - base || source.length > UINTPTR_MAX - base - source.offset)
        return false;
    const uint8_t* start = static_cast<const uint8_t*>(source.file) + source.offset;
    bytes.assign(start, start + source.length);
    return true;
}

const char* Describe(const CMUSICSOURCE& source)
{
    return source.inMemory || !source.file ? "music from memory" : static_cast<const char*>(source.file);
}

uint32_t TakeHandle()
{
    uint32_t& next = State().nextHandle;
    const uint32_t handle = next++;
    if (next == 0) next = 1;
    return handle;
}

// Opens the stream's decoder on its bytes; false after reporting why.
bool OpenDecoder(CSTREAM& stream, const CMUSICSOURCE& source)
{
    size_t first = 0;
    CMP3HEADER header{};
    if (!FindFirstMp3Frame(stream.bytes.data(), stream.bytes.size(), &first, &header)) {
        ReportOnce(AudioProblem::MissingStream, "cannot open %s: no MPEG layer III frames; running silent",
                   Describe(source));
        return false;
    }
    if (!stream.decoder.Open(stream.bytes.data(), stream.bytes.size(), first, header)) {
        ReportOnce(AudioProblem::NoDecoder,
                   "no MP3 decoder in the Audio Compression Manager for %d Hz, %d channels",
                   header.sampleRate, header.channels);
        return false;
    }
    return true;
}

}  // namespace

void OpenMusicOutput(uint32_t frequency, bool silent)
{
    CSTATE& state = State();
    if (state.open) return;
    unsigned int error = 0;
    if (!silent && !WaveDeviceAvailable(frequency == 0 || frequency > 384000 ? 44100 : frequency, &error)) {
        ReportOnce(AudioProblem::NoDevice, "no sound device (waveOutOpen error %u); running silent", error);
        silent = true;
    }
    state.open = true;
    state.silent = silent;
}

bool MusicOutputIsOpen()
{
    return State().open;
}

uint32_t CreateMusicStream(const CMUSICSOURCE& source, uint32_t flags)
{
    if (!State().open) {
        ReportOnce(AudioProblem::BadCall, "a stream was requested before BASS_Init succeeded");
        return 0;
    }
    auto stream = std::unique_ptr<CSTREAM>(new (std::nothrow) CSTREAM);
    if (!stream) return 0;
    try {
        if (!ReadSource(source, stream->bytes)) {
            ReportOnce(AudioProblem::MissingStream,
                       "cannot open %s: missing, unreadable or an empty range; running silent",
                       Describe(source));
            return 0;
        }
        if (!OpenDecoder(*stream, source)) return 0;
        stream->loop = (flags & kBassSampleLoop) != 0;
        stream->handle = TakeHandle();
        State().streams.push_back(std::move(stream));
    } catch (const std::bad_alloc&) {
        ReportOnce(AudioProblem::MissingStream, "cannot open %s: out of memory", Describe(source));
        return 0;
    }
    return State().streams.back()->handle;
}

bool PlayMusicStream(uint32_t handle, bool restart)
{
    CSTREAM* stream = FindStream(handle);
    if (!stream) return false;
    if (State().silent) return true;
    if (!restart && stream->player.Playing()) return true;
    stream->player.Stop();
    stream->decoder.Rewind();
    unsigned int error = 0;
    if (!stream->player.Start(&stream->decoder, stream->loop, &error)) {
        ReportOnce(AudioProblem::BadCall, "cannot play a stream (waveOutOpen error %u)", error);
        return false;
    }
    return true;
}

bool FreeMusicStream(uint32_t handle)
{
    auto& streams = State().streams;
    for (auto it = streams.begin(); it != streams.end(); ++it) {
        if (handle == 0 || (*it)->handle != handle) continue;
        (*it)->player.Stop();
        streams.erase(it);
        return true;
    }
    return false;
}
