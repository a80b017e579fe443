// The console: the game's message log and the panel that shows it.
//
// Messages live in a ring of 1000 entries. Each carries its kind, which picks
// a 12 x 12 icon and, for alerts and information, a sound heard the first
// time the message is drawn. The six newest are drawn into the console
// window (800 x 150) on lines 14 pixels apart; the window also holds the
// command field.
//
// - Add stamps the message with the local time ("14:05:09 text") and cuts
//   the whole to 91 characters. Count is the newest entry, 0 while the log is
//   empty; after entry 1000 the next message overwrites entry 1.
// - DrawLog(x, y) draws entries First..Count, oldest first, where First is
//   Count - 5 but at least 1; entry d sits on the line whose top is
//   y + (d - First - 1) * 14, so the oldest line is 14 pixels above y. Right
//   after the ring wraps, only entries 1..Count are drawn until Count reaches
//   6: the entries at the end of the ring are not reached back to, so the
//   panel shows fewer lines for the next five messages.
// - Sounds: every alert and information entry among those drawn that has not
//   sounded yet plays its sound and is marked Shown, so two alerts added in
//   the same tick are both heard on that tick. A message pushed out of the six
//   before any tick drew it never sounds.
// - A kind above Alien draws its text but no icon, and is silent.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "base/OneBased.h"
#include "widgets/kvWindows.h"
#include "platform/Bitmap.h"

namespace kv {

class kvSound;

enum class MessageKind : uint8_t { Alert = 0, Information = 1, Audio = 2, Mail = 3, Alien = 4 };

struct ConsoleEntry {
    MessageKind Kind = MessageKind::Alert;
    uint8_t Shown = 0;  // 1 once the entry's sound has played
    std::string Text;   // "hh:mm:ss message", at most MaxEntryLength characters
};

class kvConsole {
public:
    static constexpr uint16_t Capacity = 1000;
    static constexpr std::size_t MaxEntryLength = 91;
    static constexpr int VisibleLines = 6;
    static constexpr int LineHeight = 14;

    // Empties the log (Count 0, not dirty) and loads the five icons in kind
    // order and the panel's background; a missing picture stops with a
    // LoadError naming it.
    void Create();
    // Appends a message stamped with the local time (or the stopped clock of
    // StopClock) and marks the panel dirty.
    void Add(const std::string& text, MessageKind kind);
    // The same with a given time stamp, for callers that already hold one.
    void Add(const std::string& text, MessageKind kind, const std::string& timeText);
    // Draws the newest entries (at most six) onto `target`: the icon keyed at
    // (x, lineY + 1), the text at (x + 16, lineY) in the target's font; plays
    // the sound of each alert and information entry drawn for the first time.
    void DrawLog(int x, int y, Bitmap& target, kvSound& sound);
    // Stamps every later message with `timeText` instead of the local time,
    // so a scripted run draws the same log whenever it runs.
    void StopClock(std::string timeText) { stoppedTime_ = std::move(timeText); }

    OneBased<ConsoleEntry, Capacity> Entries;
    uint16_t Count = 0;
    std::array<Bitmap, 5> Icons;  // indexed by kind
    Bitmap Panel;                 // the console panel's background
    uint8_t Dirty = 0;            // 1 = recompose the panel at the next tick

private:
    std::optional<std::string> stoppedTime_;
};

// Rebuilds the console panel: frames the command field afresh, lays the
// panel's background, writes the "Console" title centred at y = 7, marks the
// log dirty and draws the panel's visible items onto it. Redrawing the
// background wipes the log, so the log is drawn again at the next tick.
void ComposeConsole(kvWindow& consoleWindow, kvEdit& consoleEdit, kvConsole& console);

// The space scene's console duty for one tick: when the log is dirty, the
// panel is recomposed, the log drawn at (30, 50) and the dirty mark cleared.
// Returns true when the frame must be repainted.
bool ConsoleTick(kvWindow& consoleWindow, kvEdit& consoleEdit, kvConsole& console, kvSound& sound);

}  // namespace kv
