#pragma once
// The element dialogs of the tag bar: link, image, font and base font, mailto link, rule, META
// tags and list. Each fills its dialog, shows it, and puts the element it describes into the
// active page; their buttons stand on the tag bar.

#include "editor/MainFormFeature.h"

class TElementDialogs : public TMainFormFeature {
public:
    using TMainFormFeature::TMainFormFeature;
    void Bind() override;

    void LinkButtonClick(TObject* Sender);
    void ImageButtonClick(TObject* Sender);
    void FaceButtonClick(TObject* Sender);
    void BaseFontButtonClick(TObject* Sender);
    void MailToButtonClick(TObject* Sender);
    void RuleButtonClick(TObject* Sender);
    void MetaButtonClick(TObject* Sender);
    void ListButtonClick(TObject* Sender);

private:
    // Inserts the start tag named so that the font dialog, closed with OK, describes, with the
    // end text after the selection; nothing when the dialog describes nothing.
    void BuildFontTag(const String& name, const String& end);
    // The font dialog for FONT and BASEFONT alike; the tag goes in only after OK.
    void RunFontDialog(const String& name, const String& end);
};
