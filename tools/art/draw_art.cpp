// draw_art: paints every picture of Tidewar's skins and the program icon.
//
// Build (from the repository root, standard library only):
//   g++ -std=c++17 -O2 -Wall -Wextra -o build/draw_art tools/art/*.cpp
// or tools/art/build.sh, which also repaints res/ and checks the result.
//
//   draw_art [--theme day|night] DIR        paint a skin into DIR
//   draw_art --icon FILE                    paint the program icon
//   draw_art --about DIR                    paint the About box's logo and hand cursor
//   draw_art --setup DIR                    paint the setup's welcome picture
//   draw_art --check [--theme day|night] DIR  read a skin back and verify it
//   draw_art --check-icon FILE              verify the icon
//   draw_art --preview placement|battle DIR OUT.bmp
//                                           compose a window-sized preview
//
// The output is the same bytes on every run.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "skin.h"

namespace {

int usage() {
    std::fprintf(stderr,
                 "usage: draw_art [--theme day|night] DIR\n"
                 "       draw_art --icon FILE\n"
                 "       draw_art --about DIR\n"
                 "       draw_art --setup DIR\n"
                 "       draw_art --check [--theme day|night] DIR\n"
                 "       draw_art --check-icon FILE\n"
                 "       draw_art --preview placement|battle DIR OUT.bmp\n");
    return 2;
}

Theme parseTheme(const std::string& name) {
    if (name == "day") return Theme::Day;
    if (name == "night") return Theme::Night;
    throw std::invalid_argument("unknown theme '" + name + "' (day or night)");
}

int run(int argc, char** argv) {
    std::string mode = "paint", theme = "day";
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--theme" && i + 1 < argc) theme = argv[++i];
        else if (a == "--icon" || a == "--about" || a == "--setup" || a == "--check" || a == "--check-icon" || a == "--preview") mode = a.substr(2);
        else if (a.rfind("--", 0) == 0) return usage();
        else args.push_back(a);
    }
    if (mode == "paint" && args.size() == 1) {
        std::filesystem::create_directories(args[0]);
        for (const SkinFile& f : paintSkin(parseTheme(theme))) writeFile(args[0] + "/" + f.name, encodeBmp(f.picture));
        return 0;
    }
    if (mode == "icon" && args.size() == 1) {
        writeFile(args[0], encodeIco(paintIcon()));
        return 0;
    }
    if (mode == "about" && args.size() == 1) {
        std::vector<bool> clear;
        const Picture hand = paintHandCursor(clear);
        writeFile(args[0] + "/quorvex.bmp", encodeBmp(paintLogo()));
        writeFile(args[0] + "/hand.cur", encodeCursor(hand, clear, 13, 9));
        return 0;
    }
    if (mode == "setup" && args.size() == 1) {
        writeFile(args[0] + "/wizard.bmp", encodeBmp(paintSetupPicture()));
        return 0;
    }
    if (mode == "check" && args.size() == 1) return checkSkin(args[0], parseTheme(theme)) ? 1 : 0;
    if (mode == "check-icon" && args.size() == 1) return checkIcon(args[0]) ? 1 : 0;
    if (mode == "preview" && args.size() == 3 && (args[0] == "placement" || args[0] == "battle")) {
        writeScenePreview(args[1], args[0] == "battle", args[2]);
        return 0;
    }
    return usage();
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "draw_art: %s\n", e.what());
        return 1;
    }
}
