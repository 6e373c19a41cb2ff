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

    // Adds the top-left Width x Height part of image; mask (when given) is a picture of the same
    // size whose white pixels leave the image's pixels out. Returns the new image's index.
    // An image smaller than the list's size raises EInvalidOperation "Invalid image size".
    int Add(const TBitmap& image, const TBitmap* mask);
    // Adds the image with every pixel of maskColor left out.
    int AddMasked(const TBitmap& image, TColor maskColor);
    // An empty image: nothing of it is drawn.
    int AddEmpty();
    // Put a new picture at an index; a wrong index raises EInvalidOperation
    // "Invalid ImageList Index", a picture too small "Invalid image size".
    void Replace(int index, const TBitmap& image, const TBitmap* mask);
    void ReplaceMasked(int index, const TBitmap& image, TColor maskColor);
    void Delete(int index);

    // Draws an image with its left-out pixels showing what is behind (background clNone), or
    // filled with the background colour.
    void Draw(TCanvas& canvas, int x, int y, int index, TColor background = clNone) const;

private:
    void CheckIndex(int index) const;
    // Adds an empty image and has fill put the picture in at its index.
    int AddFilled(const std::function<void(int index)>& fill);

    int FWidth;
    int FHeight;
    std::unique_ptr<TImageListImages> FImages;
};
