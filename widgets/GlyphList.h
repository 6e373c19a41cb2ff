#pragma once
// The image lists that button glyphs keep their state images in: one list per image size, shared
// by every glyph of a kind through a cache, each list reusing the slots that glyphs give back.

#include "platform/Classes.h"
#include "platform/ImgList.h"

#include <functional>
#include <memory>
#include <vector>

// An image list of one image size whose freed slots are used again before it grows.
class TGlyphList : public TImageList {
public:
    TGlyphList(int width, int height);
    // The image with the mask's white pixels left out, in a free slot; returns the slot.
    int AddImage(const TBitmap& image, const TBitmap& mask);
    // The image with its pixels of maskColor left out. Both raise EInvalidOperation "Unable to
    // Replace Image" when the image cannot be put there, and the slot stays free.
    int AddMaskedImage(const TBitmap& image, TColor maskColor);
    // The slot is free again; its image stays for reuse.
    void DeleteImage(int index);
    int UsedCount() const { return FUsedCount; }

private:
    int AllocateIndex();
    int PlaceImage(const std::function<void(int index)>& put);

    std::vector<bool> FUsed;
    int FUsedCount = 0;
};

// The glyph lists of every size that the glyphs of one kind share.
class TGlyphCache : public TObject {
public:
    TGlyphList* ListOfSize(int width, int height);
    // Frees the list once it holds no image.
    void ReturnList(TGlyphList* list);
    bool Empty() const { return FLists.empty(); }

private:
    std::vector<std::unique_ptr<TGlyphList>> FLists;
};
