// The wizard's behaviour: showing it, composing property lines into the style text, the controls
// that keep each other consistent, and its closing.

#include "generators/CSSMain.h"

#include "platform/ComCtrls.h"
#include "platform/CommonDialogs.h"
#include "platform/RichEdit.h"
#include "platform/StdCtrls.h"
#include "tags/HTMLGlobal.h"
#include "widgets/QmCmboBx.h"
#include "widgets/QmCombos.h"

namespace {

const int StyleTabStops = 10;
const int StyleTabPoints = 16;
const char* const FontSeparatorMark = "---------";

// The names put at the top of the font list, each in turn, so the last ends up first.
const char* const LeadingFontNames[] = {
    "-----------------",
    "sans-serif",
    "serif",
    "cursive",
    "fantasy",
    "monospace",
    "----------------",
    "Georgia",
    "Verdana",
    "Impact",
    "Trebuchet MS",
    "Comic Sans MS",
    "Courier New",
    "Times",
    "Times Roman",
    "Times New Roman",
    "Arial Black",
    "Helvetica",
    "Arial",
    "Arial, Helvetica, sans-serif",
    "\"Times New Roman\", Times, serif",
};

// A name of several words goes in double quotes, unless it is a list of names already.
String FontFamilyName(const String& name) {
    if (name.find(' ') != String::npos && name.find(',') == String::npos)
        return "\"" + name + "\"";
    return name;
}

// The side a property applies to: "" for all sides, else "-" and the side in lower case.
String SideSuffix(const TComboBox* sides) {
    String side = sides->Text();
    return side.empty() || side == "All" ? String() : "-" + LowerCase(side);
}

// The leading digits of a number edit, 0 when there are none.
String LeadingNumber(const String& text) {
    size_t digits = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9')
        ++digits;
    return IntToStr(StrToIntDef(text.substr(0, digits), 0));
}

// A position from its keyword, else from its number and unit; "" when neither is set.
String BackgroundPosition(const TComboBox* keyword, const TEdit* number, const TComboBox* unit) {
    if (!keyword->Text().empty())
        return keyword->Text();
    if (!unit->Text().empty())
        return number->Text() + unit->Text();
    return "";
}

} // namespace

void TCSSMainForm::SetStyleTabStops() {
    StyleMemo->Paragraph().SetTabCount(StyleTabStops);
    for (int i = 0; i < StyleTabStops; ++i)
        StyleMemo->Paragraph().SetTab(i, StyleTabPoints * (i + 1));
}

void TCSSMainForm::FormShow(TObject* /*Sender*/) {
    for (const char* name : LeadingFontNames)
        PutFontFirst(name);
    VisFontCombo->Items().Assign(FontCombo->Items());
    if (VisFontCombo->ItemIndex() < 0) {
        VisFontCombo->SetItemIndex(0);
        FontCombo->SetItemIndex(0);
    }
    PageControl->SetActivePage(StyleSheet);
    if (StyleMemo->CanFocus())
        StyleMemo->SetFocus();
    SetStyleTabStops();
}

void TCSSMainForm::PutFontFirst(const String& name) {
    String first = name;
    int found = FontCombo->Items().IndexOf(name);
    if (found >= 0) {
        first = FontCombo->Items().Get(found);
        FontCombo->Items().Delete(found);
    }
    FontCombo->Items().Insert(0, first);
}

String TCSSMainForm::ColourToHex(TColor colour) const {
    return "#" + GlobalForm->ColourToHex(colour);
}

// ---- Composing

void TCSSMainForm::AddPropertyLine(TControl* control, TEdit* number, const String& property,
                                   std::vector<String>& lines) {
    const String kind = control->ClassName();
    const String text = control->Text();
    if (text.empty())
        return;
    if (kind == "TEdit")
        lines.push_back("\t\t" + property + ": " + text + ";");
    else if (kind == "TComboBox")
        lines.push_back("\t\t" + property + ": " + (number ? number->Text() : String()) +
                        LowerCase(text) + ";");
}

std::vector<String> TCSSMainForm::PropertyLines() {
    std::vector<String> lines;
    if (FontList->Items().Count() > 0) {
        String names;
        for (int i = 0; i < FontList->Items().Count(); ++i)
            names += (i > 0 ? ", " : "") + FontFamilyName(FontList->Items().Get(i));
        lines.push_back("\t\tfont-family: " + names + ";");
    }
    for (auto [combo, property] :
         {std::pair{FontStyleCombo, "font-style"}, std::pair{FontVariantCombo, "font-variant"},
          std::pair{FontWeightCombo, "font-weight"}})
        if (!combo->Text().empty())
            lines.push_back("\t\t" + String(property) + ": " + combo->Text() + ";");
    if (!FontSizeCombo->Text().empty())
        lines.push_back("\t\tfont-size: " + FontSizeEdit->Text() + FontSizeCombo->Text() + ";");
    if (!FontSizeExtra->Text().empty())
        lines.push_back("\t\tfont-size: " + FontSizeExtra->Text() + ";");
    AddPropertyLine(ColorEdit, nullptr, "color", lines);
    AddPropertyLine(BackgroundColorEdit, nullptr, "background-color", lines);
    AddPropertyLine(TextTransformCombo, nullptr, "text-transform", lines);
    AddPropertyLine(TextIndentCombo, TextIndentEdit, "text-indent", lines);
    AddPropertyLine(TextAlignEdit, nullptr, "text-align", lines);
    AddPropertyLine(VertAlignEdit, nullptr, "vertical-align", lines);
    AddPropertyLine(WhiteSpaceEdit, nullptr, "white-space", lines);
    AddPropertyLine(LineHeightCombo, LineHeightEdit, "line-height", lines);
    if (WSButton->Checked())
        lines.push_back("word-spacing: normal;");
    else
        AddPropertyLine(WordSpacingCombo, WordSpacingEdit, "word-spacing", lines);
    if (LSButton->Checked())
        lines.push_back("letter-spacing: normal;");
    else
        AddPropertyLine(LetterSpacingCombo, LetterSpacingEdit, "letter-spacing", lines);
    String decoration;
    for (auto [check, word] : {std::pair{TDULCheck, "underline"}, std::pair{TDOLCheck, "overline"},
                               std::pair{TDLTCheck, "line-through"},
                               std::pair{TDBlinkCheck, "blink"}, std::pair{TDNoneCheck, "none"}})
        if (check->Checked())
            decoration += (decoration.empty() ? "" : " ") + String(word);
    if (!decoration.empty())
        lines.push_back("\t\ttext-decoration: " + decoration + ";");
    AddPropertyLine(BorderColorEdit, nullptr, "border-color", lines);
    AddPropertyLine(DisplayCombo, nullptr, "display", lines);
    AddPropertyLine(FloatCombo, nullptr, "float", lines);
    AddPropertyLine(ClearCombo, nullptr, "clear", lines);
    const String borderWidth = "\t\tborder" + SideSuffix(BorderWidthCombo) + "-width: ";
    if (!LBWComboExtra->Text().empty())
        lines.push_back(borderWidth + LBWComboExtra->Text() + ";");
    else if (!LBWCombo->Text().empty())
        lines.push_back(borderWidth + LeadingNumber(BWLeftEdit->Text()) + LBWCombo->Text() + ";");
    if (!LBStyleCombo->Text().empty())
        lines.push_back((SideSuffix(BorderStyleCombo).empty()
                             ? String("border-style")
                             : "border" + SideSuffix(BorderStyleCombo)) +
                        ": " + LBStyleCombo->Text() + ";");
    if (!LPCombo->Text().empty())
        lines.push_back("padding" + SideSuffix(PaddingCombo) + ": " + PadLeftEdit->Text() +
                        LPCombo->Text() + ";");
    if (!LMCombo->Text().empty())
        lines.push_back("margin" + SideSuffix(MarginCombo) + ": " + MarginLeftEdit->Text() +
                        LMCombo->Text() + ";");
    AddPropertyLine(HCombo, HeightEdit, "height", lines);
    AddPropertyLine(WCombo, WidthEdit, "width", lines);
    if (!BGImageEdit->Text().empty())
        lines.push_back("\t\tbackground-image: url(" + BGImageEdit->Text() + ");");
    const String x = BackgroundPosition(BGPosXComboExtra, BPXEdit, BGPosXCombo);
    if (!x.empty()) {
        const String y = BackgroundPosition(BGPosYComboExtra, BPYEdit, BGPosYCombo);
        lines.push_back("\t\tbackground-position: " + x + (y.empty() ? "" : " " + y) + ";");
    }
    AddPropertyLine(BGAttachmentCombo, nullptr, "background-attachment", lines);
    AddPropertyLine(BGRepeatCombo, nullptr, "background-repeat", lines);
    AddPropertyLine(ListStyleTypeCombo, nullptr, "list-style-type", lines);
    AddPropertyLine(ListStylePosCombo, nullptr, "list-style-position", lines);
    if (!ListStyleImageEdit->Text().empty())
        lines.push_back("\t\tlist-style-image: url(" + ListStyleImageEdit->Text() + ");");
    return lines;
}

void TCSSMainForm::StyleAddButtonClick(TObject* /*Sender*/) {
    String text = StyleMemo->Text();
    size_t caret = std::min<size_t>(StyleMemo->SelStart(), text.size());
    const String selector = SelectorCombo->Text();
    if (!selector.empty()) {
        const String className = ClassNameEdit->Text();
        text += selector + (className.empty() ? "" : "." + className) + "\t{\r\n\t\t}\r\n";
        caret = text.size() - 5;
    }
    String inserted;
    for (const String& line : PropertyLines())
        inserted += line + "\r\n";
    text.insert(caret, inserted);
    StyleMemo->SetText(text);
    StyleMemo->SetSelStart(static_cast<int>(caret + inserted.size()));
    PageControl->SetActivePage(StyleSheet);
    if (StyleMemo->CanFocus())
        StyleMemo->SetFocus();
    ResetControls();
    OKButton->SetEnabled(true);
}

// Every value control of the form, in the order the form made them; the colour lists, the font
// lists and the style text keep what they hold.
void TCSSMainForm::ResetControls() {
    const bool addStyle = AddStyleCheck->Checked();
    try {
        for (int i = 0; i < ComponentCount(); ++i) {
            TComponent* component = Components(i);
            const String kind = component->ClassName();
            if (kind == "TComboBox") {
                auto* combo = static_cast<TComboBox*>(component);
                combo->SetItemIndex(-1);
                combo->SetText("");
            } else if (kind == "TEdit") {
                static_cast<TEdit*>(component)->SetText("");
            } else if (kind == "TUpDown") {
                auto* upDown = static_cast<TUpDown*>(component);
                upDown->SetPosition(upDown == SizeUpDown ? 10 : upDown->Tag());
            } else if (kind == "TRadioButton") {
                static_cast<TRadioButton*>(component)->SetChecked(false);
            } else if (kind == "TCheckBox") {
                static_cast<TCheckBox*>(component)->SetChecked(false);
            } else if (kind == "TListBox") {
                static_cast<TListBox*>(component)->Clear();
            }
        }
    } catch (const Exception& error) {
        Application->ShowException(error);
    }
    AddStyleCheck->SetChecked(addStyle);
}

// ---- Closing

String TCSSMainForm::StyleResult() const {
    const String text = StyleMemo->Text();
    if (!AddStyleCheck->Checked())
        return text;
    return "<STYLE TYPE=\"text/css\">\r\n<!--\r\n" + text + "-->\r\n</STYLE>";
}

void TCSSMainForm::StyleClearButtonClick(TObject* /*Sender*/) {
    StyleMemo->Clear();
    SetStyleTabStops();
}

void TCSSMainForm::PageControlChanging(TObject* /*Sender*/, bool& AllowChange) {
    if (!StyleMemo->Text().empty())
        return;
    ShowMessage("Please add a selector before selecting properties.");
    AllowChange = false;
}

void TCSSMainForm::OKButtonClick(TObject* /*Sender*/) {
    GlobalForm->ResultText = StyleResult();
    SetModalResult(mrOk);
}

void TCSSMainForm::CancelButtonClick(TObject* /*Sender*/) {
    GlobalForm->ResultText.clear();
    SetModalResult(mrCancel);
}

// ---- Controls that keep each other consistent

void TCSSMainForm::FontSizeExtraChange(TObject* /*Sender*/) {
    if (!FontSizeExtra->Text().empty())
        FontSizeCombo->SetText("");
}

void TCSSMainForm::FontSizeComboChange(TObject* /*Sender*/) {
    if (!FontSizeCombo->Text().empty())
        FontSizeExtra->SetText("");
}

void TCSSMainForm::VisFontComboClick(TObject* /*Sender*/) {
    FontCombo->SetItemIndex(VisFontCombo->ItemIndex());
    if (TFont* font = FontCombo->SelectedFont()) {
        FontLabel->Font().Assign(*font);
        FontLabel->Font().SetSize(12);
    }
}

void TCSSMainForm::FontAddButtonClick(TObject* /*Sender*/) {
    if (FontCombo->ItemIndex() < 0)
        return;
    const String name = FontCombo->Items().Get(FontCombo->ItemIndex());
    if (name.find(FontSeparatorMark) == String::npos && FontList->Items().IndexOf(name) < 0)
        FontList->Items().Add(name);
}

void TCSSMainForm::DeleteButtonClick(TObject* /*Sender*/) {
    for (int i = FontList->Items().Count() - 1; i >= 0; --i)
        if (FontList->Selected(i))
            FontList->Items().Delete(i);
}

bool TCSSMainForm::ChooseColour(TColor& colour) {
    if (!ColorDialog1->Execute())
        return false;
    colour = ColorDialog1->Color();
    return true;
}

void TCSSMainForm::ColorComboClick(TObject* /*Sender*/) {
    ColorEdit->SetText(LowerCase(ColorCombo->Text()));
}

void TCSSMainForm::ColorMoreButtonClick(TObject* /*Sender*/) {
    TColor colour = clBlack;
    if (!ChooseColour(colour))
        return;
    ColorEdit->SetText(ColourToHex(colour));
    ColorCombo->SetColorValue(colour);
}

void TCSSMainForm::ShowColourInBackgrounds(TColor colour, const String& text) {
    BackgroundColorEdit->SetText(text);
    BackgroundColorEdit2->SetText(text);
    BackgroundColorCombo->SetColorValue(colour);
    BackgroundColorCombo2->SetColorValue(colour);
}

void TCSSMainForm::SetTransparentButtons(bool ticked) {
    BGColorTransButton->SetChecked(ticked);
    BGColorTransButton2->SetChecked(ticked);
}

void TCSSMainForm::BackgroundColorComboChange(TObject* Sender) {
    auto* clicked = static_cast<TColorComboBox*>(Sender);
    ShowColourInBackgrounds(clicked->ColorValue(), LowerCase(clicked->Text()));
}

void TCSSMainForm::BKColorMoreButtonClick(TObject* /*Sender*/) {
    TColor colour = clBlack;
    if (ChooseColour(colour))
        ShowColourInBackgrounds(colour, ColourToHex(colour));
    SetTransparentButtons(false);
}

void TCSSMainForm::BGColorTransButton2Click(TObject* /*Sender*/) {
    BackgroundColorEdit->SetText("");
    BackgroundColorEdit2->SetText("");
    SetTransparentButtons(true);
}

void TCSSMainForm::BackgroundColorEdit2Change(TObject* Sender) {
    const String text = static_cast<TEdit*>(Sender)->Text();
    if (text.empty())
        return;
    SetTransparentButtons(false);
    BackgroundColorEdit->SetText(text);
    BackgroundColorEdit2->SetText(text);
}

void TCSSMainForm::BorderColorComboClick(TObject* /*Sender*/) {
    BorderColorEdit->SetText(LowerCase(BorderColorCombo->Text()));
}

void TCSSMainForm::BCMoreButtonClick(TObject* /*Sender*/) {
    TColor colour = clBlack;
    if (!ChooseColour(colour))
        return;
    BorderColorEdit->SetText(ColourToHex(colour));
    BorderColorCombo->SetColorValue(colour);
}

void TCSSMainForm::WordSpacingComboChange(TObject* /*Sender*/) {
    if (!WordSpacingCombo->Text().empty())
        WSButton->SetChecked(false);
}

void TCSSMainForm::WSButtonClick(TObject* /*Sender*/) {
    if (WSButton->Checked())
        WordSpacingCombo->SetText("");
}

void TCSSMainForm::LetterSpacingComboChange(TObject* /*Sender*/) {
    if (!LetterSpacingCombo->Text().empty())
        LSButton->SetChecked(false);
}

void TCSSMainForm::LSButtonClick(TObject* /*Sender*/) {
    if (LSButton->Checked())
        LetterSpacingCombo->SetText("");
}

void TCSSMainForm::TDNoneCheckClick(TObject* /*Sender*/) {
    if (!TDNoneCheck->Checked())
        return;
    for (TCheckBox* check : {TDULCheck, TDOLCheck, TDLTCheck, TDBlinkCheck})
        check->SetChecked(false);
}

void TCSSMainForm::TDULCheckClick(TObject* Sender) {
    if (static_cast<TCheckBox*>(Sender)->Checked())
        TDNoneCheck->SetChecked(false);
}

void TCSSMainForm::LBWComboExtraClick(TObject* /*Sender*/) {
    if (!LBWComboExtra->Text().empty())
        LBWCombo->SetText("");
}

void TCSSMainForm::LBWComboClick(TObject* /*Sender*/) {
    if (!LBWCombo->Text().empty())
        LBWComboExtra->SetText("");
}

void TCSSMainForm::LMComboChange(TObject* /*Sender*/) {
    if (LMCombo->Text() == "auto")
        MarginLeftEdit->SetText("");
}

void TCSSMainForm::HComboClick(TObject* /*Sender*/) {
    if (HCombo->Text() == "auto")
        HeightEdit->SetText("");
}

void TCSSMainForm::WComboClick(TObject* /*Sender*/) {
    if (WCombo->Text() == "auto")
        WidthEdit->SetText("");
}

void TCSSMainForm::UpDown4Changing(TObject* /*Sender*/, bool& AllowChange) {
    AllowChange = LMCombo->Text() != "auto";
}

void TCSSMainForm::UpDown16Changing(TObject* /*Sender*/, bool& AllowChange) {
    AllowChange = HCombo->Text() != "auto";
}

void TCSSMainForm::UpDown17Changing(TObject* /*Sender*/, bool& AllowChange) {
    AllowChange = WCombo->Text() != "auto";
}

void TCSSMainForm::BGPosXComboExtraChange(TObject* /*Sender*/) {
    if (!BGPosXComboExtra->Text().empty())
        BGPosXCombo->SetText("");
}

void TCSSMainForm::BGPosXComboChange(TObject* /*Sender*/) {
    if (!BGPosXCombo->Text().empty())
        BGPosXComboExtra->SetText("");
}

// A vertical position means something only after a horizontal one.
void TCSSMainForm::BGPosYComboExtraChange(TObject* /*Sender*/) {
    if (BGPosXComboExtra->Text().empty() && BGPosXCombo->Text().empty())
        BGPosYComboExtra->SetText("");
    if (!BGPosYComboExtra->Text().empty())
        BGPosYCombo->SetText("");
}

void TCSSMainForm::BGPosYComboChange(TObject* /*Sender*/) {
    if (BGPosXComboExtra->Text().empty() && BGPosXCombo->Text().empty())
        BGPosYCombo->SetText("");
    if (!BGPosYCombo->Text().empty())
        BGPosYComboExtra->SetText("");
}

void TCSSMainForm::UpDown15Changing(TObject* /*Sender*/, bool& AllowChange) {
    AllowChange = !(BGPosXComboExtra->Text().empty() && BGPosXCombo->Text().empty());
}
