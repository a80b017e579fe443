// The four songs. Each plays an intro once, then its loop: statements of its
// main theme (A), a second theme (B), a thinned breakdown, variants moved up,
// displaced or echoed, and a closing turn that leads back to A.
#include "Songs.h"

namespace mkassets {
namespace {

// The title: calm A minor, a plucked tune over glass chimes, a soft kit.
Song TitleSong()
{
    constexpr std::string_view A = "E3:4 C3:2 D3:2 E3:4 A2:4 F3:4 E3:2 D3:2 C3:6 A2:2 G2:4 C3:2 E3:2 G3:6 E3:2 "
                                   "D3:8 B2:4 G2:4";
    constexpr std::string_view B = "A3:4 G3:4 F3:4 E3:4 D3:4 E3:4 F3:4 G3:4 E3:6 D3:2 C3:4 B2:4 C3:4 B2:2 A2>:10";
    constexpr std::string_view Pads = "A:::::::::::::::";
    constexpr std::string_view Broken = "0.2.1.2.3.2.1.2.";
    return {"load.mod", "kvspace title", 6, 125,
            {110, 48, 0.12, 0.05, 180, 0.5, 0.06, 0.015, 0.2, 58},
            {},
            {64, {0.55, 1, 0.5, 0.3, 0.15, 0.08, 0, 0}, 120, 0.35, 0.6, 4, 54},
            Pluck("pluck", {700, 0.15, 8, 54}, 0.85),
            Glass("glass", {250, 0.25, 8, 36}, 3, 2.4),
            Glass("glass pad", {400, 0.5, 8, 32}, 2, 1.2),
            {{"Am F C G", "", "........h.......", "R...............", Pads},
             {"Am F C G", A, "k...h...s...h...", "R...R.R.F...R...", Broken},
             {"Am F C G", A, "k...h.h.s...h.h.", "R...R.R.F...R...", "", 0, 2, false, true},
             {"F G Em Am", B, "k...h...s...h.h.", "R...R.R.F...R.O.", "0.1.2.3.2.1.0.1."},
             {"F G Em Am", B, "k...h...s...h.h.", "R...R.R.F...R.O.", "A:::::::A:::::::", 0, 0, false, false, true},
             {"Am F C G", "A3~:16 F3~:16 G3~:16 D3~:12 B2:4", "................", "R...............", Pads, 0, 0,
              true},
             {"F G Em Am", B, "k...h.h.s...h.h.", "R...R.R.F...R.O.", "", 2, 0, false, true},
             {"Am F C G", A, "k.h.h.s.h.h.k.h.", "R.O.R.O.F.O.R.O.", Pads, 0, 0, false, false, true},
             {"Am F G E", "E3>:16 C3:8 D3:8 B2~:16 G#2:16", "k...h...s...h...", "R.......F.......", Broken, 0, 0,
              false, false, true}},
            {0, 1, 2, 3, 4, 1, 2, 5, 6, 3, 7, 5, 6, 4, 1, 7, 8},
            1};
}

// The space scene: an easy D major drift, a flute over a harp and a choir.
Song SpaceSong()
{
    constexpr std::string_view A = "F#3:4 A3:4 F#3:2 E3:2 D3:4 E3:4 C#3:4 E3:4 A3:4 F#3:6 D3:2 B2:8 G2:4 B2:4 D3:4 "
                                   "G3:4";
    constexpr std::string_view B = "B3:4 A3:4 G3:4 F#3:4 A3:8 F#3:4 D3:4 G3:4 F#3:4 E3:4 B2:4 C#3:8 E3:4 A2:4";
    constexpr std::string_view Pads = "A:::::::::::::::";
    return {"track1.mod", "kvspace drift", 6, 110,
            {120, 45, 0.14, 0.2, 190, 0.6, 0.07, 0.025, 0.5, 50},
            {},
            {64, {0.6, 1, 0.4, 0.15, 0.05, 0, 0, 0}, 200, 0.4, 0.3, 4, 62},
            Flute("flute", {400, 0.6, 256, 50}, 0.45),
            TonalInstrument("harp", {32, {1, 0.5, 0.25, 0.12, 0.06, 0.03, 0, 0}, 200, 0.3, 0.8, 8, 43}),
            Choir("choir", {300, 0.7, 128, 49}),
            {{"D A Bm G", "", "................", "R.......R.......", Pads},
             {"D A Bm G", A, "k...h...s...h...", "R.....R.F.......", "0.1.2.1.0.1.2.1."},
             {"D A Bm G", A, "k...h.h.s...h.h.", "R.....R.F.......", "", 0, 4, false, true},
             {"G D Em A", B, "k...h...s...h..h", "R.....R.F.....F.", "0.2.1.2.3.2.1.2."},
             {"G D Em A", B, "k...h...s...h..h", "R.....R.F.....F.", "A:::::::A:::::::", 0, 0, false, false, true},
             {"Bm G D A", "D3~:16 B2~:16 A2~:16 C#3~:16", "................", "R.......F.......", Pads, 0, 0, true},
             {"G D Em A", B, "k...h.h.s...h..h", "R.....R.F.....F.", "", 2, 0, false, true},
             {"D A Bm G", A, "k.h.h.s.h.h.k.h.", "R.O.R.O.F.O.R.O.", Pads, 0, 0, false, false, true},
             {"G A D D", "F#3:8 E3:8 A2~:16 D3~:32", "k...h...s...h...", "R.......F.......", "0.1.2.1.0.1.2.1.", 0,
              0, false, false, true}},
            {0, 1, 2, 3, 4, 1, 5, 6, 3, 7, 2, 5, 4, 7, 8},
            1};
}

// Battle: a driving E minor with an octave bass, a swept pulse tune and a
// punchy kit with a ride cymbal.
Song CombatSong()
{
    constexpr std::string_view A = "E3:2 -:1 E3:1 G3:2 E3:2 B3:4 A3:2 G3:2 G3:2 -:1 G3:1 E3:2 G3:2 C3:4 D3:2 E3:2 "
                                   "F#3:2 -:1 F#3:1 A3:2 F#3:2 D3:4 E3:2 F#3:2 D#3:4 F#3:4 B3:4 A3:4";
    constexpr std::string_view B = "A3:3 G3:1 A3:2 C3:2 E3:4 A2:4 B3:3 A3:1 G3:2 F#3:2 E3:8 E3:2 G3:2 C3:2 G3:2 E3:2 "
                                   "G3:2 C3:4 D#3:2 F#3:2 B2:2 F#3:2 D#3:2 F#3:2 B3:4";
    constexpr std::string_view Drive = "B3:4 A3:4 G3:4 F#3:4 E3/:8 G3:8 B3:4 A3:4 G3:4 A3:4 B3>:16";
    constexpr std::string_view Arps = "A:::::::::::::::";
    constexpr DrumKit Kit{170, 50, 0.16, 0.6, 200, 0.7, 0.09, 0.02, 1.0, 43};
    return {"combat.mod", "kvspace battle", 4, 125,
            Kit,
            Ride(Kit),
            {64, {0.6, 1, 0.45, 0.35, 0.25, 0.18, 0.12, 0.08}, 60, 0.4, 0.3, 4, 56},
            SweptPulse("pulse", {60, 0.4, 128, 40}, 0.8),
            TonalInstrument("harmony", {32, {1, 0.5, 0.33, 0.25, 0.2, 0, 0, 0}, 100, 0.35, 0.5, 8, 33}),
            TonalInstrument("hollow", {32, {1, 0, 0.45, 0, 0.25, 0, 0.15, 0}, 120, 0.35, 0.4, 8, 31}),
            {{"Em C D B", "", "k...k...k...k...", "R...............", "0120120120120123"},
             {"Em C D B", A, "k.h.s.h.k.k.s.h.", "RORORORORORORORO", Arps},
             {"Em C D B", A, "k.h.s.h.k.k.s.hH", "RORORORORORORORO", "", 0, 2, false, true},
             {"Am Em C B", B, "k.h.s.h.k.h.s.ss", "RRORRRORRRORRROR", "0.2.1.3.0.2.1.3."},
             {"Am Em C B", B, "k.h.s.h.k.h.s.ss", "RRORRRORRRORRROR", Arps, 0, 0, false, false, true},
             {"Em C D B", A, "k.......k.......", "R.......R.......", Arps, 0, 0, true},
             {"Am Em C B", B, "k.h.s.h.k.h.s.ss", "RRORRRORRRORRROR", "", 2, 0, false, true},
             {"Em C D B", A, "k.hcs.hck.kcs.hc", "RORORORORORORORO", Arps, 0, 0, false, false, true},
             {"C D Em Em", Drive, "k.c.s.c.k.c.s.c.", "RORORORORORORORO", "0.1.2.3.0.1.2.3."},
             {"Em C D B", "E3:4 F#3:4 G3:4 A3:4 B3:8 A3:8 G3:8 F#3:8 D#3~:16", "k.h.s.h.k.h.s.h.", "RORORORORORORORO",
              Arps, 0, 0, false, false, true}},
            {0, 1, 2, 3, 4, 1, 2, 8, 5, 6, 3, 7, 8, 1, 2, 3, 4, 5, 6, 7, 8, 1, 2, 3, 7, 9},
            1};
}

// The closing crawl: a slow D minor, a singing voice over church bells.
Song CrawlSong()
{
    constexpr std::string_view A = "A2~:8 D3:4 E3:4 F3~:8 E3:4 D3:4 C3~:12 A2:4 G2~:16";
    constexpr std::string_view B = "G3~:8 F3:4 E3:4 F3~:8 E3:4 D3:4 C#3~:8 E3:4 A3:4 D3~:16";
    constexpr std::string_view Bells = "0...1...2...3...";
    constexpr std::string_view Pads = "A:::::::::::::::";
    return {"intro.mod", "kvspace voyage", 8, 125,
            {100, 42, 0.2, 0.1, 160, 0.55, 0.12, 0.03, 0.3, 64},
            {},
            {64, {0.6, 1, 0.35, 0.15, 0, 0, 0, 0}, 300, 0.5, 0.3, 4, 53},
            SingingVoice("voice", {300, 0.6, 128, 59}),
            Bell("bell", 1200, 36),
            TonalInstrument("organ", {32, {1, 0, 0.4, 0, 0, 0.2, 0, 0}, 500, 0.3, 0.3, 8, 32}),
            {{"Dm Bb F C", "", "................", "R.......F.......", Bells},
             {"Dm Bb F C", A, "k.......s.......", "R.......F.......", Bells},
             {"Dm Bb F C", A, "k.......s...h...", "R.......F.......", "", 0, 4, false, true},
             {"Gm Dm A Dm", B, "k...h...s...h...", "R.......F...O...", "0.1.2.3.2.1.2.1."},
             {"Gm Dm A Dm", B, "k...h...s...h...", "R.......F...O...", Pads, 0, 0, false, false, true},
             {"Dm Bb F C", A, "................", "R...............", Pads, 0, 0, true},
             {"Gm Dm A Dm", B, "k...h...s...h...", "R.......F...O...", "", 2, 0, false, true},
             {"Dm Bb F C", A, "k...h...s...h...", "R...O...F...O...", Pads, 0, 0, false, false, true},
             {"Bb C Dm Dm", "F3:8 G3:8 A3~:16 D3~:32", "k.......s.......", "R.......F.......", Bells, 0, 0, false,
              false, true}},
            {0, 1, 2, 3, 4, 5, 1, 6, 7, 3, 2, 7, 8},
            1};
}

}  // namespace

std::vector<Song> Soundtrack() { return {TitleSong(), SpaceSong(), CombatSong(), CrawlSong()}; }

}  // namespace mkassets
