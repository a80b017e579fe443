#include "platform/Window.h"

#include <SDL.h>

#include <array>
#include <csignal>
#include <cstring>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Gamepads.h"
#include "platform/Scaler.h"

namespace kv {

namespace {

// Set by the signal handler, read by the event wait. A signal handler can
// reach nothing but a flag of static storage, so this one lives here.
volatile std::sig_atomic_t quitSignalled = 0;

extern "C" void NoteQuitSignal(int) { quitSignalled = 1; }

constexpr std::array<int, 4> QuitSignals{SIGINT, SIGTERM, SIGHUP, SIGQUIT};

// Physical keys to the virtual-key codes of the desktop the game was made
// for; keys by position, so the key left of "1" is the grave key (192) on
// every layout.
uint16_t VirtualKey(SDL_Scancode code)
{
    if (code >= SDL_SCANCODE_A && code <= SDL_SCANCODE_Z) return static_cast<uint16_t>(65 + (code - SDL_SCANCODE_A));
    if (code >= SDL_SCANCODE_1 && code <= SDL_SCANCODE_9) return static_cast<uint16_t>(49 + (code - SDL_SCANCODE_1));
    if (code >= SDL_SCANCODE_F1 && code <= SDL_SCANCODE_F12) return static_cast<uint16_t>(112 + (code - SDL_SCANCODE_F1));
    if (code >= SDL_SCANCODE_F13 && code <= SDL_SCANCODE_F24) return static_cast<uint16_t>(124 + (code - SDL_SCANCODE_F13));
    if (code >= SDL_SCANCODE_KP_1 && code <= SDL_SCANCODE_KP_9) return static_cast<uint16_t>(97 + (code - SDL_SCANCODE_KP_1));
    switch (code) {
    case SDL_SCANCODE_KP_0: return 96;
    case SDL_SCANCODE_KP_MULTIPLY: return 106;
    case SDL_SCANCODE_KP_PLUS: return vk::NumpadAdd;
    case SDL_SCANCODE_KP_MINUS: return vk::NumpadSubtract;
    case SDL_SCANCODE_KP_PERIOD: return 110;
    case SDL_SCANCODE_KP_DIVIDE: return 111;
    case SDL_SCANCODE_PAUSE: return vk::Pause;
    case SDL_SCANCODE_CAPSLOCK: return vk::CapsLock;
    case SDL_SCANCODE_NUMLOCKCLEAR: return 144;
    case SDL_SCANCODE_SCROLLLOCK: return 145;
    case SDL_SCANCODE_PRINTSCREEN: return 44;
    case SDL_SCANCODE_LGUI: return 91;
    case SDL_SCANCODE_RGUI: return 92;
    case SDL_SCANCODE_APPLICATION: return 93;
    case SDL_SCANCODE_0: return 48;
    case SDL_SCANCODE_BACKSPACE: return vk::Back;
    case SDL_SCANCODE_TAB: return vk::Tab;
    case SDL_SCANCODE_RETURN:
    case SDL_SCANCODE_KP_ENTER: return vk::Return;
    case SDL_SCANCODE_LSHIFT:
    case SDL_SCANCODE_RSHIFT: return vk::Shift;
    case SDL_SCANCODE_LCTRL:
    case SDL_SCANCODE_RCTRL: return vk::Control;
    case SDL_SCANCODE_LALT:
    case SDL_SCANCODE_RALT: return vk::Menu;
    case SDL_SCANCODE_ESCAPE: return vk::Escape;
    case SDL_SCANCODE_SPACE: return vk::Space;
    case SDL_SCANCODE_END: return vk::End;
    case SDL_SCANCODE_HOME: return vk::Home;
    case SDL_SCANCODE_LEFT: return vk::Left;
    case SDL_SCANCODE_UP: return vk::Up;
    case SDL_SCANCODE_RIGHT: return vk::Right;
    case SDL_SCANCODE_DOWN: return vk::Down;
    case SDL_SCANCODE_PAGEUP: return 33;
    case SDL_SCANCODE_PAGEDOWN: return 34;
    case SDL_SCANCODE_INSERT: return 45;
    case SDL_SCANCODE_DELETE: return 46;
    case SDL_SCANCODE_GRAVE: return vk::Grave;
    case SDL_SCANCODE_MINUS: return vk::Minus;
    case SDL_SCANCODE_EQUALS: return vk::Equals;
    case SDL_SCANCODE_COMMA: return 188;
    case SDL_SCANCODE_PERIOD: return 190;
    case SDL_SCANCODE_SLASH: return 191;
    case SDL_SCANCODE_SEMICOLON: return 186;
    case SDL_SCANCODE_APOSTROPHE: return 222;
    case SDL_SCANCODE_LEFTBRACKET: return 219;
    case SDL_SCANCODE_RIGHTBRACKET: return 221;
    case SDL_SCANCODE_BACKSLASH: return 220;
    case SDL_SCANCODE_NONUSBACKSLASH: return 226;
    case SDL_SCANCODE_UNKNOWN: return 0;
    default: return vk::OtherKey;
    }
}

// The letter or digit the layout gives a key, as the key code of that letter
// on the old desktop: a key whose place is a letter's but whose layout gives
// no letter or digit (the French "," where US has "M") is no letter at all.
uint16_t LayoutKey(SDL_Keycode symbol, uint16_t key)
{
    if (symbol >= SDLK_a && symbol <= SDLK_z) return static_cast<uint16_t>('A' + (symbol - SDLK_a));
    if (symbol >= SDLK_0 && symbol <= SDLK_9) return static_cast<uint16_t>('0' + (symbol - SDLK_0));
    const bool letterOrDigitPlace = (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9');
    return letterOrDigitPlace ? vk::OtherKey : key;
}

// The modifier keys as they were when the key went down: by the time the
// event is read, a quick Alt+Enter has let Alt go again.
ShiftState ShiftStateOf(uint16_t mods)
{
    const uint32_t buttons = SDL_GetMouseState(nullptr, nullptr);
    ShiftState s;
    s.Shift = (mods & KMOD_SHIFT) != 0;
    s.Ctrl = (mods & KMOD_CTRL) != 0;
    s.Alt = (mods & KMOD_ALT) != 0;
    s.LeftButton = (buttons & SDL_BUTTON(SDL_BUTTON_LEFT)) != 0;
    s.RightButton = (buttons & SDL_BUTTON(SDL_BUTTON_RIGHT)) != 0;
    s.MiddleButton = (buttons & SDL_BUTTON(SDL_BUTTON_MIDDLE)) != 0;
    return s;
}

std::optional<MouseButton> GameButton(uint8_t sdlButton)
{
    switch (sdlButton) {
    case SDL_BUTTON_LEFT: return MouseButton::Left;
    case SDL_BUTTON_RIGHT: return MouseButton::Right;
    case SDL_BUTTON_MIDDLE: return MouseButton::Middle;
    default: return std::nullopt;
    }
}

std::optional<InputEvent> TranslateWindowEvent(const SDL_WindowEvent& e)
{
    switch (e.event) {
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SIZE_CHANGED: return ExposeEvent{};
    case SDL_WINDOWEVENT_FOCUS_GAINED: return FocusEvent{true};
    case SDL_WINDOWEVENT_FOCUS_LOST: return FocusEvent{false};
    case SDL_WINDOWEVENT_MINIMIZED: return MinimiseEvent{true};
    case SDL_WINDOWEVENT_RESTORED: return MinimiseEvent{false};
    default: return std::nullopt;
    }
}

// Mouse positions arrive in window units and go on in frame pixels.
template <typename ToFrame>
std::optional<InputEvent> Translate(const SDL_Event& e, const ToFrame& toFrame, Gamepads& pads)
{
    switch (e.type) {
    case SDL_QUIT: return QuitEvent{};
    case SDL_WINDOWEVENT: return TranslateWindowEvent(e.window);
    case SDL_KEYDOWN: {
        const uint16_t key = VirtualKey(e.key.keysym.scancode);
        if (key == 0) return std::nullopt;
        return KeyDownEvent{key, ShiftStateOf(e.key.keysym.mod), LayoutKey(e.key.keysym.sym, key)};
    }
    case SDL_KEYUP: {
        const uint16_t key = VirtualKey(e.key.keysym.scancode);
        if (key == 0) return std::nullopt;
        return KeyUpEvent{key};
    }
    case SDL_TEXTINPUT: return TextEvent{e.text.text};
    case SDL_AUDIODEVICEADDED:
    case SDL_AUDIODEVICEREMOVED:
        if (e.adevice.iscapture) return std::nullopt;
        return AudioDeviceEvent{e.type == SDL_AUDIODEVICEADDED};
    case SDL_MOUSEBUTTONDOWN:
        if (auto b = GameButton(e.button.button)) {
            const FramePoint p = toFrame(e.button.x, e.button.y);
            return MouseDownEvent{*b, p.X, p.Y};
        }
        return std::nullopt;
    case SDL_MOUSEBUTTONUP:
        if (auto b = GameButton(e.button.button)) {
            const FramePoint p = toFrame(e.button.x, e.button.y);
            return MouseUpEvent{*b, p.X, p.Y};
        }
        return std::nullopt;
    case SDL_MOUSEMOTION: {
        const FramePoint p = toFrame(e.motion.x, e.motion.y);
        return MouseMoveEvent{p.X, p.Y};
    }
    case SDL_MOUSEWHEEL: {
        const int notches = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
        return WheelEvent{notches * 120};
    }
    default: return pads.Translate(e);
    }
}

// The last of a run of pointer moves waiting at the head of the queue: a
// flood of moves costs one handler call, not one each.
void SkipToLastMove(SDL_Event& e)
{
    SDL_Event next;
    while (SDL_PeepEvents(&next, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1 &&
           next.type == SDL_MOUSEMOTION)
        SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_MOUSEMOTION, SDL_MOUSEMOTION);
}

bool HasRealDisplay()
{
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver != nullptr && std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0;
}

}  // namespace

struct Window::Impl {
    SDL_Window* window = nullptr;
    // None when the window's own surface is drawn into by the scaler.
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    int textureW = 0;
    int textureH = 0;
    uint32_t textureFormat = SDL_PIXELFORMAT_BGR24;
    ScalingStyle style = ScalingStyle::Sharp;
    // The frame last presented, which pointer positions are mapped onto.
    Extent frame{800, 600};
    FrameScaler scaler;
    // Where the bars were last filled black, on the surface marked with this
    // record's address: a new surface (after a resize) has no mark.
    Placement barsFilled;
    // The window's picture in 4-byte pixels, for a surface of another format.
    std::vector<uint8_t> converted;
    std::array<struct sigaction, QuitSignals.size()> previousHandlers{};
    Gamepads pads;

    ~Impl()
    {
        if (texture) SDL_DestroyTexture(texture);
        if (renderer) SDL_DestroyRenderer(renderer);
        if (window) SDL_DestroyWindow(window);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        for (std::size_t i = 0; i < QuitSignals.size(); ++i) sigaction(QuitSignals[i], &previousHandlers[i], nullptr);
    }

    void CatchQuitSignals()
    {
        quitSignalled = 0;
        struct sigaction action {};
        action.sa_handler = NoteQuitSignal;
        sigemptyset(&action.sa_mask);
        for (std::size_t i = 0; i < QuitSignals.size(); ++i) sigaction(QuitSignals[i], &action, &previousHandlers[i]);
    }

    // An accelerated renderer where there is a real display and SDL finds
    // one. Otherwise, and when SDL_RENDER_DRIVER asks for "software", the
    // scaler draws each frame at its final size straight into the window's
    // surface: SDL's software renderer would scale it a second time.
    void ChooseRenderer()
    {
        const char* asked = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
        const bool software = asked != nullptr && SDL_strcasecmp(asked, "software") == 0;
        if (HasRealDisplay() && !software) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED);
        SDL_RendererInfo info{};
        if (renderer && (SDL_GetRendererInfo(renderer, &info) != 0 || (info.flags & SDL_RENDERER_ACCELERATED) == 0)) {
            SDL_DestroyRenderer(renderer);
            renderer = nullptr;
        }
        if (!renderer && !SDL_GetWindowSurface(window))
            throw std::runtime_error(std::string("Cannot draw in the window: ") + SDL_GetError());
    }

    // The texture takes the window's own 32-bit format when it has one, so
    // that the renderer's copy is a plain copy; the frame's rows are widened
    // into it by Upload. Other windows get a texture of the frame's format.
    void EnsureTexture(int w, int h)
    {
        if (texture && textureW == w && textureH == h) return;
        if (texture) SDL_DestroyTexture(texture);
        const uint32_t windowFormat = SDL_GetWindowPixelFormat(window);
        textureFormat = windowFormat == SDL_PIXELFORMAT_RGB888 ? SDL_PIXELFORMAT_RGB888 : SDL_PIXELFORMAT_BGR24;
        texture = SDL_CreateTexture(renderer, textureFormat, SDL_TEXTUREACCESS_STREAMING, w, h);
        textureW = w;
        textureH = h;
    }

    void Upload(const Bitmap& picture)
    {
        if (textureFormat != SDL_PIXELFORMAT_RGB888) {
            SDL_UpdateTexture(texture, nullptr, picture.Data(), picture.Stride());
            return;
        }
        void* pixels = nullptr;
        int pitch = 0;
        if (SDL_LockTexture(texture, nullptr, &pixels, &pitch) != 0) return;
        for (int y = 0; y < picture.Height(); ++y)
            WidenRow(picture.Row(y), static_cast<uint8_t*>(pixels) + static_cast<std::ptrdiff_t>(y) * pitch,
                     picture.Width());
        SDL_UnlockTexture(texture);
    }

    Extent Output() const
    {
        Extent out;
        if (renderer) SDL_GetRendererOutputSize(renderer, &out.Width, &out.Height);
        else SDL_GetWindowSizeInPixels(window, &out.Width, &out.Height);
        return out;
    }

    Extent WindowSize() const
    {
        Extent size;
        SDL_GetWindowSize(window, &size.Width, &size.Height);
        return size;
    }

    // The renderer scales the texture; only the bars are filled, as clearing
    // the whole output first would cost a second pass over every pixel.
    void PresentByRenderer(const Bitmap& picture)
    {
        EnsureTexture(picture.Width(), picture.Height());
        if (!texture) return;
        Upload(picture);
        const Extent out = Output();
        const Placement p = PlaceFrame(out, frame, style);
        SDL_SetTextureScaleMode(texture, style == ScalingStyle::Smooth ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
        const SDL_Rect bars[4] = {
            {0, 0, out.Width, p.Top},
            {0, p.Top + p.Height, out.Width, out.Height - p.Top - p.Height},
            {0, p.Top, p.Left, p.Height},
            {p.Left + p.Width, p.Top, out.Width - p.Left - p.Width, p.Height},
        };
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        for (const SDL_Rect& bar : bars)
            if (bar.w > 0 && bar.h > 0) SDL_RenderFillRect(renderer, &bar);
        const SDL_Rect target{p.Left, p.Top, p.Width, p.Height};
        SDL_RenderCopy(renderer, texture, nullptr, &target);
        SDL_RenderPresent(renderer);
    }

    // The scaler draws into the surface's own pixels when they are 4-byte
    // blue-green-red (the usual X11 and offscreen surfaces), and into a copy
    // converted by SDL otherwise. The bars are drawn once per surface and
    // placement: nothing else ever writes there.
    void PresentOnSurface(const Bitmap& picture)
    {
        SDL_Surface* surface = SDL_GetWindowSurface(window);
        if (!surface) return;
        const Extent out{surface->w, surface->h};
        const Placement p = PlaceFrame(out, frame, style);
        const bool direct = surface->format->format == SDL_PIXELFORMAT_RGB888 ||
                            surface->format->format == SDL_PIXELFORMAT_ARGB8888;
        if (!direct) converted.resize(static_cast<std::size_t>(out.Width) * out.Height * 4);
        if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return;
        uint8_t* pixels = direct ? static_cast<uint8_t*>(surface->pixels) : converted.data();
        const int pitch = direct ? surface->pitch : out.Width * 4;
        if (!direct || surface->userdata != this || barsFilled != p) {
            FillBars(pixels, pitch, out, p);
            surface->userdata = this;
            barsFilled = p;
        }
        scaler.Draw(picture, p, style, pixels, pitch);
        if (!direct)
            SDL_ConvertPixels(out.Width, out.Height, SDL_PIXELFORMAT_RGB888, pixels, pitch, surface->format->format,
                              surface->pixels, surface->pitch);
        if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
        SDL_UpdateWindowSurface(window);
    }

    Bitmap Screenshot() const
    {
        const Extent out = Output();
        Bitmap shot(out.Width, out.Height);
        if (renderer) {
            SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_BGR24, shot.Data(), shot.Stride());
            return shot;
        }
        SDL_Surface* surface = SDL_GetWindowSurface(window);
        if (surface && surface->w == out.Width && surface->h == out.Height)
            SDL_ConvertPixels(out.Width, out.Height, surface->format->format, surface->pixels, surface->pitch,
                              SDL_PIXELFORMAT_BGR24, shot.Data(), shot.Stride());
        return shot;
    }
};

Window::Window() : impl_(std::make_unique<Impl>())
{
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        throw std::runtime_error(std::string("Cannot start the video system: ") + SDL_GetError());
    impl_->window = SDL_CreateWindow("kvspace", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 800, 600,
                                     SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI);
    if (!impl_->window) throw std::runtime_error(std::string("Cannot open the window: ") + SDL_GetError());
    impl_->ChooseRenderer();
    impl_->CatchQuitSignals();
}

Window::~Window() = default;

void Window::Show() { SDL_ShowWindow(impl_->window); }

void Window::Resize(int width, int height)
{
    if (impl_->WindowSize() == Extent{width, height}) return;
    SDL_SetWindowSize(impl_->window, width, height);
    Centre();
}

void Window::Centre()
{
    SDL_SetWindowPosition(impl_->window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
}

int Window::Width() const { return impl_->WindowSize().Width; }

int Window::Height() const { return impl_->WindowSize().Height; }

Extent Window::Output() const { return impl_->Output(); }

Extent Window::UsableDesktop() const
{
    SDL_Rect bounds{};
    const int display = std::max(SDL_GetWindowDisplayIndex(impl_->window), 0);
    if (SDL_GetDisplayUsableBounds(display, &bounds) != 0) return Extent{800, 600};
    return Extent{bounds.w, bounds.h};
}

void Window::BecomeGameWindow()
{
    SDL_SetWindowBordered(impl_->window, SDL_TRUE);
    SDL_SetWindowResizable(impl_->window, SDL_TRUE);
    SDL_SetWindowMinimumSize(impl_->window, 200, 150);
}

void Window::ShowSystemPointer(bool shown) { SDL_ShowCursor(shown ? SDL_ENABLE : SDL_DISABLE); }

void Window::SetTextInput(bool on)
{
    if (on == (SDL_IsTextInputActive() == SDL_TRUE)) return;
    if (on) SDL_StartTextInput();
    else SDL_StopTextInput();
}

void Window::SetDesktopFullscreen(bool on)
{
    SDL_SetWindowFullscreen(impl_->window, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
}

bool Window::DesktopFullscreen() const
{
    return (SDL_GetWindowFlags(impl_->window) & SDL_WINDOW_FULLSCREEN_DESKTOP) == SDL_WINDOW_FULLSCREEN_DESKTOP;
}

void Window::SetScaling(ScalingStyle style) { impl_->style = style; }

ScalingStyle Window::Scaling() const { return impl_->style; }

std::string Window::RendererName() const
{
    if (!impl_->renderer) return "software";
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(impl_->renderer, &info) != 0 || info.name == nullptr) return "";
    return info.name;
}

void Window::Present(const Bitmap& frame)
{
    if (frame.Empty()) return;
    impl_->frame = Extent{frame.Width(), frame.Height()};
    if (impl_->renderer) impl_->PresentByRenderer(frame);
    else impl_->PresentOnSurface(frame);
}

Bitmap Window::Screenshot() const { return impl_->Screenshot(); }

FramePoint Window::ToFrame(int x, int y) const
{
    const Extent out = impl_->Output();
    return FramePixelAt(x, y, impl_->WindowSize(), out, PlaceFrame(out, impl_->frame, impl_->style), impl_->frame);
}

std::optional<InputEvent> Window::WaitEvent(int timeoutMs)
{
    const uint64_t deadline = SDL_GetTicks64() + static_cast<uint64_t>(timeoutMs > 0 ? timeoutMs : 0);
    const auto toFrame = [this](int x, int y) { return ToFrame(x, y); };
    for (;;) {
        if (quitSignalled) {
            quitSignalled = 0;
            return QuitEvent{};
        }
        if (auto pending = impl_->pads.TakePending()) return pending;
        const auto now = SDL_GetTicks64();
        const int remaining = now < deadline ? static_cast<int>(deadline - now) : 0;
        SDL_Event e;
        const int got = remaining == 0 ? SDL_PollEvent(&e) : SDL_WaitEventTimeout(&e, remaining);
        if (!got) return std::nullopt;
        if (e.type == SDL_MOUSEMOTION) SkipToLastMove(e);
        if (auto translated = Translate(e, toFrame, impl_->pads)) return translated;
    }
}

std::optional<std::string> Window::StartGamepads(const std::string& mappingsPath)
{
    return impl_->pads.Start(mappingsPath);
}

std::optional<DisplayMode> Window::SystemMode(int index) const
{
    SDL_DisplayMode m;
    if (index >= SDL_GetNumDisplayModes(0) || SDL_GetDisplayMode(0, index, &m) != 0) return std::nullopt;
    return DisplayMode{m.w, m.h, static_cast<int>(SDL_BYTESPERPIXEL(m.format)) * 8, m.refresh_rate, m.format};
}

static SDL_DisplayMode ToSdl(const DisplayMode& mode)
{
    SDL_DisplayMode m{};
    m.format = mode.Format;
    m.w = mode.Width;
    m.h = mode.Height;
    m.refresh_rate = mode.RefreshRate;
    return m;
}

bool Window::CanSwitchTo(const DisplayMode& mode) const
{
    const SDL_DisplayMode wanted = ToSdl(mode);
    SDL_DisplayMode closest;
    if (!SDL_GetClosestDisplayMode(0, &wanted, &closest)) return false;
    return closest.w == wanted.w && closest.h == wanted.h;
}

void Window::SwitchTo(const DisplayMode& mode)
{
    const SDL_DisplayMode m = ToSdl(mode);
    SDL_SetWindowDisplayMode(impl_->window, &m);
    SDL_SetWindowFullscreen(impl_->window, SDL_WINDOW_FULLSCREEN);
}

void Window::RestoreDesktopMode()
{
    SDL_SetWindowFullscreen(impl_->window, 0);
    Resize(800, 600);
    Centre();
}

void Window::ShowMessage(const std::string& title, const std::string& text)
{
    std::cerr << title << ": " << text << '\n';
    if (HasRealDisplay())
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), text.c_str(), impl_->window);
}

std::optional<std::string> Window::SetIcon(const std::vector<uint8_t>& rgba, int size)
{
    if (size <= 0 || rgba.size() != static_cast<std::size_t>(size) * static_cast<std::size_t>(size) * 4)
        return "the icon's pixels do not make a square of " + std::to_string(size);
    // SDL only reads the pixels: the surface borrows them for the call.
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint8_t*>(rgba.data()), size, size, 32,
                                                           size * 4, SDL_PIXELFORMAT_RGBA32);
    if (icon == nullptr) return std::string("cannot make the icon: ") + SDL_GetError();
    SDL_SetWindowIcon(impl_->window, icon);
    SDL_FreeSurface(icon);
    return std::nullopt;
}

void ShowStartupMessage(const std::string& title, const std::string& text)
{
    std::cerr << title << ": " << text << '\n';
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return;
    if (HasRealDisplay()) SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), text.c_str(), nullptr);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

}  // namespace kv
