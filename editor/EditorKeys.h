#pragma once
// The document editors' keys and mouse, and the keys the main window sees before its controls:
// the status panels, keyword help on the tag at the caret, smart tabs, Replace<> mode on Scroll
// Lock and the hidden version sequence.

#include "editor/MainFormFeature.h"
#include "platform/Controls.h"

class TRichEdit;

class TEditorKeys : public TMainFormFeature {
public:
    using TMainFormFeature::TMainFormFeature;
    // Every page's editor, and the window's key preview.
    void Bind() override;

    void Memo1KeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void Memo1KeyUp(TObject* Sender, WORD& Key, TShiftState Shift);
    void Memo1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);

    // Where the mouse was last pressed in an editor, in its client coordinates.
    TPoint EditorMousePoint;

private:
    void ShowKeywordHelp();
    void CopyTabsToNewLine(TRichEdit* editor);
    void TrackVersionSequence(WORD key, TShiftState shift);
    // Set by Backspace while colouring is on: the next key release types in TextColour again.
    bool RestoreTextColour = false;
    // The hidden version sequence's progress.
    bool VersionFirstKeySeen = false;
    bool VersionSecondKeySeen = false;
};
