// Scenario lines that click the HUD's items where the layout puts them.
#pragma once

#include <string>
#include <string_view>

#include "hud/Layout.h"

namespace kv::testing {

// A click at the middle of the item while its window is out.
inline std::string ClickOn(const WindowLayout& window, std::string_view item)
{
    const Box& r = ItemNamed(window, item).Rect;
    const int x = window.Shown.Left + (r.Left + r.Right) / 2;
    const int y = window.Shown.Top + (r.Top + r.Bottom) / 2;
    return "click " + std::to_string(x) + " " + std::to_string(y);
}

}  // namespace kv::testing
