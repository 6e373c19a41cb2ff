#pragma once
// Attributes of the tag at the caret: the catalogue's attributes for it offered in a small
// dialog, and the one chosen written just before the tag's '>'. The Edit menu's item works at
// the caret, the pages' pop-up menu's item at the tag that was right-clicked.

#include "editor/MainFormFeature.h"

class TForm;
class TRichEdit;

class TTagAttributes : public TMainFormFeature {
public:
    using TMainFormFeature::TMainFormFeature;
    void Build() override;
    void Bind() override;
    // The Edit menu's item is offered when the caret stands in a tag; the pop-up menu's names the
    // start tag it would work on, and is offered in no other tag.
    void MenuOpening(TMenuItem& menu) override;

    void Attributes1Click(TObject* Sender);

    TMenuItem* InsertAttribute1 = nullptr;
    TMenuItem* Attributes1 = nullptr;

private:
    void NameTagInPopupItem();
    void EditTagAttributes();
    // The tag around the caret: the position of its '>' and its name, or -1 when the caret
    // stands outside a tag or the tag is not closed.
    static int TagAroundCaret(const String& text, int caret, String& tagName);
    // The dialog's top-left corner at the last press in the editor, kept above the screen's
    // bottom 40 pixels and within its width.
    void PlaceAttributeDialog(TForm* dialog, TRichEdit* editor) const;
    // The attribute, after a blank, just before the tag's '>', in the attribute colour.
    void WriteAttribute(TRichEdit* editor, int closePosition, const String& attribute,
                        int firstVisible);
};
