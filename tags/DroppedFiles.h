#pragma once
// Files dragged from the file list onto a page: a page becomes a link, an image an IMG tag with
// its size, sound and video an EMBED tag, anything else its bare URL, relative to the page.

#include "editor/MainFormFeature.h"
#include "platform/DragManager.h"

#include <utility>

class TRichEdit;

class TDroppedFiles : public TMainFormFeature {
public:
    using TMainFormFeature::TMainFormFeature;
    void Bind() override;

    void Memo1DragOver(TObject* Sender, TObject* Source, int X, int Y, TDragState State,
                       bool& Accept);
    void Memo1DragDrop(TObject* Sender, TObject* Source, int X, int Y);
    // The caret moved to the drop point as a click there would move it.
    void ClickEditorAt(TRichEdit* editor, int x, int y);

private:
    // The start and end texts for a file dropped on the active page.
    std::pair<String, String> DroppedFileTexts(const String& path);
    // The IMG tag's start text for an image file.
    String DroppedImageTag(const String& path, const String& url, const String& name);
};
