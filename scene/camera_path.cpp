// Reading the camera path file: a header "word count", then per track
// "word keyCount" and per key "word time word ex ey ez word tx ty tz".
// Counts are checked against the bytes left in the file before anything is
// allocated for them, so a corrupt count cannot ask for gigabytes.
#include <cmath>
#include <cstdio>
#include <new>

#include "scene/camera.h"

namespace {

// The fewest bytes a track header ("w 0") and a key (11 one-character
// tokens with blanks between) can take in the file.
const long MIN_TRACK_BYTES = 3;
const long MIN_KEY_BYTES = 21;

struct PathFile {
    FILE* file;
    const char* name;
    long end;  // file size in bytes
};

enum TrackResult {
    TRACK_WHOLE,  // every key read
    TRACK_EMPTY,  // no keys: left out, reading goes on
    TRACK_CUT,    // some keys read, then a bad one: kept, reading stops
    TRACK_BAD,    // nothing usable: left out, reading stops
};

long FileEnd(FILE* file) {
    if (std::fseek(file, 0, SEEK_END) != 0) {
        return 0;
    }
    long end = std::ftell(file);
    std::rewind(file);
    return end < 0 ? 0 : end;
}

// Reads "word count" and checks that count items of minBytes each still fit.
bool ReadCount(const PathFile& in, uint32_t& count, long minBytes) {
    if (std::fscanf(in.file, "%*s %u", &count) != 1) {
        return false;
    }
    long left = in.end - std::ftell(in.file);
    return left >= 0 && count <= static_cast<unsigned long>(left / minBytes);
}

bool ReadKey(FILE* file, uint32_t& time, CVECTOR& eye, CVECTOR& target) {
    int fields = std::fscanf(file, "%*s %u %*s %f %f %f %*s %f %f %f", &time, &eye.x, &eye.y,
                             &eye.z, &target.x, &target.y, &target.z);
    return fields == 7 && std::isfinite(eye.x) && std::isfinite(eye.y) &&
           std::isfinite(eye.z) && std::isfinite(target.x) && std::isfinite(target.y) &&
           std::isfinite(target.z);
}

// Reads the keys of one allocated track; a bad key cuts the track there.
TrackResult ReadKeys(const PathFile& in, uint32_t trackNumber, CCAMTRACK& track) {
    uint32_t count = track.eyePath.keyCount;
    bool ascending = true;
    for (uint32_t k = 0; k < count; ++k) {
        uint32_t time;
        CVECTOR eye, target;
        if (!ReadKey(in.file, time, eye, target)) {
            std::fprintf(stderr, "%s: track %u, key %u is missing or malformed; the path ends there\n",
                         in.name, trackNumber, k + 1);
            track.Truncate(k);
            return k > 0 ? TRACK_CUT : TRACK_BAD;
        }
        if (k > 0 && time < track.eyePath.keyTimes[k - 1] && ascending) {
            std::fprintf(stderr, "%s: track %u, key %u: key times do not ascend\n", in.name,
                         trackNumber, k + 1);
            ascending = false;
        }
        track.SetKey(k, eye, target, time);
    }
    return TRACK_WHOLE;
}

// trackNumber counts from 1, as a reader of the file would.
TrackResult ReadTrack(const PathFile& in, uint32_t trackNumber, CCAMTRACK& track) {
    uint32_t count;
    if (!ReadCount(in, count, MIN_KEY_BYTES)) {
        std::fprintf(stderr, "%s: track %u has a missing or impossible key count; the path ends there\n",
                     in.name, trackNumber);
        return TRACK_BAD;
    }
    if (count == 0) {
        std::fprintf(stderr, "%s: track %u has no keys; ignored\n", in.name, trackNumber);
        return TRACK_EMPTY;
    }
    if (!track.Allocate(count)) {
        std::fprintf(stderr, "%s: track %u: out of memory for %u keys\n", in.name, trackNumber,
                     count);
        return TRACK_BAD;
    }
    return ReadKeys(in, trackNumber, track);
}

// Reads every track into list; returns how many were kept.
uint32_t ReadTracks(const PathFile& in, CCAMTRACK* list, uint32_t count, bool& whole) {
    uint32_t kept = 0;
    for (uint32_t i = 0; i < count; ++i) {
        TrackResult result = ReadTrack(in, i + 1, list[kept]);
        if (result != TRACK_WHOLE) {
            whole = false;
        }
        if (result == TRACK_WHOLE || result == TRACK_CUT) {
            ++kept;
        }
        if (result == TRACK_CUT || result == TRACK_BAD) {
            break;
        }
    }
    return kept;
}

}  // namespace

int CCAMERA::ReadPath(const char* fileName) {
    FreePath();
    currentTrack = 0;
    FILE* file = std::fopen(fileName, "r");
    if (file == nullptr) {
        std::fprintf(stderr, "%s: cannot open the camera path; the camera stays still\n", fileName);
        return 0;
    }
    PathFile in{file, fileName, FileEnd(file)};
    uint32_t count = 0;
    bool whole = false;
    if (!ReadCount(in, count, MIN_TRACK_BYTES)) {
        std::fprintf(stderr, "%s: missing or impossible track count; the camera stays still\n",
                     fileName);
    } else if ((trackList = new (std::nothrow) CCAMTRACK[count]) == nullptr) {
        std::fprintf(stderr, "%s: out of memory for %u tracks\n", fileName, count);
    } else {
        whole = true;
        trackCount = ReadTracks(in, trackList, count, whole);
    }
    std::fclose(file);
    return whole ? 1 : 0;
}
