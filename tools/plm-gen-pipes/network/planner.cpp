#include "network/planner.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "growth.h"
#include "network/world_piece.h"
#include "path_replay.h"
#include "tools/common/random.h"

namespace pipesgen {

const float kQuarterTwists[4] = {0.0f, 1.570796f, 3.141593f, 4.712389f};

namespace {

const int kAxes[6][3] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
// Pipe rotations (degrees about X, Y, Z) that turn the pipe's +Y onto each axis.
const float kStartRotations[6][3] = {{0, 0, -90}, {0, 0, 90}, {0, 0, 0},
                                     {180, 0, 0}, {90, 0, 0}, {-90, 0, 0}};
constexpr int kBacktrackLimit = 3000;
// Growth time per lattice step, on the short side, to estimate how many
// free nodes a pipe still needs.
constexpr double kMsPerStep = 300;

struct Node {
    int x = 0, y = 0, z = 0;
};

int Key(Node n)
{
    return ((n.x + 512) << 20) | ((n.y + 512) << 10) | (n.z + 512);
}
Node FromKey(int key)
{
    return {(key >> 20) - 512, ((key >> 10) & 1023) - 512, (key & 1023) - 512};
}

Node NodeAt(Vec3 p)
{
    return {int(std::lround(p.x / kGridStep)), int(std::lround(p.y / kGridStep)),
            int(std::lround(p.z / kGridStep))};
}

Node Step(Node n, Vec3 dir)
{
    return {n.x + int(std::lround(dir.x)), n.y + int(std::lround(dir.y)), n.z + int(std::lround(dir.z))};
}

// Whether d runs along a lattice axis. After an outlet pointing straight
// down the pipe's axis the scene turns the next piece about an axis that
// rounding may tilt, which can send an elbow's outlet off the lattice.
bool OnLatticeAxis(const CVECTOR& d)
{
    float big = std::max({std::fabs(d.x), std::fabs(d.y), std::fabs(d.z)});
    float small = std::fabs(d.x) + std::fabs(d.y) + std::fabs(d.z) - big;
    return big > 0.9999f && small < 1e-4f;
}

struct Candidate {
    int type = 0;
    int twist = 0;
};

struct Piece {
    WorldPiece world;
    PlacedSegment placed;
    std::vector<int> nodes;  // lattice nodes this piece holds
    Vec3 centre;             // bounding sphere, for quick rejection
    double bound = 0;
    double ms = 0;
};

struct Frame {
    std::vector<Candidate> options;
    size_t next = 0;
};

struct PipeState {
    PipeRecord record;
    std::vector<Piece> pieces;
    std::vector<Frame> frames;
    double ms = 0;
    int backtracks = 0;
    bool stuck = false;
};

void BoundingSphere(Piece& piece)
{
    piece.centre = (piece.world.inlet + piece.world.exit) * 0.5;
    for (const Capsule& c : piece.world.capsules)
        piece.bound = std::max(
            {piece.bound, Length(c.a - piece.centre) + c.radius, Length(c.b - piece.centre) + c.radius});
}

class Planner {
public:
    Planner(const std::vector<PieceType>& catalog, const PlanOptions& options)
        : catalog_(catalog), exits_(ExitsOf(catalog)), options_(options), random_(options.seed)
    {
    }

    PlanResult Run();

private:
    void Start(const PipeStart& start);
    bool Advance(PipeState& pipe, int index);
    bool TryPlace(PipeState& pipe, int index, Candidate c);
    bool Build(const PipeState& pipe, int index, Candidate c, Piece* piece) const;
    bool NodesFree(const Piece& piece, Node ahead, const PipeState& pipe) const;
    bool ClearOfOthers(const Piece& piece) const;
    bool ClearOfCamera(const Piece& piece) const;
    bool Inside(Node n) const;
    bool RoomAhead(Node ahead, const Piece& piece, size_t needed) const;
    void Remove(PipeState& pipe);
    std::vector<Candidate> Options();

    const std::vector<PieceType>& catalog_;
    std::vector<TypeExit> exits_;
    const PlanOptions& options_;
    tools::SplitMix64 random_;
    std::unordered_map<int, int> owner_;  // lattice node -> pipe index
    std::vector<PipeState> pipes_;
};

bool Planner::Inside(Node n) const
{
    const int v[3] = {n.x, n.y, n.z};
    for (int i = 0; i < 3; ++i)
        if (v[i] < options_.low[i] || v[i] > options_.high[i]) return false;
    return true;
}

void Planner::Start(const PipeStart& start)
{
    PipeState pipe;
    for (int i = 0; i < 3; ++i) {
        pipe.record.position[i] = float(start.node[i] * kGridStep);
        pipe.record.rotation[i] = kStartRotations[start.heading][i];
    }
    owner_[Key({start.node[0], start.node[1], start.node[2]})] = int(pipes_.size());
    pipes_.push_back(std::move(pipe));
}

// Weighted random order of every (type, twist) pair.
std::vector<Candidate> Planner::Options()
{
    std::vector<std::pair<double, Candidate>> keyed;
    for (int t = 0; t < int(catalog_.size()); ++t)
        for (int k = 0; k < 4; ++k) {
            double w = t < 6 ? options_.typeWeights[t] : 1.0;
            keyed.push_back({-std::log(random_.Uniform()) / w, Candidate{t, k}});
        }
    std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<Candidate> out;
    for (const auto& k : keyed) out.push_back(k.second);
    return out;
}

bool Planner::Build(const PipeState& pipe, int index, Candidate c, Piece* piece) const
{
    const PlacedSegment* prev = pipe.pieces.empty() ? nullptr : &pipe.pieces.back().placed;
    piece->placed = PlaceSegment(prev, exits_[c.type], kQuarterTwists[c.twist]);
    if (!OnLatticeAxis(piece->placed.exitDirection)) return false;
    const PieceType& type = catalog_[c.type];
    piece->world = PlaceWorldPiece(pipe.record, piece->placed, type, index, int(pipe.pieces.size()));
    piece->ms = GrowthMs(type.mesh.Faces().size());
    Node inlet = NodeAt(piece->world.inlet);
    for (const Capsule& cap : piece->world.capsules) {
        int samples = int(std::ceil(Length(cap.b - cap.a))) + 1;
        for (int s = 0; s <= samples; ++s) {
            Node n = NodeAt(cap.a + (cap.b - cap.a) * (double(s) / samples));
            if (Key(n) != Key(inlet)) piece->nodes.push_back(Key(n));
        }
    }
    std::sort(piece->nodes.begin(), piece->nodes.end());
    piece->nodes.erase(std::unique(piece->nodes.begin(), piece->nodes.end()), piece->nodes.end());
    BoundingSphere(*piece);
    return true;
}

bool Planner::NodesFree(const Piece& piece, Node ahead, const PipeState& pipe) const
{
    double msLeft = options_.growthMs - pipe.ms - piece.ms;
    for (int key : piece.nodes)
        if (owner_.count(key) || !Inside(FromKey(key))) return false;
    if (!Inside(ahead) || owner_.count(Key(ahead))) return false;
    return !std::binary_search(piece.nodes.begin(), piece.nodes.end(), Key(ahead)) &&
           RoomAhead(ahead, piece, size_t(std::max(1.0, msLeft / kMsPerStep + 2)));
}

// Whether at least `needed` free nodes can be reached from `ahead`, so that
// a pipe never turns into a pocket too small for the rest of its growth.
bool Planner::RoomAhead(Node ahead, const Piece& piece, size_t needed) const
{
    std::vector<Node> queue{ahead};
    std::unordered_set<int> seen{Key(ahead)};
    for (size_t i = 0; i < queue.size() && queue.size() < needed; ++i)
        for (const auto& axis : kAxes) {
            Node n{queue[i].x + axis[0], queue[i].y + axis[1], queue[i].z + axis[2]};
            int key = Key(n);
            if (!Inside(n) || owner_.count(key) || seen.count(key) ||
                std::binary_search(piece.nodes.begin(), piece.nodes.end(), key))
                continue;
            seen.insert(key);
            queue.push_back(n);
        }
    return queue.size() >= needed;
}

bool Planner::ClearOfOthers(const Piece& piece) const
{
    for (const PipeState& other : pipes_)
        for (const Piece& q : other.pieces) {
            if (Length(q.centre - piece.centre) > q.bound + piece.bound) continue;
            if (Comparable(q.world, piece.world) && EnvelopeGap(q.world, piece.world) < 0) return false;
        }
    return true;
}

bool Planner::ClearOfCamera(const Piece& piece) const
{
    for (const Vec3& eye : options_.cameraPoints) {
        if (Length(eye - piece.centre) > piece.bound + options_.cameraClearance) continue;
        for (const Capsule& c : piece.world.capsules)
            if (PointSegmentDistance(eye, c.a, c.b) - c.radius < options_.cameraClearance) return false;
    }
    return true;
}

bool Planner::TryPlace(PipeState& pipe, int index, Candidate c)
{
    Piece piece;
    if (!Build(pipe, index, c, &piece)) return false;
    Vec3 tip = PipeToScene(
        pipe.record, PieceToPipe(piece.placed, catalog_[c.type].exitOffset + catalog_[c.type].exitDirection));
    Node ahead = Step(NodeAt(piece.world.exit), tip - piece.world.exit);
    if (!NodesFree(piece, ahead, pipe) || !ClearOfOthers(piece) || !ClearOfCamera(piece)) return false;
    for (int key : piece.nodes) owner_[key] = index;
    pipe.ms += piece.ms;
    pipe.record.segments.push_back({c.type, kQuarterTwists[c.twist]});
    pipe.pieces.push_back(std::move(piece));
    return true;
}

void Planner::Remove(PipeState& pipe)
{
    for (int key : pipe.pieces.back().nodes) owner_.erase(key);
    pipe.ms -= pipe.pieces.back().ms;
    pipe.pieces.pop_back();
    pipe.record.segments.pop_back();
}

// Adds one piece, backing up over earlier choices when every option fails.
bool Planner::Advance(PipeState& pipe, int index)
{
    for (;;) {
        if (pipe.frames.size() == pipe.pieces.size()) pipe.frames.push_back({Options(), 0});
        Frame& frame = pipe.frames.back();
        while (frame.next < frame.options.size())
            if (TryPlace(pipe, index, frame.options[frame.next++])) return true;
        pipe.frames.pop_back();
        if (pipe.pieces.empty() || ++pipe.backtracks > kBacktrackLimit) {
            pipe.stuck = true;
            return false;
        }
        Remove(pipe);
    }
}

PlanResult Planner::Run()
{
    for (const PipeStart& s : options_.starts) Start(s);
    for (bool growing = true; growing;) {
        growing = false;
        for (size_t i = 0; i < pipes_.size(); ++i) {
            PipeState& pipe = pipes_[i];
            if (pipe.stuck || pipe.ms >= options_.growthMs) continue;
            growing = Advance(pipe, int(i)) || growing;
        }
    }
    PlanResult result;
    result.complete = true;
    for (const PipeState& pipe : pipes_) {
        result.network.pipes.push_back(pipe.record);
        result.growthMs.push_back(pipe.ms);
        result.complete = result.complete && pipe.ms >= options_.growthMs && !pipe.record.segments.empty();
    }
    return result;
}

}  // namespace

PlanResult PlanNetwork(const std::vector<PieceType>& catalog, const PlanOptions& options)
{
    return Planner(catalog, options).Run();
}

}  // namespace pipesgen
