// Reduces a true-colour picture to an 8-bit palette picture.
#pragma once

#include <vector>

#include "bmp_file.h"

// Median cut to 256 colours, then Floyd-Steinberg error diffusion. Fully
// deterministic: equal input gives equal bytes.
Picture quantize(const std::vector<Rgb>& pixels, int width, int height);
