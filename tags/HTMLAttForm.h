#pragma once
// The attribute dialog: the attributes the catalogue gives for one tag, a value editor that suits
// the chosen one, and the attribute's text as it goes into the tag.

#include "platform/Forms.h"

class TButton;
class TCheckBox;
class TColorDialog;
class TComboBox;
class TEdit;
class TListBox;

// The catalogue of tags and their attributes, "html40.att" in the program folder: a section per
// tag (its name in upper case), a key per attribute, the attribute's value code as the value.
String AttributeCatalogueFile();

class TAttForm : public TForm {
public:
    explicit TAttForm(TComponent* AOwner);

    TListBox* ListBox = nullptr;
    TEdit* Edit = nullptr;
    TComboBox* ComboBox = nullptr;
    TEdit* NumEdit = nullptr;
    TCheckBox* PCCheck = nullptr;
    TButton* OKButton = nullptr;
    TButton* Button1 = nullptr;
    TColorDialog* ColorDialog = nullptr;

    // The upper-cased tag name: the catalogue section the attributes come from.
    String TagSection;
    // The chosen attribute's name; after OK the whole attribute text, empty when nothing is to
    // be written.
    String AttributeText;
    // The chosen attribute's value code.
    String ValueCode;
    // The tag is written in lower case: the name and list values follow it.
    bool LowerCaseTag = false;

    void ListBoxClick(TObject* Sender);
    void OKButtonClick(TObject* Sender);

    // The list filled with the attribute names of one section's "name=value" lines, every
    // editor hidden and nothing chosen yet.
    void ListAttributes(const String& tagSection, TStrings& nameValues);

private:
    void HideEditors();
    // The colour dialog's choice in Edit, by its name when it has one; false when cancelled.
    bool ChooseColour();
    String InTagCase(const String& text) const;
};

extern TAttForm* AttForm;
