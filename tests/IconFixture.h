#pragma once
// An icon file built byte by byte: one 16 x 16 picture of 32 bits, every pixel of one colour.

#include "platform/SysUtils.h"

#include <cstdint>

namespace IconFixture {

inline void PutLE(String& bytes, uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes += char((value >> (8 * i)) & 0xFF);
}

// colour as 0xAARRGGBB.
inline String SolidIcon(uint32_t colour) {
    const int side = 16;
    const uint32_t imageSize = 40 + side * side * 4 + side * 4; // header, pixels, AND mask
    String bytes;
    PutLE(bytes, 0, 2); // reserved
    PutLE(bytes, 1, 2); // an icon
    PutLE(bytes, 1, 2); // one picture
    bytes += char(side);
    bytes += char(side);
    PutLE(bytes, 0, 2); // no palette, reserved
    PutLE(bytes, 1, 2); // planes
    PutLE(bytes, 32, 2);
    PutLE(bytes, imageSize, 4);
    PutLE(bytes, 22, 4); // offset of the picture
    PutLE(bytes, 40, 4);
    PutLE(bytes, side, 4);
    PutLE(bytes, side * 2, 4); // the picture and its mask
    PutLE(bytes, 1, 2);
    PutLE(bytes, 32, 2);
    PutLE(bytes, 0, 4);
    PutLE(bytes, side * side * 4 + side * 4, 4);
    for (int i = 0; i < 4; ++i)
        PutLE(bytes, 0, 4);
    for (int i = 0; i < side * side; ++i)
        PutLE(bytes, colour, 4);
    bytes += String(side * 4, '\0');
    return bytes;
}

} // namespace IconFixture
