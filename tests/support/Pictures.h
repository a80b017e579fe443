// Small picture helpers shared by the drawing tests.
#pragma once

#include <algorithm>

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

// Whether two pictures are the same size and every pixel alike.
inline bool SamePicture(const Bitmap& a, const Bitmap& b)
{
    return a.Width() == b.Width() && a.Height() == b.Height() &&
           std::equal(a.Data(), a.Data() + a.Stride() * a.Height(), b.Data());
}

}  // namespace kv::testing
