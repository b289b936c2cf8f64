#include "scripts.h"

#include <cstdio>

namespace pipesgen {

namespace {

// Shortest decimal text of a value that is held as given (9 significant
// digits are enough for any 32-bit float).
std::string Num(double v)
{
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.9g", v == 0 ? 0.0 : v);
    return buf;
}

std::string Triple(Vec3 v)
{
    return Num(v.x) + " " + Num(v.y) + " " + Num(v.z);
}

std::string Twist(float twist)
{
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.6f", double(twist));
    return buf;
}

}  // namespace

std::string TypesScript(const std::vector<PieceType>& catalog)
{
    std::string out = std::to_string(catalog.size()) + "\n";
    for (const PieceType& t : catalog)
        out += t.fileName + "  " + Triple(t.exitOffset) + "  " + Triple(t.exitDirection) + "\n";
    return out;
}

std::string MapScript(const Network& network)
{
    std::string out = "pipes count " + std::to_string(network.pipes.size()) + "\n";
    for (const PipeRecord& pipe : network.pipes) {
        out += "\nposition " + Triple({pipe.position[0], pipe.position[1], pipe.position[2]}) + "\n";
        out += "rotation " + Triple({pipe.rotation[0], pipe.rotation[1], pipe.rotation[2]}) + "\n";
        out += "segments count " + std::to_string(pipe.segments.size()) + "\n";
        for (const SegmentRecord& s : pipe.segments)
            out += std::to_string(s.type + 1) + " " + Twist(s.twist) + "\n";
    }
    return out;
}

std::string CameraScript(const std::vector<CameraTrack>& tracks)
{
    std::string out = "tracks " + std::to_string(tracks.size()) + "\n";
    for (const CameraTrack& track : tracks) {
        out += "\nkeys " + std::to_string(track.size()) + "\n";
        for (const CameraKey& k : track)
            out += "time " + std::to_string(k.time) + "  eye " + Triple(k.eye) + "  target " +
                   Triple(k.target) + "\n";
    }
    return out;
}

}  // namespace pipesgen
