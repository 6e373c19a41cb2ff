#pragma once
// What the picture units share: the image behind a bitmap and the depth it is kept at.

#include "platform/Graphics.h"

#include <QImage>

struct TBitmapImage {
    QImage Image;
    TPixelFormat PixelFormat = pfDevice;
};
