// Feeds arbitrary bytes to the BMP loader as a picture file's content,
// through the same checks and decoder the game's files go through: it either
// loads a picture no larger than it allows or refuses the bytes with a load
// error; it never crashes, hangs, reads out of bounds or allocates beyond the
// size it allows. Nothing is written to the disk.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/BmpFile.h"
#include "platform/LoadError.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::vector<uint8_t> bytes(data, data + size);
    for (kv::PictureSize allowed : {kv::PictureSize{}, kv::Exactly(16, 16), kv::AtMost(92, 92)}) {
        kv::Bitmap picture;
        try {
            kv::LoadBmpBytes(bytes, "fuzzed.bmp", picture, allowed);
        } catch (const kv::LoadError&) {
            continue;
        }
        if (picture.Width() > allowed.Width || picture.Height() > allowed.Height) __builtin_trap();
    }
    return 0;
}
