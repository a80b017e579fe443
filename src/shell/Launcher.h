// The launcher's four controls, drawn by the game itself over the launcher
// picture: the display-mode drop-down list, "Play", "Exit" and the
// "Enable sound" check box, all in yellow. The drop-down list opens below
// itself; while it is open the window grows to show every item.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/Input.h"

namespace kv {

enum class LauncherAction { None, Select, Play, Exit, ToggleSound, Resize };

class Launcher {
public:
    void SetItems(std::vector<std::string> items);
    const std::vector<std::string>& Items() const { return items_; }
    int SelectedItem() const { return selected_; }
    bool SoundChecked() const { return soundChecked_; }
    void SetSoundChecked(bool checked) { soundChecked_ = checked; }
    // Shows item `item` as chosen (an index past the list is ignored).
    void Select(int item);
    bool ListOpen() const { return listOpen_; }
    // The window height the launcher wants: 100, or taller with the list open.
    int WantedHeight() const;

    LauncherAction MouseDown(int x, int y);
    LauncherAction MouseMove(int x, int y);
    LauncherAction MouseUp(int x, int y);
    LauncherAction KeyDown(uint16_t key);
    LauncherAction Wheel(int delta);

    // Draws the controls over the launcher picture into a frame of the
    // wanted height.
    void Compose(const Bitmap& picture, Bitmap& frame) const;

    // Areas of the controls, as (left, top, width, height).
    struct Box {
        int Left, Top, Width, Height;
        bool Contains(int x, int y) const { return x >= Left && y >= Top && x < Left + Width && y < Top + Height; }
    };
    static constexpr Box ComboBox{10, 48, 177, 21};
    static constexpr Box PlayButton{197, 48, 75, 17};
    static constexpr Box ExitButton{197, 72, 75, 17};
    static constexpr Box SoundBox{13, 72, 177, 17};
    static constexpr int ItemHeight = 15;
    Box ListBox() const;

private:
    std::optional<int> ItemAt(int x, int y) const;
    LauncherAction Choose(int item);
    void DrawCombo(Bitmap& frame) const;
    void DrawList(Bitmap& frame) const;
    void DrawButton(Bitmap& frame, const Box& box, const char* caption, bool pressed) const;
    void DrawCheckBox(Bitmap& frame) const;

    std::vector<std::string> items_;
    int selected_ = 0;
    int hovered_ = -1;
    bool listOpen_ = false;
    bool soundChecked_ = false;
    enum class Pressed { None, Play, Exit } pressed_ = Pressed::None;
};

}  // namespace kv
