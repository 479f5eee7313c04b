// Drawing on 16-colour palette pictures, pixel by pixel. Rectangles and lines
// are in whole pixels; polygons and ellipses are filled where they cover a
// pixel's centre, so a shape given in fractional coordinates stays symmetric.
#pragma once

#include <initializer_list>
#include <vector>

#include "bmp_file.h"

// The standard Windows 16-colour palette, in its usual order.
enum Vga : uint8_t {
    Black, Maroon, Green, Olive, Navy, Purple, Teal, Silver,
    Grey, Red, Lime, Yellow, Blue, Fuchsia, Aqua, White
};

std::vector<Rgb> vgaPalette();
Picture vgaPicture(int w, int h, uint8_t fill);

struct Pt {
    double x, y;
};

void fillRect(Picture& p, int x, int y, int w, int h, uint8_t c);
void hline(Picture& p, int x0, int x1, int y, uint8_t c);
void vline(Picture& p, int x, int y0, int y1, uint8_t c);
void line(Picture& p, int x0, int y0, int x1, int y1, uint8_t c);
void fillPolygon(Picture& p, const std::vector<Pt>& pts, uint8_t c);
void fillEllipse(Picture& p, double cx, double cy, double rx, double ry, uint8_t c);
// Just the ring of an ellipse: pixels inside (rx, ry) but not inside (rx - 1, ry - 1).
void ellipseRing(Picture& p, double cx, double cy, double rx, double ry, uint8_t c);

// A small drawing given as rows of text. Each character names an ink;
// characters without an ink ('.' by habit) leave the picture alone.
struct Ink {
    char key;
    uint8_t color;
};
void stamp(Picture& p, int x, int y, std::initializer_list<const char*> rows, std::initializer_list<Ink> inks);

// Recolours every pixel of colour `from` inside the rectangle.
void recolor(Picture& p, int x, int y, int w, int h, uint8_t from, uint8_t to);
