#pragma once
// The clipboard, undo and select all: the Edit menu's items, the pages' pop-up menu's and the
// edit toolbar's buttons, all working on the active page, and their state as the menus open.

#include "editor/MainFormFeature.h"

class TQmToolbarButton;

class TEditCommands : public TMainFormFeature {
public:
    using TMainFormFeature::TMainFormFeature;
    // The Edit menu's items head it and the pop-up menu's follow Remove Text Formatting; the
    // buttons lead the edit toolbar.
    void Build() override;
    void Bind() override;
    // The commands need a page, or help-pointer mode.
    void UpdateCommands() override;
    // The Edit menu offers what the active page's selection, the clipboard and its undo allow;
    // the pop-up menu likewise, without help-pointer mode.
    void MenuOpening(TMenuItem& menu) override;

    void Undo1Click(TObject* Sender);
    void Cut1Click(TObject* Sender);
    void Copy1Click(TObject* Sender);
    void Paste1Click(TObject* Sender);
    void SelectAll1Click(TObject* Sender);

    TMenuItem* Undo1 = nullptr;
    TMenuItem* Cut1 = nullptr;
    TMenuItem* Copy1 = nullptr;
    TMenuItem* Paste1 = nullptr;
    TMenuItem* SelectAll2 = nullptr;
    TMenuItem* Undo2 = nullptr;
    TMenuItem* Cut2 = nullptr;
    TMenuItem* Copy4 = nullptr;
    TMenuItem* Paste2 = nullptr;
    TMenuItem* SelectAll1 = nullptr;
    TQmToolbarButton* CutButton = nullptr;
    TQmToolbarButton* CopyButton = nullptr;
    TQmToolbarButton* PasteButton = nullptr;

private:
    void BuildEditMenu();
    void BuildPopupMenu();
    void BuildToolbarButtons();
    void EditMenuOpening();
    void PopupMenuOpening();
};
