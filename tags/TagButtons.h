#pragma once
// The tag-button bar: its thirteen pages, the buttons that stand on them (one per HTML element,
// most putting a fixed pair of tags around the selection, a few working out their texts), and
// the drop-down lists that a button shows under it. The pages also carry buttons whose commands
// other features run: the tables', the dialogs', the special characters', the text
// transformations', the application and user buttons.

#include "editor/CorvaletForm.h"
#include "editor/MainFormFeature.h"

#include <array>

class TColorDialog;
class TMenuItem;
class TQmToolbarButton;
class TStringGrid;

class TTagButtons : public TMainFormFeature {
public:
    using TMainFormFeature::TMainFormFeature;
    void Build() override;
    void Bind() override;
    void ReadSettings() override;
    void UpdateCommands() override;
    void HidePopupLists() override;

    // Buttons that put a fixed pair of texts around the selection.
    void BoldButtonClick(TObject* Sender);
    void ItalicButtonClick(TObject* Sender);
    void UnderlineButtonClick(TObject* Sender);
    void BreakButtonClick(TObject* Sender);
    void CentreAlignButtonClick(TObject* Sender);
    void RightAlignButtonClick(TObject* Sender);
    void NOBRButtonClick(TObject* Sender);
    void ASPButtonClick(TObject* Sender);
    void HTMLButtonClick(TObject* Sender);
    void HeadButtonClick(TObject* Sender);
    void TitleButtonClick(TObject* Sender);
    void IncFontButtonClick(TObject* Sender);
    void DecFontButtonClick(TObject* Sender);
    void PreButtonClick(TObject* Sender);
    void SubButtonClick(TObject* Sender);
    void SupButtonClick(TObject* Sender);
    void StrongButtonClick(TObject* Sender);
    void EmphButtonClick(TObject* Sender);
    void ULButtonClick(TObject* Sender);
    void OLButtonClick(TObject* Sender);
    void DLButtonClick(TObject* Sender);
    void MenuButtonClick(TObject* Sender);
    void DirButtonClick(TObject* Sender);
    void LIButtonClick(TObject* Sender);
    void DTButtonClick(TObject* Sender);
    void DDButtonClick(TObject* Sender);
    void TableButtonClick(TObject* Sender);
    void CaptionButtonClick(TObject* Sender);
    void THeadButtonClick(TObject* Sender);
    void TBodyButtonClick(TObject* Sender);
    void TFootButtonClick(TObject* Sender);
    void NoFramesButtonClick(TObject* Sender);
    // A new page wrapped in the framework document; File > New > Framework Document too.
    void BasicButtonClick(TObject* Sender);
    // Buttons that work out their texts or ask first.
    // A press on ParaButton drops the alignment list when DoubleParaTags is on; any other
    // sender (the Ctrl+Enter item) inserts the pair at once.
    void ParaButtonClick(TObject* Sender);
    void HeadingsButtonClick(TObject* Sender);
    void CommentButtonClick(TObject* Sender);
    void ColourButtonClick(TObject* Sender);
    void FieldsetButtonClick(TObject* Sender);
    void THButtonClick(TObject* Sender);
    void TRButtonClick(TObject* Sender);
    void TDButtonClick(TObject* Sender);
    void HeadingsUpDown1Click(TObject* Sender, TUDBtnType Button);
    void HeadingsEditClick(TObject* Sender);
    void ButtonsPageChange(TObject* Sender);
    // The shift state of a press on a tag or toolbar button, for the insertion that follows;
    // HeadingsButtonMouseDown's buttons always insert both texts.
    void IntBrowserButtonMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X,
                                   int Y);
    void HeadingsButtonMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X,
                                 int Y);
    // The drop-down lists: a button shows its list and focuses it, or hides it.
    void DoctypeButtonClick(TObject* Sender);
    void OtherFontButtonClick(TObject* Sender);
    void ScriptButtonClick(TObject* Sender);
    void SSIButtonClick(TObject* Sender);
    void ReplaceAnglesButtonClick(TObject* Sender);
    void AlignListBoxClick(TObject* Sender);
    void DoctypeListClick(TObject* Sender);
    void OtherStyleDropListClick(TObject* Sender);
    void ScriptTypeListClick(TObject* Sender);
    void SSIListClick(TObject* Sender);
    void SSIEchoListClick(TObject* Sender);
    void ReplaceAnglesListClick(TObject* Sender);
    void AlignListBoxExit(TObject* Sender);
    void DoctypeListExit(TObject* Sender);
    void OtherStyleDropListExit(TObject* Sender);
    void ScriptTypeListExit(TObject* Sender);
    void SSIListExit(TObject* Sender);
    void SSIEchoListExit(TObject* Sender);
    void ReplaceAnglesListExit(TObject* Sender);

    // Left to right in one row, the scroll buttons left where they are.
    void LineUpTagButtons(TTabSheet* page) const;
    // Over the pages and the panes, with the focus.
    void ShowDropList(TListBox* list);

    TPageControl* ButtonsPage = nullptr;
    TTabSheet* CommonSheet = nullptr;
    TTabSheet* LayoutPage = nullptr;
    TTabSheet* FontSheet = nullptr;
    TTabSheet* ListSheet = nullptr;
    TTabSheet* TablesPage = nullptr;
    TTabSheet* FormSheet = nullptr;
    TTabSheet* FramesPage = nullptr;
    TTabSheet* CharSheet = nullptr;
    TTabSheet* StyleSheet = nullptr;
    TTabSheet* ScriptsSheet = nullptr;
    TTabSheet* SpecialSheet = nullptr;
    TTabSheet* UserSheet = nullptr;
    TTabSheet* ApplicationPage = nullptr;
    // Hidden until the window's creation shows them.
    TQmToolbarButton* ImageMapButton = nullptr;
    TQmToolbarButton* PerlCommentButton = nullptr;
    TQmToolbarButton* PerlNoCommentButton = nullptr;
    TQmToolbarButton* ReplaceAnglesButton = nullptr;
    TQmToolbarButton* BoldButton = nullptr;
    TQmToolbarButton* ItalicButton = nullptr;
    TQmToolbarButton* UnderlineButton = nullptr;
    TQmToolbarButton* ParaButton = nullptr;
    TQmToolbarButton* BreakButton = nullptr;
    TQmToolbarButton* CentreAlignButton = nullptr;
    TQmToolbarButton* RightAlignButton = nullptr;
    TQmToolbarButton* RuleButton = nullptr;
    TQmToolbarButton* LinkButton = nullptr;
    TQmToolbarButton* MailToButton = nullptr;
    TQmToolbarButton* ImageButton = nullptr;
    TQmToolbarButton* CommentButton = nullptr;
    TQmToolbarButton* ColourButton = nullptr;
    TQmToolbarButton* NOBRButton = nullptr;
    TQmToolbarButton* ASPButton = nullptr;
    TQmToolbarButton* GlossaryButton = nullptr;
    TQmToolbarButton* AppletButton = nullptr;
    TQmToolbarButton* SoundButton = nullptr;
    TQmToolbarButton* BasicButton = nullptr;
    TQmToolbarButton* DoctypeButton = nullptr;
    TQmToolbarButton* HTMLButton = nullptr;
    TQmToolbarButton* HeadButton = nullptr;
    TQmToolbarButton* TitleButton = nullptr;
    TQmToolbarButton* BodyButton = nullptr;
    TQmToolbarButton* MetaButton = nullptr;
    TQmToolbarButton* DivButton = nullptr;
    TQmToolbarButton* SpanButton = nullptr;
    TQmToolbarButton* HeadingsButton = nullptr;
    TQmToolbarButton* FaceButton = nullptr;
    TQmToolbarButton* IncFontButton = nullptr;
    TQmToolbarButton* DecFontButton = nullptr;
    TQmToolbarButton* BaseFontButton = nullptr;
    TQmToolbarButton* PreButton = nullptr;
    TQmToolbarButton* SubButton = nullptr;
    TQmToolbarButton* SupButton = nullptr;
    TQmToolbarButton* StrongButton = nullptr;
    TQmToolbarButton* EmphButton = nullptr;
    TQmToolbarButton* OtherFontButton = nullptr;
    TQmToolbarButton* ListButton = nullptr;
    TQmToolbarButton* ULButton = nullptr;
    TQmToolbarButton* OLButton = nullptr;
    TQmToolbarButton* DLButton = nullptr;
    TQmToolbarButton* MenuButton = nullptr;
    TQmToolbarButton* DirButton = nullptr;
    TQmToolbarButton* LIButton = nullptr;
    TQmToolbarButton* DTButton = nullptr;
    TQmToolbarButton* DDButton = nullptr;
    TQmToolbarButton* MakeTableButton = nullptr;
    // Drops down the Scripts menu that the script commands hang on it.
    TQmToolbarButton* ScriptsMenuButton = nullptr;
    TQmToolbarButton* TableFromTextButton = nullptr;
    TQmToolbarButton* TableButton = nullptr;
    TQmToolbarButton* THButton = nullptr;
    TQmToolbarButton* TRButton = nullptr;
    TQmToolbarButton* TDButton = nullptr;
    TQmToolbarButton* CaptionButton = nullptr;
    TQmToolbarButton* THeadButton = nullptr;
    TQmToolbarButton* TBodyButton = nullptr;
    TQmToolbarButton* TFootButton = nullptr;
    TQmToolbarButton* ColgroupButton = nullptr;
    TQmToolbarButton* FormButton = nullptr;
    TQmToolbarButton* TextButton = nullptr;
    TQmToolbarButton* PasswordButton = nullptr;
    TQmToolbarButton* HiddenButton = nullptr;
    TQmToolbarButton* FormFileButton = nullptr;
    TQmToolbarButton* FormImageButton = nullptr;
    TQmToolbarButton* TextAreaButton = nullptr;
    TQmToolbarButton* RadioButton = nullptr;
    TQmToolbarButton* CheckBoxButton = nullptr;
    TQmToolbarButton* SubmitButton = nullptr;
    TQmToolbarButton* ResetButton = nullptr;
    TQmToolbarButton* ButtonButton = nullptr;
    TQmToolbarButton* SelectButton = nullptr;
    TQmToolbarButton* FieldsetButton = nullptr;
    TQmToolbarButton* FrameSetButton = nullptr;
    TQmToolbarButton* FrameButton = nullptr;
    TQmToolbarButton* NoFramesButton = nullptr;
    TQmToolbarButton* IFrameButton = nullptr;
    TQmToolbarButton* StyleWizardButton = nullptr;
    TQmToolbarButton* StyleButton = nullptr;
    TQmToolbarButton* ScriptButton = nullptr;
    TQmToolbarButton* SSIButton = nullptr;
    TQmToolbarButton* DateButton = nullptr;
    TQmToolbarButton* TimeButton = nullptr;
    TQmToolbarButton* MiscButton = nullptr;
    TMenuItem* FrameworkDocument1 = nullptr;
    TEdit* HeadingsEdit = nullptr;
    TUpDown* HeadingsUpDown1 = nullptr;
    TColorDialog* ColorDialog1 = nullptr;
    std::array<TQmToolbarButton*, THTMLEMainForm::UserButtonCount> UserButtons{};
    std::array<TQmToolbarButton*, THTMLEMainForm::AppButtonCount> AppButtons{};
    // The tag bar's drop-down lists.
    TListBox* CharListBox = nullptr;
    TListBox* DoctypeList = nullptr;
    TListBox* OtherStyleDropList = nullptr;
    TListBox* ReplaceAnglesList = nullptr;
    TListBox* AlignListBox = nullptr;
    TListBox* ScriptTypeList = nullptr;
    TListBox* SSIList = nullptr;
    TListBox* SSIEchoList = nullptr;
    TStringGrid* CharGrid = nullptr;
    TPanel* GridPanel1 = nullptr;
    TPanel* GridPanel2 = nullptr;

private:
    // TagButtons.cpp: the pages and their buttons.
    void BuildTagBar();
    void BuildTagButtons();
    // The help gate, then the pair.
    void InsertButtonTags(THelpContext help, const String& start, const String& end,
                          int newlineCount = 0);
    void CellButtonClick(THelpContext help, TQmToolbarButton* button, const String& tag);
    // The user buttons' hints, captions and pictures as the user defined them.
    void ReadUserButtons();
    // TagBarLists.cpp: the drop-down lists under their buttons.
    void BuildTagBarLists();
    void BindTagBarLists();
    // True when the list is shown now, false when it was hidden.
    bool ToggleDropList(TListBox* list, TControl* button);
    void DropAlignList(TControl* button, const String& tag);
    // Puts the list below the tag bar with its right edge 6 pixels right of the button's.
    void PlaceListUnder(TListBox* list, TControl* button);

    // The tag the alignment list completes: "<P", "<TH", "<TR" or "<TD".
    String PendingAlignTag;
    // While the shell forces the commands on (help-pointer mode), and the bar's state before.
    bool CommandsForced = false;
    bool ButtonsPageWasEnabled = false;
};
