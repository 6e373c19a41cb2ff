#pragma once
// Icon and cursor file images read from bytes: the directory of images and the pixels of one
// image (a device-independent bitmap with its mask, or a PNG). Every size and offset is checked
// against the bytes given before anything is read or allocated.

#include "platform/SysUtils.h"

#include <cstddef>
#include <cstdint>
#include <vector>

enum : int { IconResource = 1, CursorResource = 2 };

struct TIconDirEntry {
    int Width = 0; // 0 in the file stands for 256
    int Height = 0;
    uint16_t Planes = 0;   // a cursor's hot spot x
    uint16_t BitCount = 0; // a cursor's hot spot y
    uint32_t BytesInRes = 0;
    uint32_t ImageOffset = 0;
};

struct TIconDirectory {
    int Type = 0; // IconResource or CursorResource
    std::vector<TIconDirEntry> Entries;
};

// Raises EInvalidGraphic when the bytes hold no icon or cursor directory, or an image of it lies
// outside them.
TIconDirectory ReadIconDirectory(const uint8_t* data, size_t size);

// The bit count of the entry's image as its own header gives it; 0 for a PNG image or one too
// short to tell.
int ImageBitCount(const uint8_t* data, size_t size, const TIconDirEntry& entry);

// Pixels as 0xAARRGGBB, the top row first.
struct TIconPixels {
    int Width = 0;
    int Height = 0;
    std::vector<uint32_t> Pixels;
};

// The largest image of the directory (the one with most colours among equals); raises
// EInvalidGraphic when it cannot be read.
TIconPixels DecodeIconFile(const uint8_t* data, size_t size);

// Images larger than this on a side are refused.
constexpr int MaxIconSide = 1024;
