#pragma once
// The Forms page of the tag bar: the FORM element and the form controls, each made through its
// dialog and put into the active page whole.

#include "editor/MainFormFeature.h"

class TFormDialogs : public TMainFormFeature {
public:
    using TMainFormFeature::TMainFormFeature;
    void Bind() override;

    void FormButtonClick(TObject* Sender);
    // The text, password, hidden, file and image inputs, told apart by the button pressed.
    void TextButtonClick(TObject* Sender);
    void TextAreaButtonClick(TObject* Sender);
    void RadioButtonClick(TObject* Sender);
    void CheckBoxButtonClick(TObject* Sender);
    // Submit, reset and push buttons, told apart by the button pressed.
    void SubmitButtonClick(TObject* Sender);
    void SelectButtonClick(TObject* Sender);

private:
    // A radio button or check box, which differ only in their captions and type words.
    void RunChoiceDialog(const String& caption, const String& name, const String& typeWord);
};
