// mkassets <game folder> <data folder>
//
// Writes every picture, module and wave the game loads into the game folder,
// below res/ in the game's layout (README.md beside this file lists them all).
// The data folder holds the committed text data; its equipment catalogue
// names the ship pictures and weapon sounds that must exist.
#include <exception>
#include <filesystem>
#include <iostream>

#include "Catalogue.h"
#include "Icons.h"
#include "Music.h"
#include "Pictures.h"
#include "Sounds.h"

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: mkassets <game folder> <data folder>\n";
        return 2;
    }
    try {
        const std::filesystem::path res = std::filesystem::path(argv[1]) / "res";
        const mkassets::Catalogue catalogue = mkassets::ReadCatalogue(argv[2]);
        mkassets::WriteHudPictures(res / "gfx");
        mkassets::WriteScenePictures(res / "gfx");
        mkassets::WriteModelPictures(res / "gfx", catalogue);
        mkassets::WriteMusic(res / "sfx" / "sndtr");
        mkassets::WriteSounds(res / "sfx", catalogue);
        mkassets::WriteIcons(res / "gfx" / "icons");
    } catch (const std::exception& error) {
        std::cerr << "mkassets: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
