#include "arrangement.h"

#include "beat_grid.h"
#include "drums.h"
#include "synths.h"

#include <cmath>

namespace music {

namespace {

// A minor: Am7, Fmaj7, C, G, one chord per bar.
const int kChords[4][4] = {{57, 60, 64, 67}, {53, 57, 60, 64}, {55, 60, 64, 67}, {55, 59, 62, 67}};
const int kBassRoots[4] = {33, 29, 36, 31};
// Syncopated arpeggio: 16th step in the bar -> chord tone (-1 = rest).
const int kPluckSteps[16] = {0, -1, 2, 1, -1, 3, -1, 2, 0, -1, 2, 1, -1, 3, 2, -1};

enum class Section { Groove, Build, Drop, Break, Drop2, Outro };

Section SectionOf(int bar)
{
    if (bar < kBuildBar) return Section::Groove;
    if (bar < kDropBar) return Section::Build;
    if (bar < kBreakBar) return Section::Drop;
    if (bar < kDrop2Bar) return Section::Break;
    if (bar < kOutroBar) return Section::Drop2;
    return Section::Outro;
}

bool IsDrop(Section s)
{
    return s == Section::Drop || s == Section::Drop2;
}
uint32_t Seed(int bar, int step)
{
    return 0x1234567u + static_cast<uint32_t>(bar * 97 + step * 13);
}
double Beat(int bar, double beatInBar)
{
    return bar * kBeatsPerBar + beatInBar;
}

void AddKickAt(SongBuses& b, double beat, double gain)
{
    const int64_t frame = BeatFrame(beat);
    AddKick(b.drums, frame, gain);
    b.kickFrames.push_back(frame);
}

void PlaceKicks(SongBuses& b, int bar)
{
    const Section s = SectionOf(bar);
    const bool kicks = s == Section::Groove || IsDrop(s) || (s == Section::Outro && bar < kOutroBar + 2);
    for (int beat = 0; kicks && beat < kBeatsPerBar; ++beat) {
        AddKickAt(b, Beat(bar, beat), s == Section::Groove ? 0.75 : 0.95);
    }
}

void PlaceClaps(SongBuses& b, int bar)
{
    const Section s = SectionOf(bar);
    if (!(IsDrop(s) || (s == Section::Groove && bar >= 2) || (s == Section::Outro && bar < kOutroBar + 2))) {
        return;
    }
    for (int beat = 1; beat < kBeatsPerBar; beat += 2) {
        const int64_t frame = BeatFrame(Beat(bar, beat));
        AddClap(b.drums, frame, 0.42, Seed(bar, beat));
        AddClap(b.reverbSend, frame, 0.12, Seed(bar, beat));
    }
}

// Off-beat hats everywhere the groove runs; 16ths and open hats in drops.
void PlaceHats(SongBuses& b, int bar)
{
    const Section s = SectionOf(bar);
    const bool offbeats = s == Section::Groove || IsDrop(s) ||
                          (s == Section::Break && bar >= kBreakBar + 4) ||
                          (s == Section::Outro && bar < kOutroBar + 3);
    for (int step = 0; offbeats && step < 16; ++step) {
        const bool offbeat = step % 4 == 2;
        const double pan = step % 4 == 1 ? -0.35 : 0.35;
        if (offbeat) {
            AddHat(b.drums, BeatFrame(Beat(bar, step / 4.0)), IsDrop(s) ? 0.2 : 0.22, IsDrop(s), 0.2,
                   Seed(bar, step));
        } else if (IsDrop(s) && step % 2 == 1) {
            AddHat(b.drums, BeatFrame(Beat(bar, step / 4.0)), 0.13, false, pan, Seed(bar, step));
        }
    }
}

// A two-bar snare roll with a riser under it, ending half a beat early.
void PlaceBuildUp(SongBuses& b, int firstBar)
{
    for (double offset : SnareRollBeats()) {
        const double gain = 0.16 + 0.4 * offset / 7.5;
        const int64_t frame = BeatFrame(Beat(firstBar, offset));
        const uint32_t seed = Seed(firstBar, static_cast<int>(offset * 8));
        AddSnare(b.drums, frame, gain, 0.0, seed);
        AddSnare(b.reverbSend, frame, gain * 0.3, 0.0, seed);
    }
    const int64_t start = BarFrame(firstBar);
    AddRiser(b.drums, start, BarFrame(firstBar + 2) - start, 0.3, Seed(firstBar, 99));
}

void PlaceDrums(SongBuses& b, int bar)
{
    PlaceKicks(b, bar);
    PlaceClaps(b, bar);
    PlaceHats(b, bar);
    if (bar == kBuildBar || bar == kDrop2Bar - 2) {
        PlaceBuildUp(b, bar);
    }
    for (int crashBar : CrashBars()) {
        if (crashBar == bar) {
            AddCrash(b.drums, BarFrame(bar), 0.3, Seed(bar, 77));
        }
    }
}

// Off-beat 8ths in the groove; in the drops a rolling root-octave line.
void PlaceBass(SongBuses& b, int bar)
{
    const Section s = SectionOf(bar);
    if (!(s == Section::Groove || IsDrop(s) || (s == Section::Outro && bar < kOutroBar + 2))) {
        return;
    }
    const int root = kBassRoots[bar % 4];
    const int64_t sixteenth = BeatFrame(0.25) - BeatFrame(0.0);
    for (int step = 0; step < 16; ++step) {
        const int inBeat = step % 4;
        if (inBeat == 0 || (!IsDrop(s) && inBeat != 2)) {
            continue;
        }
        const int note = IsDrop(s) && inBeat == 2 ? root + 12 : root;
        const double gain = IsDrop(s) ? 0.34 : 0.28;
        AddBassNote(b.bass, BeatFrame(Beat(bar, step / 4.0)), sixteenth - sixteenth / 4, note, gain);
    }
}

// Pad filter path: closed in the intro and groove, opening over each
// build-up, bright in the drops, closing again over the last chord.
void PadCutoffs(int bar, double& from, double& to)
{
    const Section s = SectionOf(bar);
    from = to = s == Section::Groove ? 1100.0 : s == Section::Break ? 1500.0 : 2600.0;
    if (s == Section::Build || bar >= kDrop2Bar - 2) {
        const int first = s == Section::Build ? kBuildBar : kDrop2Bar - 2;
        from = (s == Section::Build ? 1100.0 : 1500.0) * std::pow(2.2, bar - first);
        to = from * 2.2;
    }
    if (bar >= kDrop2Bar) {
        from = to = 2600.0;
    }
}

void PlacePads(SongBuses& b, int bar)
{
    const int64_t frame = BarFrame(bar);
    const bool last = bar == kEndBar - 2;
    const int64_t held = (last ? BarFrame(kEndBar) : BarFrame(bar + 1)) - frame;
    PadChord chord{last ? kChords[0] : kChords[bar % 4], 4, 0, 0, 0.12, last ? 3.5 : 0.5};
    PadCutoffs(bar, chord.cutoffFrom, chord.cutoffTo);
    if (last) {
        chord.cutoffTo = 500.0;
    }
    AddPadChord(b.music, frame, held, chord, 0.045, Seed(bar, 5));
}

void PlaceIntroPad(SongBuses& b)
{
    const PadChord chord{kChords[0], 4, 250.0, 1100.0, 2.2, 0.5};
    AddPadChord(b.music, 0, BarFrame(0), chord, 0.07, 0xABCDEFu);
}

void PlacePlucks(SongBuses& b, int bar)
{
    const Section s = SectionOf(bar);
    if (!(IsDrop(s) || s == Section::Break)) {
        return;
    }
    for (int step = 0; step < 16; ++step) {
        const int tone = kPluckSteps[step];
        if (tone < 0 || (s == Section::Break && step % 4 == 3)) {
            continue;
        }
        const int note = kChords[bar % 4][tone] + 12;
        const int64_t frame = BeatFrame(Beat(bar, step / 4.0));
        const double gain = step % 4 == 0 ? 0.2 : 0.15;
        const double pan = 0.3 * std::sin(step * 0.8);
        AddPluck(b.music, frame, note, gain, pan);
        AddPluck(b.delaySend, frame, note, gain * 0.7, pan);
        if (s == Section::Drop2) {
            AddPluck(b.music, frame, note + 12, gain * 0.4, -pan);
        }
    }
}

}  // namespace

std::vector<double> SnareRollBeats()
{
    std::vector<double> beats;
    for (int i = 0; i < 8; ++i) beats.push_back(i * 0.5);           // 8ths over the first bar
    for (int i = 0; i < 8; ++i) beats.push_back(4.0 + i * 0.25);    // 16ths
    for (int i = 0; i < 12; ++i) beats.push_back(6.0 + i * 0.125);  // 32nds up to 7.5
    return beats;
}

const std::vector<int>& CrashBars()
{
    static const std::vector<int> bars = {kGrooveBar, kDropBar,      kDropBar + 8, kBreakBar,
                                          kDrop2Bar,  kDrop2Bar + 8, kOutroBar};
    return bars;
}

void ArrangeSong(SongBuses& buses)
{
    PlaceIntroPad(buses);
    for (int bar = kGrooveBar; bar <= kEndBar - 2; ++bar) {  // the last chord fills two bars
        if (BarFrame(bar) >= buses.drums.Frames()) {
            break;
        }
        PlaceDrums(buses, bar);
        PlaceBass(buses, bar);
        PlacePads(buses, bar);
        PlacePlucks(buses, bar);
    }
}

}  // namespace music
