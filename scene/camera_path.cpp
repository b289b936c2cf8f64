// Reading the camera path file: a header "word count", then per track
// "word keyCount" and per key "word time word ex ey ez word tx ty tz".
// Counts are checked against the bytes left in the file before anything is
// allocated for them, so a corrupt count cannot ask for gigabytes; they are
// read with their sign so that messages show them as the file wrote them.
// Eye and target points must lie within the scene's bounds.
#include <cmath>
#include <cstdio>

#include "pipes/scene_bounds.h"
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

long FileEnd(FILE* file)
{
    if (std::fseek(file, 0, SEEK_END) != 0) {
        return 0;
    }
    long end = std::ftell(file);
    std::rewind(file);
    return end < 0 ? 0 : end;
}

enum CountResult {
    COUNT_OK,
    COUNT_MISSING,  // no number where the count belongs
    COUNT_NEGATIVE,
    COUNT_TOO_LARGE,  // more items than the rest of the file can hold
};

// Reads "word count" and checks that count items of minBytes each still fit.
// announced receives the number as written, sign included.
CountResult ReadCount(const PathFile& in, long long& announced, uint32_t& count, long minBytes)
{
    if (std::fscanf(in.file, "%*s %lld", &announced) != 1) {
        return COUNT_MISSING;
    }
    if (announced < 0) {
        return COUNT_NEGATIVE;
    }
    long left = in.end - std::ftell(in.file);
    if (left < 0 || announced > left / minBytes) {
        return COUNT_TOO_LARGE;
    }
    count = static_cast<uint32_t>(announced);
    return COUNT_OK;
}

// Reports a count that cannot be used; where is "file" or "file: track n".
void ReportCount(const char* where, const char* what, CountResult result, long long announced,
                 const char* outcome)
{
    if (result == COUNT_MISSING) {
        std::fprintf(stderr, "%s: the %s is missing or malformed; %s\n", where, what, outcome);
    } else if (result == COUNT_NEGATIVE) {
        std::fprintf(stderr, "%s: the %s %lld is negative; %s\n", where, what, announced, outcome);
    } else if (result == COUNT_TOO_LARGE) {
        std::fprintf(stderr, "%s: the %s %lld is more than the rest of the file can hold; %s\n", where, what,
                     announced, outcome);
    }
}

enum KeyResult {
    KEY_OK,
    KEY_MALFORMED,      // missing or short
    KEY_OUT_OF_BOUNDS,  // a coordinate that is not a number or lies beyond the bounds
};

KeyResult ReadKey(FILE* file, uint32_t& time, CVECTOR& eye, CVECTOR& target)
{
    int fields = std::fscanf(file, "%*s %u %*s %f %f %f %*s %f %f %f", &time, &eye.x, &eye.y, &eye.z,
                             &target.x, &target.y, &target.z);
    if (fields != 7) {
        return KEY_MALFORMED;
    }
    return WithinSceneBounds(eye) && WithinSceneBounds(target) ? KEY_OK : KEY_OUT_OF_BOUNDS;
}

// Reports a key that ends the path; eye and target are what was read.
void ReportBadKey(const PathFile& in, uint32_t trackNumber, uint32_t keyNumber, KeyResult result,
                  const CVECTOR& eye, const CVECTOR& target)
{
    if (result == KEY_MALFORMED) {
        std::fprintf(stderr, "%s: track %u, key %u is missing or malformed; the path ends there\n", in.name,
                     trackNumber, keyNumber);
        return;
    }
    bool eyeBad = !WithinSceneBounds(eye);
    const CVECTOR& bad = eyeBad ? eye : target;
    std::fprintf(stderr,
                 "%s: track %u, key %u: the %s (%g, %g, %g) is not a number or lies "
                 "beyond +-%g; the path ends there\n",
                 in.name, trackNumber, keyNumber, eyeBad ? "eye" : "target", bad.x, bad.y, bad.z,
                 MAX_SCRIPT_COORDINATE);
}

// Reads the keys of one allocated track; a bad key cuts the track there.
TrackResult ReadKeys(const PathFile& in, uint32_t trackNumber, CCAMTRACK& track)
{
    uint32_t count = track.eyePath.keyCount;
    bool ascending = true;
    for (uint32_t k = 0; k < count; ++k) {
        uint32_t time;
        CVECTOR eye, target;
        KeyResult result = ReadKey(in.file, time, eye, target);
        if (result != KEY_OK) {
            ReportBadKey(in, trackNumber, k + 1, result, eye, target);
            track.Truncate(k);
            return k > 0 ? TRACK_CUT : TRACK_BAD;
        }
        if (k > 0 && time < track.eyePath.keyTimes[k - 1] && ascending) {
            std::fprintf(stderr, "%s: track %u, key %u: key times do not ascend\n", in.name, trackNumber,
                         k + 1);
            ascending = false;
        }
        track.SetKey(k, eye, target, time);
    }
    return TRACK_WHOLE;
}

// trackNumber counts from 1, as a reader of the file would.
TrackResult ReadTrack(const PathFile& in, uint32_t trackNumber, CCAMTRACK& track)
{
    long long announced = 0;
    uint32_t count = 0;
    CountResult counted = ReadCount(in, announced, count, MIN_KEY_BYTES);
    if (counted != COUNT_OK) {
        char where[512];
        std::snprintf(where, sizeof where, "%s: track %u", in.name, trackNumber);
        ReportCount(where, "key count", counted, announced, "the path ends there");
        return TRACK_BAD;
    }
    if (count == 0) {
        std::fprintf(stderr, "%s: track %u has no keys; ignored\n", in.name, trackNumber);
        return TRACK_EMPTY;
    }
    if (!track.Allocate(count)) {
        std::fprintf(stderr, "%s: track %u: out of memory for %u keys\n", in.name, trackNumber, count);
        return TRACK_BAD;
    }
    return ReadKeys(in, trackNumber, track);
}

// Reads every track into list; returns how many were kept.
uint32_t ReadTracks(const PathFile& in, CCAMTRACK* list, uint32_t count, bool& whole)
{
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

int CCAMERA::ReadPath(const char* fileName)
{
    FreePath();
    currentTrack = 0;
    FILE* file = std::fopen(fileName, "r");
    if (file == nullptr) {
        std::fprintf(stderr, "%s: cannot open the camera path; the camera stays still\n", fileName);
        return 0;
    }
    PathFile in{file, fileName, FileEnd(file)};
    long long announced = 0;
    uint32_t count = 0;
    bool whole = false;
    CountResult counted = ReadCount(in, announced, count, MIN_TRACK_BYTES);
    if (counted != COUNT_OK) {
        ReportCount(fileName, "track count", counted, announced, "the camera stays still");
    } else if (!AllocatePath(count)) {
        std::fprintf(stderr, "%s: out of memory for %u tracks\n", fileName, count);
    } else {
        whole = true;
        trackCount = ReadTracks(in, trackList, count, whole);
    }
    std::fclose(file);
    return whole ? 1 : 0;
}
