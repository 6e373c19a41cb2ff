#pragma once
// The dialog for a DIV or SPAN element with a class from the page's own style sheet.

#include "platform/Forms.h"

class TButton;
class TComboBox;
class TEdit;
class TLabel;
class TStrings;

class TDivForm : public TForm {
public:
    explicit TDivForm(TComponent* AOwner);

    TComboBox* ClassCombo = nullptr;
    TEdit* StyleEdit = nullptr;
    TLabel* AlignLabel = nullptr;
    TComboBox* AlignCombo = nullptr;
    TButton* OKButton = nullptr;
    TButton* CnacelButton = nullptr;

    // Made ready for the element "DIV" or "SPAN": its caption, the classes offered, and the
    // alignment shown for DIV only.
    void Prepare(const String& elementName, const TStrings& classes);
    // The start tag with its class, style and (DIV only) alignment, then a line break.
    String StartText() const;
    // A line break and the end tag.
    String EndText() const;

private:
    String FElementName = "DIV";
};

// The style as the STYLE attribute holds it: one brace on each side taken off, "{}" empty.
String StyleDeclarations(const String& style);

extern TDivForm* DivForm;
