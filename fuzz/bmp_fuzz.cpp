// Feeds arbitrary bytes to the BMP loader as a picture file: it either loads
// a picture no larger than it allows or refuses the file with a load error;
// it never crashes, hangs, reads out of bounds or allocates beyond the size
// it allows.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/BmpFile.h"
#include "platform/LoadError.h"

namespace {

std::string PicturePath()
{
    const char* folder = std::getenv("TMPDIR");
    return std::string(folder != nullptr ? folder : "/tmp") + "/kvspace_bmp_fuzz_" + std::to_string(getpid()) + ".bmp";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    static const std::string path = PicturePath();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    for (kv::PictureSize allowed : {kv::PictureSize{}, kv::Exactly(16, 16), kv::AtMost(92, 92)}) {
        kv::Bitmap picture;
        try {
            kv::LoadBmpFile(path, picture, allowed);
        } catch (const kv::LoadError&) {
            continue;
        }
        if (picture.Width() > allowed.Width || picture.Height() > allowed.Height) __builtin_trap();
    }
    return 0;
}
