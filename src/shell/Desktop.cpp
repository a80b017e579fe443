#include "shell/Desktop.h"

#include <algorithm>
#include <iostream>

namespace kv {

namespace {

constexpr Extent FrameSize{800, 600};

}  // namespace

int FirstWindowScale(Extent usableDesktop)
{
    const Extent room{usableDesktop.Width * FirstSizePercent / 100, usableDesktop.Height * FirstSizePercent / 100};
    return LargestWholeScale(room, FrameSize);
}

DesktopWindow::DesktopWindow(Window& window, std::string settingsPath)
    : window_(window), path_(std::move(settingsPath))
{
}

void DesktopWindow::LoadSettings()
{
    if (path_.empty()) return;
    SettingsRead read = kv::LoadSettings(path_);
    settings_ = read.Values;
    if (!read.Problem.empty()) {
        std::cerr << "kvspace: settings " << path_ << ": " << read.Problem << "; using the defaults\n";
        notices_.push_back("Settings not read, using the defaults: " + read.Problem);
    }
    for (const std::string& problem : read.KeyProblems) std::cerr << "kvspace: settings " << path_ << ": " << problem << '\n';
    window_.SetScaling(settings_.Scaling);
}

void DesktopWindow::RememberLauncherChoices(std::optional<DisplayMode> mode, bool soundEnabled)
{
    settings_.Mode = mode;
    settings_.SoundEnabled = soundEnabled;
    Save();
}

void DesktopWindow::OpenGameWindow(bool realModeSwitched)
{
    open_ = true;
    realMode_ = realModeSwitched;
    if (realMode_) {
        window_.Resize(FrameSize.Width, FrameSize.Height);
        return;
    }
    window_.BecomeGameWindow();
    const int largest = LargestWholeScale(window_.UsableDesktop(), FrameSize);
    const int scale = settings_.WindowScale > 0 ? std::min(settings_.WindowScale, largest)
                                                : FirstWindowScale(window_.UsableDesktop());
    window_.Resize(FrameSize.Width * scale, FrameSize.Height * scale);
    if (settings_.Fullscreen) window_.SetDesktopFullscreen(true);
}

bool DesktopWindow::WindowKey(uint16_t key, ShiftState shift, bool fullscreenKey)
{
    if (!open_) return false;
    const bool ctrlOnly = shift.Ctrl && !shift.Alt && !shift.Shift;
    if (fullscreenKey || (key == vk::Return && shift.Alt)) ToggleFullscreen();
    else if (key == vk::F10) ToggleScaling();
    else if (ctrlOnly && (key == vk::Equals || key == vk::NumpadAdd)) StepScale(1);
    else if (ctrlOnly && (key == vk::Minus || key == vk::NumpadSubtract)) StepScale(-1);
    else return false;
    return true;
}

void DesktopWindow::ToggleFullscreen()
{
    if (realMode_) return;
    settings_.Fullscreen = !window_.DesktopFullscreen();
    window_.SetDesktopFullscreen(settings_.Fullscreen);
    Save();
}

void DesktopWindow::ToggleScaling()
{
    settings_.Scaling = settings_.Scaling == ScalingStyle::Sharp ? ScalingStyle::Smooth : ScalingStyle::Sharp;
    window_.SetScaling(settings_.Scaling);
    Save();
}

// A fullscreen window has no size of its own to step.
void DesktopWindow::StepScale(int step)
{
    if (realMode_ || window_.DesktopFullscreen()) return;
    const Extent now{window_.Width(), window_.Height()};
    settings_.WindowScale = StepWholeScale(now, window_.UsableDesktop(), FrameSize, step);
    window_.Resize(FrameSize.Width * settings_.WindowScale, FrameSize.Height * settings_.WindowScale);
    Save();
}

void DesktopWindow::SetFullscreen(bool on)
{
    if (on != window_.DesktopFullscreen()) ToggleFullscreen();
}

void DesktopWindow::SetScaling(ScalingStyle style)
{
    if (style != settings_.Scaling) ToggleScaling();
}

void DesktopWindow::SetWindowScale(int scale)
{
    const int now = WindowScale();
    if (scale != now) StepScale(scale > now ? 1 : -1);
}

void DesktopWindow::RememberSound(bool soundOn, int musicVolume, int effectsVolume, bool muteInBackground)
{
    if (soundOn == settings_.SoundEnabled && musicVolume == settings_.MusicVolume &&
        effectsVolume == settings_.EffectsVolume && muteInBackground == settings_.MuteInBackground)
        return;
    settings_.SoundEnabled = soundOn;
    settings_.MusicVolume = musicVolume;
    settings_.EffectsVolume = effectsVolume;
    settings_.MuteInBackground = muteInBackground;
    Save();
}

void DesktopWindow::RememberControls(const Bindings& controls, int padDeadZone)
{
    if (controls == settings_.Controls && padDeadZone == settings_.PadDeadZone) return;
    settings_.Controls = controls;
    settings_.PadDeadZone = padDeadZone;
    Save();
}

int DesktopWindow::WindowScale() const
{
    return std::max(1, LargestWholeScale(Extent{window_.Width(), window_.Height()}, FrameSize));
}

void DesktopWindow::Save()
{
    if (path_.empty()) return;
    const std::optional<std::string> problem = SaveSettings(path_, settings_);
    if (!problem || saveReported_) return;
    saveReported_ = true;
    std::cerr << "kvspace: settings are not kept in " << path_ << ": " << *problem << '\n';
    notices_.push_back("Settings not kept: " + *problem);
}

}  // namespace kv
