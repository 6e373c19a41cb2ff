#pragma once
// Icon files built byte by byte: one 16 x 16 picture of 32 bits, every pixel of one colour; and
// an icon or cursor of a side of 4 with a 16- or 256-colour palette, one colour everywhere but in
// its transparent top-left corner.

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

// colour as 0x00RRGGBB; type 1 for an icon, 2 for a cursor with its hot spot; 4 or 8 bits per
// pixel.
inline String PaletteIcon(uint32_t colour, int type = 1, int hotX = 0, int hotY = 0,
                          int bitCount = 4) {
    const int side = 4;
    const uint32_t paletteSize = 1u << bitCount;
    const uint32_t imageSize = 40 + paletteSize * 4 + side * 4 + side * 4; // rows and mask 4 bytes
    String bytes;
    PutLE(bytes, 0, 2);
    PutLE(bytes, static_cast<uint32_t>(type), 2);
    PutLE(bytes, 1, 2);
    bytes += char(side);
    bytes += char(side);
    PutLE(bytes, paletteSize & 0xFF, 1);
    PutLE(bytes, 0, 1);
    PutLE(bytes, static_cast<uint32_t>(type == 2 ? hotX : 1), 2);
    PutLE(bytes, static_cast<uint32_t>(type == 2 ? hotY : bitCount), 2);
    PutLE(bytes, imageSize, 4);
    PutLE(bytes, 22, 4);
    PutLE(bytes, 40, 4);
    PutLE(bytes, side, 4);
    PutLE(bytes, side * 2, 4);
    PutLE(bytes, 1, 2);
    PutLE(bytes, static_cast<uint32_t>(bitCount), 2);
    PutLE(bytes, 0, 4);
    PutLE(bytes, 0, 4);
    for (int i = 0; i < 4; ++i)
        PutLE(bytes, 0, 4);
    PutLE(bytes, 0, 4);      // palette entry 0: black
    PutLE(bytes, colour, 4); // entry 1
    bytes += String((paletteSize - 2) * 4, '\0');
    for (int row = 0; row < side; ++row)
        PutLE(bytes, bitCount == 4 ? 0x1111 : 0x01010101, 4); // four pixels of entry 1
    for (int row = 0; row < side; ++row)
        PutLE(bytes, row == side - 1 ? 0x80 : 0, 4); // the top row's first pixel is clear
    return bytes;
}

} // namespace IconFixture
