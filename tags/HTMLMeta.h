#pragma once
// The META dialog: the page's META tags as fields, the block that replaces them, dates typed in
// short forms, and keywords picked from a count of the page's words. Made once and kept, so the
// fields carry over from one use to the next.

#include "platform/Forms.h"
#include "tags/MetaTags.h"

class TButton;
class TCheckBox;
class TComboBox;
class TEdit;
class TLabel;
class TListBox;
class TMemo;
class TPageControl;
class TPanel;
class TRichEdit;
class TTabSheet;
class TWinControl;

class THTMLMetaForm : public TForm {
public:
    explicit THTMLMetaForm(TComponent* AOwner);
    ~THTMLMetaForm() override;

    TPageControl* PageControl1 = nullptr;
    TTabSheet* GeneralTab = nullptr;
    TMemo* KeywordMemo = nullptr;
    TMemo* DescriptionEdit = nullptr;
    TLabel* NumCharLabel = nullptr;
    TEdit* RatingEdit = nullptr;
    TEdit* RevisitEdit = nullptr;
    TEdit* ObjectTypeEdit = nullptr;
    TButton* KeywordButton = nullptr;
    TButton* ClearAllButton1 = nullptr;
    TTabSheet* AdvancedTab = nullptr;
    TCheckBox* USDates = nullptr;
    TCheckBox* ISOCheckBox = nullptr;
    TEdit* CreationEdit = nullptr;
    TEdit* ExpireEdit = nullptr;
    TCheckBox* DontIndexCheck = nullptr;
    TCheckBox* DontFollowCheck = nullptr;
    TCheckBox* NoCacheCheck = nullptr;
    TEdit* ReplyToEdit = nullptr;
    TEdit* TargetWindowEdit = nullptr;
    TComboBox* ResourceTypeCombo = nullptr;
    TComboBox* DistributionCombo = nullptr;
    TEdit* CopyrightEdit = nullptr;
    TLabel* CopyrightLabel = nullptr;
    TButton* ClearAllButton2 = nullptr;
    TTabSheet* RedirectionTab = nullptr;
    TEdit* RedirectURLEdit = nullptr;
    TEdit* RedirectSecsEdit = nullptr;
    TButton* Button1 = nullptr;
    TTabSheet* KeySheet = nullptr;
    TListBox* KeyList = nullptr;
    TButton* AddKeyButton = nullptr;
    TButton* AddExButton = nullptr;
    TButton* Button2 = nullptr;
    TPanel* HintPanel = nullptr;
    TLabel* HintLabel = nullptr;
    TPanel* ButtonPanel = nullptr;
    TButton* OKButton = nullptr;
    TButton* CancelButton = nullptr;

    // The editor of the page the dialog is shown for.
    TRichEdit* SourceEditor = nullptr;

    // The fields as the reading pass and the block see them.
    TMetaFields Fields() const;
    void SetFields(const TMetaFields& fields);

    // A date typed as d/m/yy, m/d/yy (U.S. box) or yyyymmdd (ISO box) in the long form; any
    // other text unchanged. A date that does not exist raises EConvertError.
    String NormaliseDate(const String& text) const;

    void FormCreate(TObject* Sender);
    void ShowApplicationHint(TObject* Sender);
    void ControlMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void USDatesClick(TObject* Sender);
    void ISOCheckBoxClick(TObject* Sender);
    void CreationEditChange(TObject* Sender);
    void ExpireEditChange(TObject* Sender);
    void DescriptionEditChange(TObject* Sender);
    void ClearAllButton1Click(TObject* Sender);
    void ClearAllButton2Click(TObject* Sender);
    void KeywordButtonClick(TObject* Sender);
    void AddKeyButtonClick(TObject* Sender);
    void AddExButtonClick(TObject* Sender);
    void Button2Click(TObject* Sender);
    void GeneralTab2Click(TObject* Sender);
    void AdvancedTab1Click(TObject* Sender);
    void RedirectionTab1Click(TObject* Sender);
    void OKButtonClick(TObject* Sender);

private:
    void BuildGeneralTab();
    void BuildAdvancedTab();
    void BuildRedirectionTab();
    void BuildKeySheet();
    void BuildHintAndButtons();
    void BuildTabsMenu();
    void ReadSettings();
    void WriteDateFormats();
    void NormaliseDateIn(TEdit* edit);
    // The words of the selected items of KeyList, in list order.
    std::vector<String> SelectedWords() const;
};

// The words keyword extraction leaves out, in the program folder.
String ExcludedWordsFile();

extern THTMLMetaForm* HTMLMetaForm;
