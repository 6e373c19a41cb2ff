#include "widgets/GlyphList.h"

#include "platform/Graphics.h"
#include "platform/SysUtils.h"

#include <algorithm>

TGlyphList::TGlyphList(int width, int height) : TImageList(width, height) {}

int TGlyphList::AllocateIndex() {
    auto free = std::find(FUsed.begin(), FUsed.end(), false);
    int index = static_cast<int>(free - FUsed.begin());
    if (free == FUsed.end()) {
        AddEmpty();
        FUsed.push_back(false);
    }
    FUsed[index] = true;
    return index;
}

// An image that cannot be put in gives its slot back.
int TGlyphList::PlaceImage(const std::function<void(int index)>& put) {
    int index = AllocateIndex();
    try {
        put(index);
    } catch (const EInvalidOperation&) {
        FUsed[index] = false;
        throw EInvalidOperation("Unable to Replace Image");
    }
    ++FUsedCount;
    return index;
}

int TGlyphList::AddImage(const TBitmap& image, const TBitmap& mask) {
    return PlaceImage([&](int index) { Replace(index, image, &mask); });
}

int TGlyphList::AddMaskedImage(const TBitmap& image, TColor maskColor) {
    return PlaceImage([&](int index) { ReplaceMasked(index, image, ColorToRGB(maskColor)); });
}

void TGlyphList::DeleteImage(int index) {
    if (index < 0 || index >= static_cast<int>(FUsed.size()) || !FUsed[index])
        return;
    FUsed[index] = false;
    --FUsedCount;
}

TGlyphList* TGlyphCache::ListOfSize(int width, int height) {
    for (auto list = FLists.rbegin(); list != FLists.rend(); ++list)
        if ((*list)->Width() == width && (*list)->Height() == height)
            return list->get();
    FLists.push_back(std::make_unique<TGlyphList>(width, height));
    return FLists.back().get();
}

void TGlyphCache::ReturnList(TGlyphList* list) {
    if (!list || list->UsedCount() > 0)
        return;
    std::erase_if(FLists,
                  [list](const std::unique_ptr<TGlyphList>& held) { return held.get() == list; });
}
