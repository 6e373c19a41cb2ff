#pragma once
// A bitmap turned into a BMP file image of 1, 4, 8 or 24 bits per pixel, and true-colour pixels
// reduced to 8-bit palette indexes by one of six colour mappings.

#include "platform/Classes.h"
#include "platform/Graphics.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

// Pixel-format codes: 1 for 1 bit, 2 for 4 bits, 3 for 8 bits, 4 for 24 bits, 0 for any other.
int PixelFormatOfBitmap(const TBitmap& bitmap);
// 2, 16 and 256 for codes 1, 2 and 3; 0 for any other.
int ColourCountOfFormat(int formatCode);

enum TColourMapping { cmFrequency, cmMedianCut, cmLevels784, cmLevels666, cmChannelRamps, cmGrey };

extern TColourMapping DefaultColourMapping;

// The bitmap as a BMP file image of the format code, in a new stream at position 0. Raises
// "Bitmap image is not valid" for an empty bitmap; a code outside 1-4 reports that it is not
// implemented and aborts.
std::unique_ptr<TMemoryStream> ConvertBitmapToFormat(const TBitmap& bitmap, int formatCode,
                                                     TColourMapping mapping);
// The format that a colour count needs (code 1 up to 2, 2 up to 16, 3 up to 256, 4 above), in
// DefaultColourMapping.
std::unique_ptr<TMemoryStream> ConvertBitmapForColours(const TBitmap& bitmap, int colourCount);

// The 24-bit image reduced in place to one palette index per pixel (an 8-bit DIB) by the
// mapping, which fills the palette and the count of colours used.
void ReduceTo8Bits(TDibImage& dib, TColourMapping mapping, int wantedColours);

// Channel levels and, for every channel value, the index of its nearest level (the lower one on
// equal distance).
struct TLevelTable {
    std::vector<uint8_t> Levels;
    std::array<uint8_t, 256> Nearest{};
};
const TLevelTable& LevelTable(int levelCount); // 4, 6, 7 or 8
