// Small picture helpers shared by the drawing tests.
#pragma once

#include "platform/Bitmap.h"

namespace kv::testing {

inline Bitmap Blank(int w, int h, Rgb c = White)
{
    Bitmap b(w, h);
    b.Fill(c);
    return b;
}

// How many pixels of the picture have the colour.
inline int Count(const Bitmap& b, Rgb c)
{
    int n = 0;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) n += b.Pixel(x, y) == c ? 1 : 0;
    return n;
}

}  // namespace kv::testing
