#pragma once
// Image lists: pictures of one size, each with a mask that says which of its pixels are drawn.

#include "platform/Component.h"
#include "platform/Graphics.h"

#include <functional>
#include <memory>

struct TImageListImages;

class TImageList : public TComponent {
public:
    // The size of every image, in pixels.
    TImageList(int width, int height, TComponent* AOwner = nullptr);
    ~TImageList() override;

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    int Count() const;

    // An empty image: nothing of it is drawn. Returns the new image's index.
    int AddEmpty();
    // Puts the top-left Width x Height part of image at an index; mask (when given) is a picture
    // of the same size whose white pixels leave the image's pixels out, maskColor leaves out the
    // pixels of that colour. A wrong index raises EInvalidOperation "Invalid ImageList Index", a
    // picture smaller than the list's size "Invalid image size".
    void Replace(int index, const TBitmap& image, const TBitmap* mask);
    void ReplaceMasked(int index, const TBitmap& image, TColor maskColor);

    // Draws an image with its left-out pixels showing what is behind (background clNone), or
    // filled with the background colour.
    void Draw(TCanvas& canvas, int x, int y, int index, TColor background = clNone) const;

private:
    void CheckIndex(int index) const;

    int FWidth;
    int FHeight;
    std::unique_ptr<TImageListImages> FImages;
};
