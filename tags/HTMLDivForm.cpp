#include "tags/HTMLDivForm.h"

#include "platform/StdCtrls.h"
#include "tags/DialogAttributes.h"
#include "tags/DialogLayout.h"

TDivForm* DivForm = nullptr;

TDivForm::TDivForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("DivForm");
        SetBorderStyle(bsDialog);
        SetBorderIcons({biSystemMenu});
        SetClientWidth(300);
        SetClientHeight(146);
        ClassCombo =
            AddLabelledBox<TComboBox>(this, this, "ClassCombo", "ClassLabel", "Class", 8, 8, 200);
        StyleEdit =
            AddLabelledBox<TEdit>(this, this, "StyleEdit", "StyleLabel", "Style", 8, 52, 284);
        AlignCombo = AddLabelledBox<TComboBox>(this, this, "AlignCombo", "AlignLabel", "Align", 8,
                                               96, 100, &AlignLabel);
        for (const char* item : {"", "LEFT", "CENTER", "RIGHT", "JUSTIFY"})
            AlignCombo->Items().Add(item);
        OKButton = NewControl<TButton>(this, this, "OKButton", 136, 112, 75, 25);
        OKButton->SetCaption("OK");
        OKButton->SetDefault(true);
        OKButton->SetModalResult(mrOk);
        CnacelButton = NewControl<TButton>(this, this, "CnacelButton", 217, 112, 75, 25);
        CnacelButton->SetCaption("Cancel");
        CnacelButton->SetCancel(true);
        CnacelButton->SetModalResult(mrCancel);
    });
}

void TDivForm::Prepare(const String& elementName, const TStrings& classes) {
    FElementName = elementName;
    SetCaption("<" + elementName + ">");
    ClassCombo->Items().Assign(classes);
    const bool aligned = elementName == "DIV";
    AlignLabel->SetVisible(aligned);
    AlignCombo->SetVisible(aligned);
}

String StyleDeclarations(const String& style) {
    if (style == "{}")
        return "";
    size_t first = !style.empty() && style.front() == '{' ? 1 : 0;
    size_t last = style.size() > first && style.back() == '}' ? style.size() - 1 : style.size();
    return style.substr(first, last - first);
}

String TDivForm::StartText() const {
    String start = "<" + FElementName + QuotedAttribute("CLASS", ClassCombo->Text());
    const String style = StyleDeclarations(StyleEdit->Text());
    if (!style.empty())
        start += " STYLE=\"{" + QuotedValue(style) + "}\"";
    if (AlignCombo->Visible())
        start += PlainAttribute("ALIGN", AlignCombo->Text());
    return start + ">\r\n";
}

String TDivForm::EndText() const {
    return "\r\n</" + FElementName + ">";
}
