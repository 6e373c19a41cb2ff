// The main window's frame around the pages, built as its form resource would build it, one
// builder per area, and its layout on resizing.

#include "editor/CorvaletForm.h"
#include "editor/HTMLSplash.h"

#include "platform/Events.h"
#include "services/ProgramSettings.h"
#include "services/VersionNo.h"
#include "widgets/FBrowse.h"
#include "widgets/QmFilSys.h"
#include "widgets/QmGrdCpt.h"
#include "widgets/QmToolbars.h"
#include "widgets/WebConnect.h"

#include <algorithm>

// The menus, with the items that no feature places itself; the features place theirs among them.
void THTMLEMainForm::BuildMenuBar() {
    MainMenu1 = NewComponent<TMainMenu>(this, "MainMenu1");
    MainPopupMenu = NewComponent<TPopupMenu>(this, "MainPopupMenu");
    TMenuItem* bar = MainMenu1->Items();

    File1 = AddItem(this, bar, "File1", "&File");
    Exit1 = AddItem(this, File1, "Exit1", "E&xit");

    Edit1 = AddItem(this, bar, "Edit1", "&Edit");
    ColourTags1 = AddItem(this, Edit1, "ColourTags1", "Colo&ur Tags");
    ColourTags1->SetEnabled(false);

    Tools1 = AddItem(this, bar, "Tools1", "&Tools");
    Publish1 = AddItem(this, Tools1, "Publish1", "&Publish");

    View1 = AddItem(this, bar, "View1", "&View");
    ShowHideMarks1 = AddHiddenItem(this, View1, "ShowHideMarks1", "Sho&w/Hide Marks");

    Preferences1 = AddItem(this, bar, "Preferences1", "&Preferences");
    PermanentSaveonViewing1 =
        AddItem(this, Preferences1, "PermanentSaveonViewing1", "Permanent Save on &Viewing");
    UseTagColouring1 = AddItem(this, Preferences1, "UseTagColouring1", "&Use Tag Colouring");
    StatusBarShows1 = AddItem(this, Preferences1, "StatusBarShows1", "Status Ba&r");
    ShowLineNumber2 =
        AddRadioItem(this, StatusBarShows1, "ShowLineNumber2", "Show &Line Number", 1);
    ShowSize2 = AddRadioItem(this, StatusBarShows1, "ShowSize2", "Show &Character Position", 1);
    RequestALTtags1 = AddItem(this, Preferences1, "RequestALTtags1", "Re&quest ALT tags");
    ParaPrefs = AddItem(this, Preferences1, "ParaPrefs", "&Use <P>...</P>");
    Office97Style1 = AddItem(this, Preferences1, "Office97Style1", "&Office 97 Style Buttons");
    AutoInsertTabs = AddItem(this, Preferences1, "AutoInsertTabs", "Auto &Insert Tabs");
    SmartTabsMenu = AddItem(this, Preferences1, "SmartTabsMenu", "S&mart Tabs");
    Prepublishfiles1 = AddItem(this, Preferences1, "Prepublishfiles1", "&Pre-publish Files");
    WordWrap1 = AddItem(this, Preferences1, "WordWrap1", "&Word Wrap - current page");
    WordWrap1->SetShortCut(ShortCut('W', ssCtrl));
    WordWrapallpages1 = AddItem(this, Preferences1, "WordWrapallpages1", "Wor&d Wrap - all pages");
    On2 = AddRadioItem(this, WordWrapallpages1, "On2", "&On", 3);
    Off2 = AddRadioItem(this, WordWrapallpages1, "Off2", "O&ff", 3);
    MaxPageSize1 = AddHiddenItem(this, Preferences1, "MaxPageSize1", "&Max. Page Size");
    // The features that are set up once (publisher, browsers) put their commands here.
    Setup1 = AddItem(this, Preferences1, "Setup1", "&Set up");

    Help1 = AddItem(this, bar, "Help1", "&Help");

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

    ToolbarPanel = NewControl<TPanel>(this, TopPanel, "ToolbarPanel");
    ToolbarPanel->SetAlign(alLeft);
    ToolbarPanel->SetWidth(300);
    ButtonsPagePanel = NewControl<TPanel>(this, TopPanel, "ButtonsPagePanel");
    ButtonsPagePanel->SetAlign(alClient);
    for (TPanel* panel : {ToolbarPanel, ButtonsPagePanel}) {
        panel->SetBevelOuter(bvNone);
        panel->SetCaption("");
    }

    DockStd = NewControl<TQmDock>(this, ToolbarPanel, "DockStd");
    DockEdit = NewControl<TQmDock>(this, ToolbarPanel, "DockEdit");
    StdToolbar = NewComponent<TQmToolbar>(this, "StdToolbar");
    StdToolbar->SetCaption("Standard Toolbar");
    StdToolbar->SetCloseButton(false);
    StdToolbar->SetDefaultDock(DockStd);
    StdToolbar->SetDockedTo(DockStd);
    EditToolbar = NewComponent<TQmToolbar>(this, "EditToolbar");
    EditToolbar->SetCaption("Editing Toolbar");
    EditToolbar->SetCloseButton(false);
    EditToolbar->SetDefaultDock(DockEdit);
    EditToolbar->SetDockedTo(DockEdit);
    BuildEdgeDocks();
}

// Made before the file pane and the status bar, so that the side docks lie at the window's
// edges and the bottom dock above the status bar.
void THTMLEMainForm::BuildEdgeDocks() {
    QmDock1 = NewComponent<TQmDock>(this, "QmDock1");
    QmDock1->SetPosition(dpBottom);
    QmDock2 = NewComponent<TQmDock>(this, "QmDock2");
    QmDock2->SetPosition(dpRight);
    QmDock3 = NewComponent<TQmDock>(this, "QmDock3");
    QmDock3->SetPosition(dpLeft);
    for (TQmDock* dock : {QmDock1, QmDock2, QmDock3})
        dock->SetParent(this);
}

// A store that cannot be written is reported; the window closes all the same.
void THTMLEMainForm::SaveToolbarPlaces() {
    try {
        SaveToolbarPositions(this, ProductKey + "\\Toolbars");
    } catch (const std::exception&) {
        Application->HandleException(this);
    }
}

void THTMLEMainForm::LoadToolbarPlaces() {
    LoadToolbarPositions(this, ProductKey + "\\Toolbars");
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
    const int place = after ? after->Left() + after->Width() : 0;
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
    auto* picture = NewControl<TImage>(this, ImagePanel, "LogoImage");
    picture->SetBounds(1, 1, ImagePanel->Width() - 2, 100);
    PaintProductPicture(picture->Canvas(), picture->Width(), picture->Height(), 2);
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

    FolderBrowse1 = NewComponent<TFolderBrowse>(this, "FolderBrowse1");
    WebConnect1 = NewComponent<TWebConnect>(this, "WebConnect1");
    GradientCaption1 = NewComponent<TQmGradientCaption>(this, "GradientCaption1");
    GradientCaption1->SetFormCaption("Quiltmarker");
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
    for (const auto& feature : FFeatures)
        feature->WindowResized();
    if (locked)
        LockWindowUpdate(nullptr);
}
