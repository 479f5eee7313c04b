// The program icon: a small warship running before a curling wave, drawn
// pixel by pixel at each size so both stay crisp.
#include <stdexcept>
#include <vector>

#include "skin.h"

namespace {

// One character per pixel; '.' is clear.
Rgba ink(char c) {
    switch (c) {
        case 'k': return {16, 24, 40, 255};     // outline
        case 'h': return {76, 84, 98, 255};     // hull
        case 'g': return {168, 174, 184, 255};  // superstructure
        case 'w': return {236, 240, 246, 255};  // paint and windows lit
        case 'r': return {196, 32, 32, 255};    // boot-topping and funnel band
        case 'n': return {10, 40, 120, 255};    // deep water, windows
        case 'b': return {24, 96, 200, 255};    // water
        case 'B': return {70, 150, 235, 255};   // water in the light
        case 'f': return {236, 244, 255, 255};  // foam
        case '.': return {0, 0, 0, 0};
    }
    throw std::logic_error("icon: unknown ink");
}

RgbaImage fromRows(const std::vector<const char*>& rows) {
    const int size = int(rows.size());
    RgbaImage img(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            if (!rows[y][x]) throw std::logic_error("icon: short row");
            img.at(x, y) = ink(rows[y][x]);
        }
    return img;
}

RgbaImage large() {
    return fromRows({
        "................................",
        "................................",
        "................................",
        "......................k.........",
        "......................k.........",
        "....................kkkkk.......",
        "......................k.........",
        "......................k.........",
        ".......kkk.......kkk..k.........",
        ".....kkfffkk.....krk..k.........",
        "....kffBBBffk....kkk.kkkkk......",
        "...kfBBnnnBBfk...kgk.kwnnk......",
        "..kfBBnkkknBBk...kgk.kwwwk......",
        "..kfBnk...knBk.kkkkkkkkkkkkk....",
        ".kfBnk.....kk..kgggggggggggk....",
        ".kfBnk.........kwwwwwwwwwwwk..kk",
        ".kfBBk....kkkkkkkkkkkkkkkkkkkkhk",
        "kfBBnk....khhhhhhhhhhhhhhhhhhhk.",
        "kfBBnk.....khhhhhhhhhhhhhhhhhk..",
        "kfBBBnk....khhhhhhhhhhhhhhhhk...",
        "kfBBBnnk....krrrrrrrrrrrrrrrk...",
        "kBBBBBnnkffffffffffffffffffffffk",
        "kBBBBBBnnBBBBBBBBBBBBBBBBBBBBBBk",
        "kBBBBBBBbbbbBBBBBBbbbbBBBBBBbbbk",
        "kbbBBBBbbbbbbbbbbbbbbbbbbbbbbbbk",
        "kbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbk",
        "kbbbbbbbnnnnbbbbbbbbnnnnbbbbbbbk",
        "kbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbk",
        "knbbbbbbbbbbbbbbbbbbbbbbbbbbbbnk",
        ".knnbbbbbbbbbbbbbbbbbbbbbbbbnnk.",
        "..kknnnnnnnnnnnnnnnnnnnnnnnnkk..",
        "....kkkkkkkkkkkkkkkkkkkkkkkk....",
    });
}

// Not a scaled copy: at this size the curl shrinks and the ship gets the room.
RgbaImage small() {
    return fromRows({
        "................",
        "..........k.....",
        ".........kkk....",
        ".......kk.k.....",
        ".......rk.kkkk..",
        ".......kkkkwnk..",
        ".kkk..kgggggggkk",
        "kfffk.khhhhhhhhk",
        "kBnnfkhhhhhhhhk.",
        "kBk.kkhhhhhhhk..",
        "kBk...krrrrrrk..",
        "kBBkfffffffffffk",
        "kBBBBBBBBBBBBBBk",
        "kbbbbbbbbbbbbbbk",
        ".kbbbnnbbbnnbbk.",
        "..kkkkkkkkkkkk..",
    });
}

}  // namespace

std::vector<RgbaImage> paintIcon() { return {large(), small()}; }
