#pragma once
// The tag checker's window: the page's saved text in an editor the user may change, check again
// and save, the report (or the tag map) beside it, copy and print of both, and the window's
// placement kept in the registry under TagCheck.

#include "platform/Forms.h"
#include "site/TagChecker.h"

#include <vector>

class TButton;
class TEdit;
class TLabel;
class TListBox;
class TMenuItem;
class TPane;
class TPanel;
class TPopupMenu;
class TRichEdit;
class TSaveDialog;
class TSplitterWnd;
class TStatusBar;
class TUpDown;

// The registry key of the window's placement, and the printer font it reads.
inline constexpr const char* TagCheckKey = "TagCheck";
inline constexpr const char* PrinterFontKey = "Printer Font";

class TTagCheckForm : public TForm {
public:
    // Loads the file named by the global form's ResultText and checks it. A file that cannot be
    // loaded is reported; FileLoaded then tells the command not to show the window.
    explicit TTagCheckForm(TComponent* AOwner);

    bool FileSaved() const { return FFileSaved; }
    bool FileLoaded() const { return FFileLoaded; }
    bool MapShown() const { return FMapShown; }
    const String& FileName() const { return FFileName; }
    const std::vector<String>& PositionList() const { return FPositionList; }

    TPanel* Panel1 = nullptr;
    TSplitterWnd* SplitterWnd1 = nullptr;
    TPane* Pane1 = nullptr;
    TPane* Pane2 = nullptr;
    TRichEdit* REFile = nullptr;
    TStatusBar* FileStatusBar = nullptr;
    TListBox* ListReport = nullptr;
    TRichEdit* InvisMemo = nullptr;
    TPanel* Panel2 = nullptr;
    TButton* SaveButton = nullptr;
    TButton* Button1 = nullptr;
    TButton* CheckButton = nullptr;
    TButton* MapButton = nullptr;
    TLabel* Label1 = nullptr;
    TEdit* LevelEdit = nullptr;
    TUpDown* LevelUpDown = nullptr;
    TButton* ExitButton = nullptr;
    TPopupMenu* PopupMenu1 = nullptr;
    TMenuItem* Copy1 = nullptr;
    TMenuItem* Print1 = nullptr;
    TPopupMenu* PopupMenu2 = nullptr;
    TMenuItem* Copy2 = nullptr;
    TMenuItem* Print2 = nullptr;
    TSaveDialog* SaveDialog1 = nullptr;

    void FormCreate(TObject* Sender);
    void FormResize(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void Pane1Resize(TObject* Sender);
    void REFileChange(TObject* Sender);
    void REFileKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void REFileKeyPress(TObject* Sender, char& Key);
    void REFileMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void ListReportDblClick(TObject* Sender);
    void SaveButtonClick(TObject* Sender);
    void Button1Click(TObject* Sender);
    void CheckButtonClick(TObject* Sender);
    void MapButtonClick(TObject* Sender);
    void ExitButtonClick(TObject* Sender);
    void Copy1Click(TObject* Sender);
    void Print1Click(TObject* Sender);
    void Copy2Click(TObject* Sender);
    void Print2Click(TObject* Sender);
    void UpdateLinePosition();

private:
    void BuildControls();
    void BindControls();
    void ReadPlacement();
    void ApplyPrinterFont();
    void LoadFile();
    void WritePlacement();
    void WriteClosingPlacement();
    void FillInvisMemo();
    void GoToMapLine(int index);
    void GoToReportLine(const String& line);
    // Scrolls the selection into view and gives the editor the focus.
    void ShowSelection();
    // Selects from start up to and including the next ">" (or blank, when asked), or to the end.
    void SelectTagFrom(int start, bool blankEnds);

    bool FReady = false;
    bool FFileSaved = false;
    bool FFileLoaded = false;
    bool FMapShown = false;
    String FFileName;
    std::vector<String> FPositionList;
    TTagNames FContainerTags;
};

extern TTagCheckForm* TagCheckForm;
