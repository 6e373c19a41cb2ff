#pragma once
// The image-map command of the tag-button bar: a new map drawn on a picture, or the selected map
// read back into the editor and rewritten in its place.

#include "editor/MainFormFeature.h"

class TImageMapCommand : public TMainFormFeature {
public:
    using TMainFormFeature::TMainFormFeature;
    void Bind() override;

    void ImageMapButtonClick(TObject* Sender);
    // Reads the active page's selection into the editor: 1 when it is not a map (the page is
    // untouched), -1 when the map was read and taken out of the page, 0 when the map cannot be
    // edited (its image tag is missing, or the user kept what the editor would lose): the page
    // is untouched and the command ends.
    int ParseImageMap();
};
