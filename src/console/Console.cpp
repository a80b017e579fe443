#include "console/Console.h"

#include <algorithm>
#include <string_view>

#include "base/Utf8.h"
#include "platform/BmpFile.h"
#include "platform/Canvas.h"
#include "platform/Clock.h"
#include "sound/kvSound.h"

namespace kv {

namespace {

constexpr std::array<std::string_view, 5> IconFiles{
    "res\\gfx\\hud\\c_alert.bmp", "res\\gfx\\hud\\c_info.bmp", "res\\gfx\\hud\\c_audio.bmp",
    "res\\gfx\\hud\\c_mail.bmp",  "res\\gfx\\hud\\c_alien.bmp",
};
constexpr std::string_view AlertSound = "res\\sfx\\hud\\message_alert.wav";
constexpr std::string_view InformationSound = "res\\sfx\\hud\\message_info.wav";
constexpr std::string_view PanelPicture = "Res\\gfx\\hud\\bottom.bmp";

constexpr int IconSize = 12;
constexpr int TextIndent = 16;
constexpr int TitleTop = 7;
constexpr int LogLeft = 30;
constexpr int LogTop = 50;
// Lines end inside the log's inset.
constexpr int LogRight = 772;

// Each kind of message in its own colour of the HUD's palette: alerts red,
// information green, audio blue, mail gold, alien violet.
Rgb KindColour(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Alert: return {255, 110, 80};
    case MessageKind::Information: return HudTextColour;
    case MessageKind::Audio: return {80, 220, 255};
    case MessageKind::Mail: return {252, 210, 69};
    case MessageKind::Alien: return {200, 140, 255};
    }
    return HudTextColour;
}

// Alerts and information announce themselves; the other kinds are silent.
std::string_view SoundOf(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Alert: return AlertSound;
    case MessageKind::Information: return InformationSound;
    default: return {};
    }
}

void DrawIcon(const Bitmap& icon, int x, int lineY, Bitmap& target)
{
    Canvas(target).CopyRectKeyed(x, lineY + 1, x + IconSize, lineY + 1 + IconSize, icon, 0, 0, IconSize,
                                 IconSize, ColourKey);
}

void SoundOnce(ConsoleEntry& entry, kvSound& sound)
{
    const std::string_view effect = SoundOf(entry.Kind);
    if (effect.empty() || entry.Shown) return;
    sound.PlaySoundEffect(std::string(effect));
    entry.Shown = 1;
}

}  // namespace

void kvConsole::Create()
{
    Dirty = 0;
    Count = 0;
    for (std::size_t kind = 0; kind < Icons.size(); ++kind) LoadBmp(std::string(IconFiles[kind]), Icons[kind]);
    LoadBmp(std::string(PanelPicture), Panel);
}

void kvConsole::Add(const std::string& text, MessageKind kind)
{
    Add(text, kind, stoppedTime_ ? *stoppedTime_ : LocalTimeText());
}

void kvConsole::Add(const std::string& text, MessageKind kind, const std::string& timeText)
{
    Dirty = 1;
    Count = Count >= Capacity ? 1 : static_cast<uint16_t>(Count + 1);
    ConsoleEntry& entry = Entries[Count];
    entry.Kind = kind;
    entry.Text = std::string(Utf8Prefix(timeText + " " + text, MaxEntryLength));
    entry.Shown = 0;
}

void kvConsole::DrawLog(int x, int y, Bitmap& target, kvSound& sound)
{
    if (Count == 0) return;
    const int first = std::max(Count - (VisibleLines - 1), 1);
    for (int d = first; d <= Count; ++d) {
        ConsoleEntry& entry = Entries[static_cast<std::size_t>(d)];
        const int lineY = y + (d - first - 1) * LineHeight;
        const auto kind = static_cast<std::size_t>(entry.Kind);
        if (kind < Icons.size()) DrawIcon(Icons[kind], x, lineY, target);
        SoundOnce(entry, sound);
        const Rgb was = target.font.Colour;
        target.font.Colour = KindColour(entry.Kind);
        Canvas canvas(target);
        canvas.TextOut(x + TextIndent, lineY, FitText(canvas, entry.Text, LogRight - x - TextIndent));
        target.font.Colour = was;
    }
}

void ComposeConsole(kvWindow& consoleWindow, kvEdit& consoleEdit, kvConsole& console)
{
    FrameEdit(consoleEdit);
    PaintFace(consoleWindow.Face, console.Panel);
    Canvas face(consoleWindow.Face);
    constexpr std::string_view title = "Console";
    face.TextOut((consoleWindow.Width - face.TextWidth(title)) / 2, TitleTop, title);
    console.Dirty = 1;
    DrawVisibleItems(consoleWindow);
}

bool ConsoleTick(kvWindow& consoleWindow, kvEdit& consoleEdit, kvConsole& console, kvSound& sound)
{
    if (!console.Dirty) return false;
    ComposeConsole(consoleWindow, consoleEdit, console);
    console.DrawLog(LogLeft, LogTop, consoleWindow.Face, sound);
    console.Dirty = 0;
    return true;
}

}  // namespace kv
