#pragma once
// The Chars page of the tag bar: buttons for the common character references, a list of the
// Latin-1 entities and a map of the characters 33 to 255, and the hidden shortcuts that insert
// the same references. Every reference goes in front of the selection as a start text.

#include "editor/HelpPointer.h"
#include "editor/MainFormFeature.h"

class TQmToolbarButton;

class TSpecialCharacters : public TMainFormFeature {
public:
    using TMainFormFeature::TMainFormFeature;
    void Build() override;
    void Bind() override;

    void AmpButtonClick(TObject* Sender);
    void QuotButtonClick(TObject* Sender);
    void CopyRtButtonClick(TObject* Sender);
    void RegButtonClick(TObject* Sender);
    void QuarterButtonClick(TObject* Sender);
    void HalfButtonClick(TObject* Sender);
    void Quarter3ButtonClick(TObject* Sender);
    void nbspButtonClick(TObject* Sender);
    void OtherCharButtonClick(TObject* Sender);
    void CharMapButtonClick(TObject* Sender);
    void PoundClick(TObject* Sender);
    void LeftAngleClick(TObject* Sender);
    void RightAngleClick(TObject* Sender);
    void Multx1Click(TObject* Sender);
    void Quarter1Click(TObject* Sender);
    void Half1Click(TObject* Sender);
    void Threquarters1Click(TObject* Sender);
    void CharListBoxClick(TObject* Sender);
    void CharListBoxExit(TObject* Sender);
    void CharGridDblClick(TObject* Sender);
    void CharGridExit(TObject* Sender);

    TQmToolbarButton* AmpButton = nullptr;
    TQmToolbarButton* QuotButton = nullptr;
    TQmToolbarButton* CopyRtButton = nullptr;
    TQmToolbarButton* RegButton = nullptr;
    TQmToolbarButton* QuarterButton = nullptr;
    TQmToolbarButton* HalfButton = nullptr;
    TQmToolbarButton* Quarter3Button = nullptr;
    TQmToolbarButton* nbspButton = nullptr;
    TQmToolbarButton* OtherCharButton = nullptr;
    TQmToolbarButton* CharMapButton = nullptr;

private:
    // The help gate (none for help 0), then the reference put in front of the selection.
    void InsertCharacterReference(THelpContext help, const String& reference);
    // The character map's cells filled with their characters, or emptied.
    void FillCharGrid(bool filled);
    void ShowCharGrid(bool shown);
};
