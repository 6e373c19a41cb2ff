#pragma once
// Check Tags: the tag checker's window on the active page's saved file, and the page reloaded
// when the window saved that file. The File menu, the Tools menu (Validate) and the pages' pop-up
// menu each offer it.

#include "editor/MainFormFeature.h"

class TMenuItem;

class TTagChecking : public TMainFormFeature {
public:
    using TMainFormFeature::TMainFormFeature;
    // The File menu's item comes before Close, the Tools menu's first, and the pop-up's after Go
    // To Line.
    void Build() override;
    void Bind() override;
    // The menu bar's items need a page, or help-pointer mode.
    void UpdateCommands() override;

    void Validate1Click(TObject* Sender);

    TMenuItem* Validate1 = nullptr;
    TMenuItem* Validatecurrentfile1 = nullptr;
    // The editor's shortcut menu item of Check Tags.
    TMenuItem* CheckTags1 = nullptr;
};
