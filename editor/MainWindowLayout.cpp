// The main window's frame around the pages, built as its form resource would build it, one
// builder per area, and its layout on resizing.

#include "editor/CorvaletForm.h"

#include "platform/Events.h"
#include "services/ProgramSettings.h"
#include "services/RichPrint.h"
#include "services/VersionNo.h"
#include "widgets/FBrowse.h"
#include "widgets/QmFilSys.h"
#include "widgets/QmHook.h"
#include "widgets/QmToolbars.h"
#include "widgets/WebConnect.h"

#include <algorithm>

// The menus, with the items that no feature places itself; the features place theirs among them.
void THTMLEMainForm::BuildMenuBar() {
    MainMenu1 = NewComponent<TMainMenu>(this, "MainMenu1");
    MainPopupMenu = NewComponent<TPopupMenu>(this, "MainPopupMenu");
    TMenuItem* bar = MainMenu1->Items();

    File1 = AddItem(this, bar, "File1", "&File");
    Print1 = AddItem(this, File1, "Print1", "&Print");
    PrintPreview1 = AddItem(this, File1, "PrintPreview1", "Print Pre&view");

    Edit1 = AddItem(this, bar, "Edit1", "&Edit");
    Undo1 = AddItem(this, Edit1, "Undo1", "&Undo");
    Undo1->SetShortCut(ShortCut(VK_BACK, ssAlt));
    Cut1 = AddItem(this, Edit1, "Cut1", "Cu&t");
    Cut1->SetShortCut(ShortCut('X', ssCtrl));
    Copy1 = AddItem(this, Edit1, "Copy1", "&Copy");
    Copy1->SetShortCut(ShortCut('C', ssCtrl));
    Paste1 = AddItem(this, Edit1, "Paste1", "&Paste");
    Paste1->SetShortCut(ShortCut('V', ssCtrl));
    SelectAll2 = AddItem(this, Edit1, "SelectAll2", "&Select All");
    SelectAll2->SetShortCut(ShortCut('A', ssCtrl));
    Indent1 = AddItem(this, Edit1, "Indent1", "&Indent");
    Unindent1 = AddItem(this, Edit1, "Unindent1", "U&nindent");
    Select1 = AddHiddenItem(this, Edit1, "Select1", "Select &Tag");
    TagCase1 = AddHiddenItem(this, Edit1, "TagCase1", "Tag &Case");
    RemoveIndents1 = AddHiddenItem(this, Edit1, "RemoveIndents1", "Remove In&dents");
    RemoveComments1 = AddItem(this, Edit1, "RemoveComments1", "Remove C&omments");
    ReplaceAngles1 = AddHiddenItem(this, Edit1, "ReplaceAngles1", "Replace <>");
    ColourTags1 = AddItem(this, Edit1, "ColourTags1", "Colo&ur Tags");
    ColourTags1->SetEnabled(false);
    RemoveTextFormatting2 =
        AddItem(this, Edit1, "RemoveTextFormatting2", "&Remove Text Formatting");
    RemoveTextFormatting2->SetShortCut(ShortCut('J', ssCtrl));

    Tools1 = AddItem(this, bar, "Tools1", "&Tools");
    Publish1 = AddItem(this, Tools1, "Publish1", "&Publish");
    CurrentDocument1 = AddItem(this, Publish1, "CurrentDocument1", "&Current Document");
    MultiPublish1 = AddHiddenItem(this, Publish1, "MultiPublish1", "&Multi-Publish");
    MultiPublish2 = AddItem(this, Publish1, "MultiPublish2", "Multi-&Publish...");
    MultiCopy1 = AddItem(this, Publish1, "MultiCopy1", "Multi-&Copy...");
    MultiSave3 = AddItem(this, Publish1, "MultiSave3", "Multi-&Save...");

    View1 = AddItem(this, bar, "View1", "&View");
    ShowHideMarks1 = AddHiddenItem(this, View1, "ShowHideMarks1", "Sho&w/Hide Marks");

    Preferences1 = AddItem(this, bar, "Preferences1", "&Preferences");
    PermanentSaveonViewing1 =
        AddItem(this, Preferences1, "PermanentSaveonViewing1", "Permanent Save on &Viewing");
    UseTagColouring1 = AddItem(this, Preferences1, "UseTagColouring1", "&Use Tag Colouring");
    SetTagColours1 = AddItem(this, Preferences1, "SetTagColours1", "Set Ta&g Colours...");
    StatusBarShows1 = AddItem(this, Preferences1, "StatusBarShows1", "&Status Bar Shows");
    ShowLineNumber2 = AddRadioItem(this, StatusBarShows1, "ShowLineNumber2", "&Line Number", 1);
    ShowSize2 = AddRadioItem(this, StatusBarShows1, "ShowSize2", "&Character Position", 1);
    RequestALTtags1 = AddItem(this, Preferences1, "RequestALTtags1", "Request &ALT Tags");
    Autosave1 = AddItem(this, Preferences1, "Autosave1", "A&utosave");
    N2mins1 = AddRadioItem(this, Autosave1, "N2mins1", "&2 mins", 2);
    N5mins1 = AddRadioItem(this, Autosave1, "N5mins1", "&5 mins", 2);
    N10mins1 = AddRadioItem(this, Autosave1, "N10mins1", "&10 mins", 2);
    N15mins1 = AddRadioItem(this, Autosave1, "N15mins1", "15 &mins", 2);
    Off1 = AddRadioItem(this, Autosave1, "Off1", "&Off", 2);
    ParaPrefs = AddItem(this, Preferences1, "ParaPrefs", "&Double Paragraph Tags");
    Office97Style1 = AddItem(this, Preferences1, "Office97Style1", "&Flat Buttons");
    AutoInsertTabs = AddItem(this, Preferences1, "AutoInsertTabs", "Auto Insert &Tabs");
    SmartTabsMenu = AddItem(this, Preferences1, "SmartTabsMenu", "S&mart Tabs");
    Prepublishfiles1 = AddItem(this, Preferences1, "Prepublishfiles1", "&Pre-publish Files");
    WordWrap1 = AddItem(this, Preferences1, "WordWrap1", "&Word Wrap");
    On2 = AddRadioItem(this, WordWrap1, "On2", "O&n", 3);
    Off2 = AddRadioItem(this, WordWrap1, "Off2", "O&ff", 3);
    MaxPageSize1 = AddHiddenItem(this, Preferences1, "MaxPageSize1", "Maximum Page Si&ze...");
    // The features that are set up once (publisher, browsers) put their commands here.
    Setup1 = AddItem(this, Preferences1, "Setup1", "&Set up");

    Help1 = AddItem(this, bar, "Help1", "&Help");
    N11 = AddHiddenItem(this, Help1, "N11", "-");
    IEHelp = AddHiddenItem(this, Help1, "IEHelp", "&IE HTML");
    RefLibHelp = AddHiddenItem(this, Help1, "RefLibHelp", "HTML &Ref. Library");

    RemoveTextFormatting1 =
        AddItem(this, MainPopupMenu->Items(), "RemoveTextFormatting1", "Remove Text &Formatting");

    // Keyboard commands without a visible item.
    Invis1 = AddHiddenItem(this, bar, "Invis1", "Invis");

    SetMenu(MainMenu1);
}

void THTMLEMainForm::BuildTopPanel() {
    TopPanel = NewControl<TPanel>(this, this, "TopPanel");
    TopPanel->SetAlign(alTop);
    TopPanel->SetHeight(118);
    TopPanel->SetBevelOuter(bvNone);
    TopPanel->SetCaption("");

    DockStd = NewControl<TQmDock>(this, TopPanel, "DockStd");
    DockEdit = NewControl<TQmDock>(this, TopPanel, "DockEdit");
    StdToolbar = NewComponent<TQmToolbar>(this, "StdToolbar");
    StdToolbar->SetDockedTo(DockStd);
    EditToolbar = NewComponent<TQmToolbar>(this, "EditToolbar");
    EditToolbar->SetDockedTo(DockEdit);

    struct ButtonPlace {
        TQmToolbarButton* THTMLEMainForm::*Member;
        const char* Name;
        const char* Hint;
        TQmToolbar* THTMLEMainForm::*Toolbar;
    };
    static const ButtonPlace Buttons[] = {
        {&THTMLEMainForm::FileNewButton, "FileNewButton", "New", &THTMLEMainForm::StdToolbar},
        {&THTMLEMainForm::FileOpenButton, "FileOpenButton", "Open", &THTMLEMainForm::StdToolbar},
        {&THTMLEMainForm::FileSaveButton, "FileSaveButton", "Save", &THTMLEMainForm::StdToolbar},
        {&THTMLEMainForm::PrintButton, "PrintButton", "Print", &THTMLEMainForm::StdToolbar},
        {&THTMLEMainForm::CloseButton, "CloseButton", "Close", &THTMLEMainForm::StdToolbar},
        {&THTMLEMainForm::CloseAllButton, "CloseAllButton", "Close All",
         &THTMLEMainForm::StdToolbar},
        {&THTMLEMainForm::CutButton, "CutButton", "Cut", &THTMLEMainForm::EditToolbar},
        {&THTMLEMainForm::CopyButton, "CopyButton", "Copy", &THTMLEMainForm::EditToolbar},
        {&THTMLEMainForm::PasteButton, "PasteButton", "Paste", &THTMLEMainForm::EditToolbar},
        {&THTMLEMainForm::IndentButton, "IndentButton", "Indent", &THTMLEMainForm::EditToolbar},
        {&THTMLEMainForm::UnindentButton, "UnindentButton", "Unindent",
         &THTMLEMainForm::EditToolbar},
    };
    for (const ButtonPlace& place : Buttons)
        this->*place.Member = AddToolbarButton(this->*place.Toolbar, place.Name, place.Hint);
}

TQmToolbarButton* THTMLEMainForm::AddToolbarButton(TQmToolbar* toolbar, const String& name,
                                                   const String& hint) {
    const int ButtonSize = 23;
    auto* button = NewControl<TQmToolbarButton>(this, toolbar, name);
    button->SetBounds(toolbar->ControlCount() * ButtonSize - ButtonSize, 0, ButtonSize,
                      ButtonSize - 1);
    button->SetHint(hint);
    button->SetShowHint(true);
    LoadButtonGlyph(button);
    return button;
}

TQmToolbarButton* THTMLEMainForm::InsertToolbarButton(TQmToolbar* toolbar, TControl* after,
                                                      const String& name, const String& hint) {
    TQmToolbarButton* button = AddToolbarButton(toolbar, name, hint);
    const int place = after->Left() + after->Width();
    for (int i = 0; i < toolbar->ControlCount(); ++i) {
        TControl* control = toolbar->Controls(i);
        if (control != button && control->Left() >= place)
            control->SetLeft(control->Left() + button->Width());
    }
    button->SetLeft(place);
    return button;
}

// The toolbars work without pictures, so a missing one leaves the button bare. A program folder
// that cannot be made is reported once the window reads its settings; a damaged picture is
// reported here and the window is built all the same.
void THTMLEMainForm::LoadButtonGlyph(TQmToolbarButton* button) {
    String fileName;
    try {
        fileName = ::ProgramFolder() + "glyphs" + PathDelim + button->Name() + ".bmp";
    } catch (const EInOutError&) {
        return;
    }
    if (FileExists(fileName))
        LoadButtonGlyph(button, fileName);
}

// A damaged picture is reported with its name; the button keeps its caption.
void THTMLEMainForm::LoadButtonGlyph(TQmToolbarButton* button, const String& fileName) {
    try {
        button->Glyph().LoadFromFile(fileName);
    } catch (const std::exception&) {
        Application->HandleException(button);
    }
}

void THTMLEMainForm::BuildImagePanel() {
    ImagePanel = NewControl<TPanel>(this, this, "ImagePanel");
    ImagePanel->SetBounds(0, 0, 260, 120);
    ImagePanel->SetBevelOuter(bvLowered);
    ImagePanel->SetCaption("");
    VersionLabel = NewControl<TLabel>(this, ImagePanel, "VersionLabel");
    VersionLabel->SetAlign(alBottom);
    VersionLabel->SetAlignment(taCenter);
}

void THTMLEMainForm::BuildHiddenHelpers() {
    VerLabelInvis = NewControl<TLabel>(this, this, "VerLabelInvis");
    VerLabelInvis->SetVisible(false);
    VersionNo = NewComponent<TVersionNo>(this, "VersionNo");
    VersionNo->SetVerMajor(3);
    VersionNo->SetVerMinor("0");
    VersionNo->SetVerSubType(vtLetter);
    VersionNo->SetVerSub("d");
    VersionNo->SetLabelFormat("Version %1.%2%3");
    VersionNo->SetAssociatedLabel(VerLabelInvis);

    TempMemo = NewControl<TRichEdit>(this, this, "TempMemo");
    PrinterForm = NewControl<TRichEdit>(this, this, "PrinterForm");
    for (TRichEdit* editor : {TempMemo, PrinterForm}) {
        editor->SetPlainText(true);
        editor->SetVisible(false);
    }
    AutosaveTimer = NewComponent<TTimer>(this, "AutosaveTimer");
    AutosaveTimer->SetEnabled(false);

    RichPrinter1 = NewComponent<TRichPrinter>(this, "RichPrinter1");
    RichPrinter1->SetHeaderFormat("<65|>95");
    RichPrinter1->SetFooter("Page {$PAGE}");
    RichPrinter1->SetFooterFormat(">100");
    RichPrinter1->SetPageBorders({pbTop, pbBottom});
    RichPrinter1->SetMarginTop(20);
    RichPrinter1->SetMarginBottom(25);
    RichPrinter1->SetMarginLeft(20);
    RichPrinter1->SetMarginRight(20);
    RichPrinter1->SetLogoWidth(8);
    RichPrinter1->SetLogoHeight(8);
    RichPrinter1->SetBorderOffset(2);
    RichPrinter1->SetOptions_Dialog({poMargins});

    WindowHook2 = NewComponent<TQmWindowHook>(this, "WindowHook2");
    WindowHook2->SetIsForm(true);
    FolderBrowse1 = NewComponent<TFolderBrowse>(this, "FolderBrowse1");
    WebConnect1 = NewComponent<TWebConnect>(this, "WebConnect1");
}

void THTMLEMainForm::BuildLeftPanel() {
    LeftPanel = NewControl<TPanel>(this, this, "LeftPanel");
    LeftPanel->SetAlign(alLeft);
    LeftPanel->SetWidth(180);
    LeftPanel->SetBevelOuter(bvNone);
    LeftPanel->SetCaption("");
}

void THTMLEMainForm::BindMainWindowLayout() {
    OnResize = Handler(this, &THTMLEMainForm::FormResize);
}

namespace {

// The logo panel's place: centred in the area beside the file pane and below
// the top panel, never closer than 6 pixels to either.
int CentredStart(int areaStart, int areaSize, int panelSize) {
    int start = areaStart + areaSize / 2 - panelSize / 2;
    return std::max(std::max(start, 0), areaStart + 6);
}

} // namespace

void THTMLEMainForm::FormResize(TObject* /*Sender*/) {
    bool locked = LockWindowUpdate(Handle());
    int paneWidth = LeftPanelVisible ? LeftPanel->Width() : 0;
    int topHeight = TopPanel->Height();
    ImagePanel->SetLeft(CentredStart(paneWidth, ClientWidth() - paneWidth, ImagePanel->Width()));
    ImagePanel->SetTop(CentredStart(topHeight, ClientHeight() - topHeight, ImagePanel->Height()));
    if (locked)
        LockWindowUpdate(nullptr);
}
