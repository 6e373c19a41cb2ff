#pragma once
// The style sheet wizard: rules typed or built from lists of property values, page by page, into
// a style editor whose text goes back to the page.

#include "platform/Forms.h"

#include <vector>

class TButton;
class TCheckBox;
class TColorComboBox;
class TColorDialog;
class TComboBox;
class TEdit;
class TLabel;
class TListBox;
class TPageControl;
class TQmFontComboBox;
class TRadioButton;
class TRichEdit;
class TTabSheet;
class TUpDown;

class TCSSMainForm : public TForm {
public:
    explicit TCSSMainForm(TComponent* AOwner);

    TPageControl* PageControl = nullptr;
    TTabSheet* StyleSheet = nullptr;
    TTabSheet* FontSheet = nullptr;
    TTabSheet* TextSheet = nullptr;
    TTabSheet* BlockSheet = nullptr;
    TTabSheet* BackgroundSheet = nullptr;

    TButton* StyleAddButton = nullptr;
    TButton* StyleClearButton = nullptr;
    TButton* OKButton = nullptr;
    TButton* CancelButton = nullptr;
    TCheckBox* AddStyleCheck = nullptr;

    TComboBox* SelectorCombo = nullptr;
    TEdit* ClassNameEdit = nullptr;
    TRichEdit* StyleMemo = nullptr;

    TComboBox* VisFontCombo = nullptr;
    TButton* FontAddButton = nullptr;
    TButton* DeleteButton = nullptr;
    TListBox* FontList = nullptr;
    TLabel* FontLabel = nullptr;
    TQmFontComboBox* FontCombo = nullptr;
    TComboBox* FontStyleCombo = nullptr;
    TComboBox* FontVariantCombo = nullptr;
    TComboBox* FontWeightCombo = nullptr;
    TEdit* FontSizeEdit = nullptr;
    TUpDown* SizeUpDown = nullptr;
    TComboBox* FontSizeCombo = nullptr;
    TComboBox* FontSizeExtra = nullptr;

    TColorComboBox* ColorCombo = nullptr;
    TEdit* ColorEdit = nullptr;
    TButton* ColorMoreButton = nullptr;
    TColorComboBox* BackgroundColorCombo = nullptr;
    TEdit* BackgroundColorEdit = nullptr;
    TButton* BKColorMoreButton = nullptr;
    TRadioButton* BGColorTransButton = nullptr;
    TEdit* WordSpacingEdit = nullptr;
    TUpDown* WordSpacingUpDown = nullptr;
    TComboBox* WordSpacingCombo = nullptr;
    TRadioButton* WSButton = nullptr;
    TEdit* LetterSpacingEdit = nullptr;
    TUpDown* LetterSpacingUpDown = nullptr;
    TComboBox* LetterSpacingCombo = nullptr;
    TRadioButton* LSButton = nullptr;
    TCheckBox* TDULCheck = nullptr;
    TCheckBox* TDOLCheck = nullptr;
    TCheckBox* TDLTCheck = nullptr;
    TCheckBox* TDBlinkCheck = nullptr;
    TCheckBox* TDNoneCheck = nullptr;
    TComboBox* TextTransformCombo = nullptr;
    TComboBox* VertAlignEdit = nullptr;
    TEdit* LineHeightEdit = nullptr;
    TUpDown* LineHeightUpDown = nullptr;
    TComboBox* LineHeightCombo = nullptr;
    TEdit* TextIndentEdit = nullptr;
    TUpDown* UpDown3 = nullptr;
    TComboBox* TextIndentCombo = nullptr;
    TComboBox* TextAlignEdit = nullptr;
    TComboBox* WhiteSpaceEdit = nullptr;

    TComboBox* DisplayCombo = nullptr;
    TEdit* PadLeftEdit = nullptr;
    TUpDown* UpDown1 = nullptr;
    TComboBox* LPCombo = nullptr;
    TComboBox* PaddingCombo = nullptr;
    TEdit* BWLeftEdit = nullptr;
    TUpDown* UpDown2 = nullptr;
    TComboBox* LBWCombo = nullptr;
    TComboBox* LBWComboExtra = nullptr;
    TComboBox* BorderWidthCombo = nullptr;
    TEdit* MarginLeftEdit = nullptr;
    TUpDown* UpDown4 = nullptr;
    TComboBox* LMCombo = nullptr;
    TComboBox* MarginCombo = nullptr;
    TComboBox* LBStyleCombo = nullptr;
    TComboBox* BorderStyleCombo = nullptr;
    TColorComboBox* BorderColorCombo = nullptr;
    TEdit* BorderColorEdit = nullptr;
    TButton* BCMoreButton = nullptr;
    TComboBox* FloatCombo = nullptr;
    TComboBox* ClearCombo = nullptr;
    TEdit* HeightEdit = nullptr;
    TUpDown* UpDown16 = nullptr;
    TComboBox* HCombo = nullptr;
    TEdit* WidthEdit = nullptr;
    TUpDown* UpDown17 = nullptr;
    TComboBox* WCombo = nullptr;

    TColorComboBox* BackgroundColorCombo2 = nullptr;
    TEdit* BackgroundColorEdit2 = nullptr;
    TButton* Button2 = nullptr;
    TRadioButton* BGColorTransButton2 = nullptr;
    TComboBox* ListStyleTypeCombo = nullptr;
    TEdit* ListStyleImageEdit = nullptr;
    TComboBox* ListStylePosCombo = nullptr;
    TEdit* BGImageEdit = nullptr;
    TEdit* BPXEdit = nullptr;
    TUpDown* UpDown14 = nullptr;
    TComboBox* BGPosXCombo = nullptr;
    TComboBox* BGPosXComboExtra = nullptr;
    TEdit* BPYEdit = nullptr;
    TUpDown* UpDown15 = nullptr;
    TComboBox* BGPosYCombo = nullptr;
    TComboBox* BGPosYComboExtra = nullptr;
    TComboBox* BGAttachmentCombo = nullptr;
    TComboBox* BGRepeatCombo = nullptr;

    TColorDialog* ColorDialog1 = nullptr;

    void FormShow(TObject* Sender);
    void StyleAddButtonClick(TObject* Sender);
    void StyleClearButtonClick(TObject* Sender);
    void OKButtonClick(TObject* Sender);
    void CancelButtonClick(TObject* Sender);
    void PageControlChanging(TObject* Sender, bool& AllowChange);

    void FontSizeExtraChange(TObject* Sender);
    void FontSizeComboChange(TObject* Sender);
    void VisFontComboClick(TObject* Sender);
    void FontAddButtonClick(TObject* Sender);
    void DeleteButtonClick(TObject* Sender);
    void ColorComboClick(TObject* Sender);
    void ColorMoreButtonClick(TObject* Sender);
    void BackgroundColorComboChange(TObject* Sender);
    void BKColorMoreButtonClick(TObject* Sender);
    void BGColorTransButton2Click(TObject* Sender);
    void BackgroundColorEdit2Change(TObject* Sender);
    void BorderColorComboClick(TObject* Sender);
    void BCMoreButtonClick(TObject* Sender);
    void WordSpacingComboChange(TObject* Sender);
    void WSButtonClick(TObject* Sender);
    void LetterSpacingComboChange(TObject* Sender);
    void LSButtonClick(TObject* Sender);
    void TDNoneCheckClick(TObject* Sender);
    void TDULCheckClick(TObject* Sender);
    void LBWComboExtraClick(TObject* Sender);
    void LBWComboClick(TObject* Sender);
    void LMComboChange(TObject* Sender);
    void HComboClick(TObject* Sender);
    void WComboClick(TObject* Sender);
    void UpDown4Changing(TObject* Sender, bool& AllowChange);
    void UpDown16Changing(TObject* Sender, bool& AllowChange);
    void UpDown17Changing(TObject* Sender, bool& AllowChange);
    void BGPosXComboExtraChange(TObject* Sender);
    void BGPosXComboChange(TObject* Sender);
    void BGPosYComboExtraChange(TObject* Sender);
    void BGPosYComboChange(TObject* Sender);
    void UpDown15Changing(TObject* Sender, bool& AllowChange);

    // Appends the property line of a control to lines when the control has a value: an edit's
    // text, or a list's text in lower case after the number edit's text.
    void AddPropertyLine(TControl* control, TEdit* number, const String& property,
                         std::vector<String>& lines);
    // Clears the value controls for the next set of properties.
    void ResetControls();
    // Puts a name at the top of the hidden font list, taking the letter case of an item of that
    // name already there.
    void PutFontFirst(const String& name);
    // "#" and six upper-case hex digits, red first.
    String ColourToHex(TColor colour) const;

    // The property lines that the values chosen now give, in their order.
    std::vector<String> PropertyLines();
    // The style text made into the result: wrapped in STYLE tags and a comment when asked for.
    String StyleResult() const;

private:
    void BuildControls();
    void BuildStylePage();
    void BuildFontPage();
    void BuildTextPage();
    void BuildBlockPage();
    void BuildBackgroundPage();
    void BuildRightPanel();
    void SetStyleTabStops();
    void ShowColourInBackgrounds(TColor colour, const String& text);
    void SetTransparentButtons(bool ticked);
    // A chosen colour from the colour dialog, as the hex text and the combo's colour.
    bool ChooseColour(TColor& colour);
};

extern TCSSMainForm* CSSMainForm;
