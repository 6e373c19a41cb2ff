// The wizard's form: its pages and their controls, in the order the form makes them (the reset
// after each Add goes through them in that order).

#include "generators/CSSMain.h"

#include "platform/ComCtrls.h"
#include "platform/CommonDialogs.h"
#include "platform/Events.h"
#include "platform/RichEdit.h"
#include "platform/StdCtrls.h"
#include "tags/DialogLayout.h"
#include "widgets/QmCmboBx.h"
#include "widgets/QmCombos.h"

#include <initializer_list>

TCSSMainForm* CSSMainForm = nullptr;

namespace {

using TItems = std::initializer_list<const char*>;

const TItems Units = {"pt", "em", "ex", "mm", "cm", "in", "px", "%", ""};
const TItems UnitsWithAuto = {"pt", "em", "ex", "mm", "cm", "in", "px", "%", "auto", ""};
const TItems Sides = {"All", "Left", "Right", "Top", "Bottom"};

// The property groups stand in two columns of equal cells on each page.
constexpr int CellWidth = 240;
constexpr int CellHeight = 54;
constexpr int InGroupTop = 20;

TGroupBox* AddGroup(TForm* form, TWinControl* page, const String& caption, int column, int row,
                    int rows = 1) {
    auto* group = NewControl<TGroupBox>(form, page, "GroupBox" + IntToStr(form->ComponentCount()),
                                        4 + column * (CellWidth + 4), 4 + row * CellHeight,
                                        CellWidth, rows * CellHeight - 4);
    group->SetCaption(caption);
    return group;
}

TComboBox* AddList(TForm* form, TWinControl* parent, const String& name, int left, int width,
                   TItems items, int top = InGroupTop) {
    auto* combo = NewControl<TComboBox>(form, parent, name, left, top, width, 21);
    combo->SetStyle(csDropDownList);
    for (const char* item : items)
        combo->Items().Add(item);
    return combo;
}

TEdit* AddEdit(TForm* form, TWinControl* parent, const String& name, int left, int width,
               const String& text = "", int top = InGroupTop) {
    auto* edit = NewControl<TEdit>(form, parent, name, left, top, width, 21);
    edit->SetText(text);
    return edit;
}

TButton* AddButton(TForm* form, TWinControl* parent, const String& name, const String& caption,
                   int left, int top, int width = 75) {
    auto* button = NewControl<TButton>(form, parent, name, left, top, width, 23);
    button->SetCaption(caption);
    return button;
}

TRadioButton* AddRadio(TForm* form, TWinControl* parent, const String& name, const String& caption,
                       int left, int width, int top = InGroupTop + 2) {
    auto* radio = NewControl<TRadioButton>(form, parent, name, left, top, width, 17);
    radio->SetCaption(caption);
    return radio;
}

TCheckBox* AddCheck(TForm* form, TWinControl* parent, const String& name, const String& caption,
                    int left, int top, int width) {
    auto* check = NewControl<TCheckBox>(form, parent, name, left, top, width, 17);
    check->SetCaption(caption);
    return check;
}

// A number edit with its up-down; the up-down's tag is the value the reset gives it.
TEdit* AddNumber(TForm* form, TWinControl* parent, const String& editName, const String& upDownName,
                 TUpDown** upDown, int left, int min, int max, int start = 0, int resetValue = 1,
                 int top = InGroupTop) {
    TEdit* edit = AddEdit(form, parent, editName, left, 45, IntToStr(start), top);
    *upDown = AddUpDown(form, parent, upDownName, edit, min, max);
    (*upDown)->SetPosition(start);
    (*upDown)->SetTag(resetValue);
    return edit;
}

TColorComboBox* AddColourList(TForm* form, TWinControl* parent, const String& name, int left,
                              TColor colour) {
    auto* combo = NewControl<TColorComboBox>(form, parent, name, left, InGroupTop, 95, 21);
    combo->Font().SetName("MS Sans Serif");
    combo->Font().SetHeight(-11);
    combo->SetColorValue(colour);
    return combo;
}

} // namespace

TCSSMainForm::TCSSMainForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("CSSMainForm");
        SetCaption("Quiltmarker CSS Wizard");
        SetBorderStyle(bsSingle);
        SetBorderIcons({biSystemMenu, biMinimize});
        SetClientWidth(620);
        SetClientHeight(400);
        BuildControls();
        OnShow = Handler(this, &TCSSMainForm::FormShow);
    });
}

void TCSSMainForm::BuildControls() {
    PageControl = NewControl<TPageControl>(this, this, "PageControl", 8, 8, 500, 384);
    PageControl->OnChanging = Handler(this, &TCSSMainForm::PageControlChanging);
    auto page = [this](const String& name, const String& caption) {
        auto* sheet = NewComponent<TTabSheet>(this, name);
        sheet->SetPageControl(PageControl);
        sheet->SetCaption(caption);
        return sheet;
    };
    StyleSheet = page("StyleSheet", "Style Sheet");
    FontSheet = page("FontSheet", "Fonts");
    TextSheet = page("TextSheet", "Text Format");
    BlockSheet = page("BlockSheet", "Blocks");
    BackgroundSheet = page("BackgroundSheet", "Backgrounds && Lists");
    BuildStylePage();
    BuildFontPage();
    BuildTextPage();
    BuildBlockPage();
    BuildBackgroundPage();
    BuildRightPanel();
    PageControl->SetActivePage(StyleSheet);
    ColorDialog1 = NewComponent<TColorDialog>(this, "ColorDialog1");
    ColorDialog1->SetOptions({cdFullOpen, cdAnyColor});
}

void TCSSMainForm::BuildStylePage() {
    TGroupBox* selector = AddGroup(this, StyleSheet, "Selector", 0, 0);
    SelectorCombo = AddList(
        this, selector, "SelectorCombo", 8, 220,
        {"",           "A",    "A:active", "A:hover", "A:link", "A:visited", "ADDRESS", "B",
         "BLOCKQUOTE", "BODY", "BR",       "CITE",    "CODE",   "DD",        "DFN",     "DIV",
         "DL",         "DT",   "EM",       "H1",      "H2",     "H3",        "H4",      "H5",
         "H6",         "HR",   "I",        "IMG",     "KBD",    "LI",        "OL",      "P",
         "PRE",        "S",    "SAMP",     "SPAN",    "STRONG", "TABLE",     "TD",      "TH",
         "TR",         "TT",   "U",        "UL",      "VAR"});
    SelectorCombo->SetStyle(csDropDown);
    SelectorCombo->SetDropDownCount(16);
    TGroupBox* className = AddGroup(this, StyleSheet, "Class Name", 1, 0);
    ClassNameEdit = AddEdit(this, className, "ClassNameEdit", 8, 220);
    StyleMemo = NewControl<TRichEdit>(this, StyleSheet, "StyleMemo", 4, 62, 484, 288);
    StyleMemo->SetPlainText(true);
    StyleMemo->SetScrollBars(ssBoth);
    StyleMemo->SetWantTabs(true);
    StyleMemo->SetWordWrap(false);
}

void TCSSMainForm::BuildFontPage() {
    TGroupBox* family = AddGroup(this, FontSheet, "font-family", 0, 0, 4);
    VisFontCombo = AddList(this, family, "VisFontCombo", 8, 220, {});
    VisFontCombo->SetDropDownCount(16);
    VisFontCombo->OnClick = Handler(this, &TCSSMainForm::VisFontComboClick);
    FontAddButton = AddButton(this, family, "FontAddButton", "<-- Add", 8, 48, 70);
    FontAddButton->SetHint("Add font name");
    FontAddButton->SetShowHint(true);
    FontAddButton->OnClick = Handler(this, &TCSSMainForm::FontAddButtonClick);
    DeleteButton = AddButton(this, family, "DeleteButton", "Delete -->", 8, 76, 70);
    DeleteButton->SetHint("Delete font name");
    DeleteButton->SetShowHint(true);
    DeleteButton->OnClick = Handler(this, &TCSSMainForm::DeleteButtonClick);
    FontList = NewControl<TListBox>(this, family, "FontList", 84, 48, 144, 110);
    FontList->SetMultiSelect(true);
    FontLabel = NewControl<TLabel>(this, family, "FontLabel", 8, 166, 220, 40);
    FontLabel->SetCaption("abcdefgABCDEFG1234567890");
    FontCombo = NewControl<TQmFontComboBox>(this, family, "FontCombo", 8, 190, 220, 21);
    FontCombo->SetVisible(false);

    TGroupBox* style = AddGroup(this, FontSheet, "font-style", 1, 0);
    FontStyleCombo =
        AddList(this, style, "FontStyleCombo", 8, 120, {"normal", "italic", "oblique", ""});
    TGroupBox* variant = AddGroup(this, FontSheet, "font-variant", 1, 1);
    FontVariantCombo =
        AddList(this, variant, "FontVariantCombo", 8, 120, {"normal", "small-caps", ""});
    TGroupBox* weight = AddGroup(this, FontSheet, "font-weight", 1, 2);
    FontWeightCombo = AddList(this, weight, "FontWeightCombo", 8, 120,
                              {"normal", "bold", "100", "200", "300", "400", "500", "600", "700",
                               "800", "900", "bolder", "lighter", ""});
    TGroupBox* size = AddGroup(this, FontSheet, "font-size", 1, 3);
    FontSizeEdit =
        AddNumber(this, size, "FontSizeEdit", "SizeUpDown", &SizeUpDown, 8, 1, 400, 10, 10);
    FontSizeCombo = AddList(this, size, "FontSizeCombo", 72, 60, Units);
    FontSizeCombo->OnChange = Handler(this, &TCSSMainForm::FontSizeComboChange);
    FontSizeCombo->OnClick = Handler(this, &TCSSMainForm::FontSizeComboChange);
    FontSizeExtra = AddList(this, size, "FontSizeExtra", 136, 96,
                            {"larger", "smaller", "xx-small", "x-small", "small", "medium", "large",
                             "x-large", "xx-large", ""});
    FontSizeExtra->OnChange = Handler(this, &TCSSMainForm::FontSizeExtraChange);
}

void TCSSMainForm::BuildTextPage() {
    TGroupBox* colour = AddGroup(this, TextSheet, "color", 0, 0);
    ColorCombo = AddColourList(this, colour, "ColorCombo", 8, clBlack);
    ColorCombo->OnClick = Handler(this, &TCSSMainForm::ColorComboClick);
    ColorEdit = AddEdit(this, colour, "ColorEdit", 108, 64);
    ColorMoreButton = AddButton(this, colour, "ColorMoreButton", "More...", 176, InGroupTop, 56);
    ColorMoreButton->OnClick = Handler(this, &TCSSMainForm::ColorMoreButtonClick);

    TGroupBox* background = AddGroup(this, TextSheet, "background-color", 1, 0, 2);
    BackgroundColorCombo = AddColourList(this, background, "BackgroundColorCombo", 8, clWhite);
    BackgroundColorCombo->OnClick = Handler(this, &TCSSMainForm::BackgroundColorComboChange);
    BackgroundColorEdit = AddEdit(this, background, "BackgroundColorEdit", 108, 64);
    BackgroundColorEdit->OnChange = Handler(this, &TCSSMainForm::BackgroundColorEdit2Change);
    BKColorMoreButton =
        AddButton(this, background, "BKColorMoreButton", "More...", 176, InGroupTop, 56);
    BKColorMoreButton->OnClick = Handler(this, &TCSSMainForm::BKColorMoreButtonClick);
    BGColorTransButton =
        AddRadio(this, background, "BGColorTransButton", "transparent", 8, 100, InGroupTop + 30);
    BGColorTransButton->OnClick = Handler(this, &TCSSMainForm::BGColorTransButton2Click);

    TGroupBox* words = AddGroup(this, TextSheet, "word-spacing", 0, 1);
    WordSpacingEdit = AddNumber(this, words, "WordSpacingEdit", "WordSpacingUpDown",
                                &WordSpacingUpDown, 8, -1000, 1000);
    WordSpacingCombo = AddList(this, words, "WordSpacingCombo", 72, 60, Units);
    WordSpacingCombo->OnChange = Handler(this, &TCSSMainForm::WordSpacingComboChange);
    WSButton = AddRadio(this, words, "WSButton", "Normal", 140, 90);
    WSButton->OnClick = Handler(this, &TCSSMainForm::WSButtonClick);

    TGroupBox* letters = AddGroup(this, TextSheet, "letter-spacing", 0, 2);
    LetterSpacingEdit = AddNumber(this, letters, "LetterSpacingEdit", "LetterSpacingUpDown",
                                  &LetterSpacingUpDown, 8, -1000, 1000);
    LetterSpacingCombo = AddList(this, letters, "LetterSpacingCombo", 72, 60, Units);
    LetterSpacingCombo->OnChange = Handler(this, &TCSSMainForm::LetterSpacingComboChange);
    LSButton = AddRadio(this, letters, "LSButton", "Normal", 140, 90);
    LSButton->OnClick = Handler(this, &TCSSMainForm::LSButtonClick);

    TGroupBox* decoration = AddGroup(this, TextSheet, "text-decoration", 1, 2);
    TDULCheck = AddCheck(this, decoration, "TDULCheck", "underline", 8, 15, 90);
    TDOLCheck = AddCheck(this, decoration, "TDOLCheck", "overline", 100, 15, 90);
    TDLTCheck = AddCheck(this, decoration, "TDLTCheck", "line-through", 8, 32, 90);
    TDBlinkCheck = AddCheck(this, decoration, "TDBlinkCheck", "blink", 100, 32, 60);
    TDNoneCheck = AddCheck(this, decoration, "TDNoneCheck", "none", 164, 32, 60);
    for (TCheckBox* check : {TDULCheck, TDOLCheck, TDLTCheck, TDBlinkCheck})
        check->OnClick = Handler(this, &TCSSMainForm::TDULCheckClick);
    TDNoneCheck->OnClick = Handler(this, &TCSSMainForm::TDNoneCheckClick);

    TGroupBox* transform = AddGroup(this, TextSheet, "text-transform", 0, 3);
    TextTransformCombo = AddList(this, transform, "TextTransformCombo", 8, 120,
                                 {"uppercase", "lowercase", "capitalize", ""});
    TGroupBox* vertical = AddGroup(this, TextSheet, "vertical-align", 1, 3);
    VertAlignEdit = AddList(
        this, vertical, "VertAlignEdit", 8, 120,
        {"baseline", "middle", "sub", "super", "text-top", "text-bottom", "top", "bottom", ""});
    TGroupBox* lineHeight = AddGroup(this, TextSheet, "line-height", 0, 4);
    LineHeightEdit = AddNumber(this, lineHeight, "LineHeightEdit", "LineHeightUpDown",
                               &LineHeightUpDown, 8, -1000, 1000);
    LineHeightCombo = AddList(this, lineHeight, "LineHeightCombo", 72, 60, Units);
    TGroupBox* indent = AddGroup(this, TextSheet, "text-indent", 1, 4);
    TextIndentEdit = AddNumber(this, indent, "TextIndentEdit", "UpDown3", &UpDown3, 8, -1000, 1000);
    TextIndentCombo = AddList(this, indent, "TextIndentCombo", 72, 60, Units);
    TGroupBox* align = AddGroup(this, TextSheet, "text-align", 0, 5);
    TextAlignEdit =
        AddList(this, align, "TextAlignEdit", 8, 120, {"left", "right", "center", "justify", ""});
    TGroupBox* whiteSpace = AddGroup(this, TextSheet, "white-space", 1, 5);
    WhiteSpaceEdit =
        AddList(this, whiteSpace, "WhiteSpaceEdit", 8, 120, {"normal", "pre", "nowrap", ""});
}

void TCSSMainForm::BuildBlockPage() {
    TGroupBox* display = AddGroup(this, BlockSheet, "display", 0, 0);
    DisplayCombo = AddList(this, display, "DisplayCombo", 8, 120,
                           {"block", "inline", "list-item", "none", ""});
    TGroupBox* padding = AddGroup(this, BlockSheet, "padding", 0, 1);
    PadLeftEdit = AddNumber(this, padding, "PadLeftEdit", "UpDown1", &UpDown1, 8, 0, 1000);
    LPCombo = AddList(this, padding, "LPCombo", 72, 60, Units);
    PaddingCombo = AddList(this, padding, "PaddingCombo", 140, 90, Sides);
    PaddingCombo->SetItemIndex(0);
    TGroupBox* borderWidth = AddGroup(this, BlockSheet, "border-width", 0, 2);
    BWLeftEdit = AddNumber(this, borderWidth, "BWLeftEdit", "UpDown2", &UpDown2, 8, 0, 1000);
    LBWCombo = AddList(this, borderWidth, "LBWCombo", 72, 50, Units);
    LBWCombo->OnChange = Handler(this, &TCSSMainForm::LBWComboClick);
    LBWCombo->OnClick = Handler(this, &TCSSMainForm::LBWComboClick);
    LBWComboExtra = AddList(this, borderWidth, "LBWComboExtra", 124, 56,
                            {"thin", "medium", "thick", "none", ""});
    LBWComboExtra->OnClick = Handler(this, &TCSSMainForm::LBWComboExtraClick);
    BorderWidthCombo = AddList(this, borderWidth, "BorderWidthCombo", 182, 54, Sides);
    BorderWidthCombo->SetItemIndex(0);
    TGroupBox* margin = AddGroup(this, BlockSheet, "margin", 0, 3);
    MarginLeftEdit = AddNumber(this, margin, "MarginLeftEdit", "UpDown4", &UpDown4, 8, -1000, 1000);
    UpDown4->OnChanging = Handler(this, &TCSSMainForm::UpDown4Changing);
    LMCombo = AddList(this, margin, "LMCombo", 72, 60, UnitsWithAuto);
    LMCombo->OnChange = Handler(this, &TCSSMainForm::LMComboChange);
    MarginCombo = AddList(this, margin, "MarginCombo", 140, 90, Sides);
    MarginCombo->SetItemIndex(0);
    TGroupBox* borderStyle = AddGroup(this, BlockSheet, " border-style ", 0, 4);
    LBStyleCombo = AddList(
        this, borderStyle, "LBStyleCombo", 8, 120,
        {"dashed", "dotted", "double", "groove", "ridge", "inset", "outset", "solid", "none", ""});
    BorderStyleCombo = AddList(this, borderStyle, "BorderStyleCombo", 140, 90, Sides);
    BorderStyleCombo->SetItemIndex(0);
    TGroupBox* borderColour = AddGroup(this, BlockSheet, "border-color", 0, 5);
    BorderColorCombo = AddColourList(this, borderColour, "BorderColorCombo", 8, clBlack);
    BorderColorCombo->OnClick = Handler(this, &TCSSMainForm::BorderColorComboClick);
    BorderColorEdit = AddEdit(this, borderColour, "BorderColorEdit", 108, 64);
    BCMoreButton = AddButton(this, borderColour, "BCMoreButton", "More...", 176, InGroupTop, 56);
    BCMoreButton->OnClick = Handler(this, &TCSSMainForm::BCMoreButtonClick);
    TGroupBox* floating = AddGroup(this, BlockSheet, "float", 1, 0);
    FloatCombo = AddList(this, floating, "FloatCombo", 8, 120, {"left", "right", "none", ""});
    TGroupBox* clear = AddGroup(this, BlockSheet, "clear", 1, 1);
    ClearCombo = AddList(this, clear, "ClearCombo", 8, 120, {"left", "right", "both", "none", ""});
    TGroupBox* height = AddGroup(this, BlockSheet, "height", 1, 2);
    HeightEdit = AddNumber(this, height, "HeightEdit", "UpDown16", &UpDown16, 8, -1000, 1000);
    UpDown16->OnChanging = Handler(this, &TCSSMainForm::UpDown16Changing);
    HCombo = AddList(this, height, "HCombo", 72, 60, UnitsWithAuto);
    HCombo->OnChange = Handler(this, &TCSSMainForm::HComboClick);
    HCombo->OnClick = Handler(this, &TCSSMainForm::HComboClick);
    TGroupBox* width = AddGroup(this, BlockSheet, "width", 1, 3);
    WidthEdit = AddNumber(this, width, "WidthEdit", "UpDown17", &UpDown17, 8, -1000, 1000);
    UpDown17->OnChanging = Handler(this, &TCSSMainForm::UpDown17Changing);
    WCombo = AddList(this, width, "WCombo", 72, 60, UnitsWithAuto);
    WCombo->OnChange = Handler(this, &TCSSMainForm::WComboClick);
    WCombo->OnClick = Handler(this, &TCSSMainForm::WComboClick);
}

void TCSSMainForm::BuildBackgroundPage() {
    TGroupBox* background = AddGroup(this, BackgroundSheet, "background-color", 0, 0, 2);
    BackgroundColorCombo2 = AddColourList(this, background, "BackgroundColorCombo2", 8, clWhite);
    BackgroundColorCombo2->OnClick = Handler(this, &TCSSMainForm::BackgroundColorComboChange);
    BackgroundColorEdit2 = AddEdit(this, background, "BackgroundColorEdit2", 108, 64);
    BackgroundColorEdit2->OnChange = Handler(this, &TCSSMainForm::BackgroundColorEdit2Change);
    Button2 = AddButton(this, background, "Button2", "More...", 176, InGroupTop, 56);
    Button2->OnClick = Handler(this, &TCSSMainForm::BKColorMoreButtonClick);
    BGColorTransButton2 =
        AddRadio(this, background, "BGColorTransButton2", "transparent", 8, 100, InGroupTop + 30);
    BGColorTransButton2->OnClick = Handler(this, &TCSSMainForm::BGColorTransButton2Click);

    TGroupBox* listType = AddGroup(this, BackgroundSheet, "list-style-type", 0, 2);
    ListStyleTypeCombo = AddList(this, listType, "ListStyleTypeCombo", 8, 120,
                                 {"disc", "circle", "square", "decimal", "lower-alpha",
                                  "upper-alpha", "lower-roman", "upper-roman", "none", ""});
    TGroupBox* listImage = AddGroup(this, BackgroundSheet, "list-style-image", 0, 3);
    auto* listUrl = NewControl<TLabel>(this, listImage, "Label1", 8, InGroupTop + 4, 28, 13);
    listUrl->SetCaption("URL");
    ListStyleImageEdit = AddEdit(this, listImage, "ListStyleImageEdit", 40, 190);
    TGroupBox* listPosition = AddGroup(this, BackgroundSheet, "list-style-position", 0, 4);
    ListStylePosCombo =
        AddList(this, listPosition, "ListStylePosCombo", 8, 120, {"inside", "outside", ""});
    TGroupBox* image = AddGroup(this, BackgroundSheet, "background-image", 1, 0);
    auto* imageUrl = NewControl<TLabel>(this, image, "Label2", 8, InGroupTop + 4, 28, 13);
    imageUrl->SetCaption("URL");
    BGImageEdit = AddEdit(this, image, "BGImageEdit", 40, 190);

    TGroupBox* position = AddGroup(this, BackgroundSheet, "background-position", 1, 1, 2);
    auto* xLabel = NewControl<TLabel>(this, position, "Label3", 8, InGroupTop - 2, 80, 13);
    xLabel->SetCaption("x (horiz.)");
    BPXEdit = AddNumber(this, position, "BPXEdit", "UpDown14", &UpDown14, 8, -1000, 1000, 0, 1,
                        InGroupTop + 14);
    BGPosXCombo = AddList(this, position, "BGPosXCombo", 72, 60, Units, InGroupTop + 14);
    BGPosXCombo->OnChange = Handler(this, &TCSSMainForm::BGPosXComboChange);
    BGPosXComboExtra = AddList(this, position, "BGPosXComboExtra", 140, 90,
                               {"left", "center", "right", ""}, InGroupTop + 14);
    BGPosXComboExtra->OnChange = Handler(this, &TCSSMainForm::BGPosXComboExtraChange);
    auto* yLabel = NewControl<TLabel>(this, position, "Label4", 8, InGroupTop + 40, 80, 13);
    yLabel->SetCaption("y (vert.)");
    BPYEdit = AddNumber(this, position, "BPYEdit", "UpDown15", &UpDown15, 8, -1000, 1000, 0, 1,
                        InGroupTop + 56);
    UpDown15->OnChanging = Handler(this, &TCSSMainForm::UpDown15Changing);
    BGPosYCombo = AddList(this, position, "BGPosYCombo", 72, 60, Units, InGroupTop + 56);
    BGPosYCombo->OnChange = Handler(this, &TCSSMainForm::BGPosYComboChange);
    BGPosYComboExtra = AddList(this, position, "BGPosYComboExtra", 140, 90,
                               {"top", "center", "bottom", ""}, InGroupTop + 56);
    BGPosYComboExtra->OnChange = Handler(this, &TCSSMainForm::BGPosYComboExtraChange);

    TGroupBox* attachment = AddGroup(this, BackgroundSheet, "background-attachment", 1, 3);
    BGAttachmentCombo =
        AddList(this, attachment, "BGAttachmentCombo", 8, 120, {"scroll", "fixed", ""});
    TGroupBox* repeat = AddGroup(this, BackgroundSheet, "background-repeat", 1, 4);
    BGRepeatCombo = AddList(this, repeat, "BGRepeatCombo", 8, 120,
                            {"repeat", "no-repeat", "repeat-x", "repeat-y", ""});
}

void TCSSMainForm::BuildRightPanel() {
    auto* heading = NewControl<TLabel>(this, this, "Label5", 520, 16, 72, 13);
    heading->SetCaption("Style Sheet");
    heading->Font().SetStyle(fsBold);
    StyleAddButton = AddButton(this, this, "StyleAddButton", "&Add", 518, 40);
    StyleAddButton->OnClick = Handler(this, &TCSSMainForm::StyleAddButtonClick);
    StyleClearButton = AddButton(this, this, "StyleClearButton", "&Clear", 518, 72);
    StyleClearButton->OnClick = Handler(this, &TCSSMainForm::StyleClearButtonClick);
    OKButton = AddModalButton(this, this, "OKButton", mrOk, 518, 280);
    OKButton->SetEnabled(false);
    OKButton->OnClick = Handler(this, &TCSSMainForm::OKButtonClick);
    CancelButton = AddModalButton(this, this, "CancelButton", mrCancel, 518, 312);
    CancelButton->OnClick = Handler(this, &TCSSMainForm::CancelButtonClick);
    AddStyleCheck = AddCheck(this, this, "AddStyleCheck", "", 518, 352, 17);
    auto* tagsLabel = NewControl<TLabel>(this, this, "Label6", 538, 352, 80, 30);
    tagsLabel->SetWordWrap(true);
    tagsLabel->SetCaption("Add <STYLE> tags");
}
