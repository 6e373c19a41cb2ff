#pragma once
// The system's common dialogs: opening and saving files, choosing a font or a colour, printing.
//
// Execute shows the dialog and returns true when the user chose (OK). With the test hooks on,
// nothing is shown: each Execute takes the next queued dialog answer, and one left unanswered is
// reported and counts as cancelled. What the system dialog itself checks before it closes
// (a file that must exist, a folder that must exist, the question before replacing a file)
// goes through message boxes, so the same queue answers them; a refusal keeps the dialog open,
// and it takes the next dialog answer.

#include "platform/Classes.h"
#include "platform/Component.h"
#include "platform/Graphics.h"
#include "platform/Messages.h"
#include "platform/Printers.h"

#include <functional>
#include <memory>

enum TOpenOption {
    ofReadOnly,
    ofOverwritePrompt,
    ofHideReadOnly,
    ofNoChangeDir,
    ofShowHelp,
    ofNoValidate,
    ofAllowMultiSelect,
    ofExtensionDifferent,
    ofPathMustExist,
    ofFileMustExist,
    ofCreatePrompt,
    ofShareAware,
    ofNoReadOnlyReturn,
    ofNoTestFileCreate,
    ofNoNetworkButton,
    ofNoLongNames,
    ofOldStyleDialog,
    ofNoDereferenceLinks,
    ofEnableIncludeNotify,
    ofEnableSizing,
};
using TOpenOptions = TSet<TOpenOption>;

class TCommonDialog : public TComponent {
public:
    explicit TCommonDialog(TComponent* AOwner) : TComponent(AOwner) {}
    virtual bool Execute() = 0;
    int HelpContext() const { return FHelpContext; }
    void SetHelpContext(int value) { FHelpContext = value; }

private:
    int FHelpContext = 0;
};

// Choosing files to open. On OK the current folder becomes the chosen file's folder, unless
// ofNoChangeDir is set.
class TOpenDialog : public TCommonDialog {
public:
    explicit TOpenDialog(TComponent* AOwner);
    ~TOpenDialog() override;
    bool Execute() override;

    // The chosen file with its full path; set before Execute, the name the dialog offers.
    const String& FileName() const { return FFileName; }
    void SetFileName(const String& value) { FFileName = value; }
    // Every file chosen (several with ofAllowMultiSelect), in the order given.
    TStrings& Files() { return *FFiles; }
    // Pairs of description and masks: "Text files|*.txt;*.text|All files|*.*".
    String Filter() const { return FFilter; }
    void SetFilter(const String& value) { FFilter = value; }
    // The pairs as the dialog lists them: "Text files (*.txt *.text)", "All files (*)".
    std::vector<String> ShownFilters() const;
    // 1 for the first pair; after OK, the pair chosen.
    int FilterIndex() const { return FFilterIndex; }
    void SetFilterIndex(int value) { FFilterIndex = value; }
    // Added, after a full stop, to a chosen name that has no extension.
    const String& DefaultExt() const { return FDefaultExt; }
    void SetDefaultExt(const String& value) { FDefaultExt = value; }
    // Where the dialog starts; empty for the current folder.
    const String& InitialDir() const { return FInitialDir; }
    void SetInitialDir(const String& value) { FInitialDir = value; }
    // Empty gives the system's own ("Open", "Save As").
    void SetTitle(const String& value) { FTitle = value; }
    TOpenOptions Options() const { return FOptions; }
    void SetOptions(TOpenOptions value) { FOptions = value; }

protected:
    // The kind the test hooks know the dialog by, and its title when Title is empty.
    virtual String Kind() const { return "OpenDialog"; }
    virtual String DefaultTitle() const { return "Open"; }
    virtual bool Saving() const { return false; }

private:
    String ShownTitle() const;
    String StartFolder() const;
    String CompleteName(const String& name) const;
    // The checks the system dialog makes on OK; false keeps it open.
    bool Acceptable(const std::vector<String>& files) const;
    void Accept(const std::vector<String>& files);
    bool ExecuteHooked();
    bool ExecuteShown();

    String FFileName;
    std::unique_ptr<TStringList> FFiles;
    String FFilter;
    int FFilterIndex = 1;
    String FDefaultExt;
    String FInitialDir;
    String FTitle;
    TOpenOptions FOptions{ofHideReadOnly, ofEnableSizing};
};

// Choosing a file to write; with ofOverwritePrompt the dialog asks before an existing file is
// chosen.
class TSaveDialog : public TOpenDialog {
public:
    explicit TSaveDialog(TComponent* AOwner) : TOpenDialog(AOwner) {}

protected:
    String Kind() const override { return "SaveDialog"; }
    String DefaultTitle() const override { return "Save As"; }
    bool Saving() const override { return true; }
};

// Choosing a font: name, size, style and colour. A test's answer sets Font through its Fill.
class TFontDialog : public TCommonDialog {
public:
    explicit TFontDialog(TComponent* AOwner) : TCommonDialog(AOwner) {}
    bool Execute() override;
    TFont& Font() { return FFont; }
    void SetFont(const TFont& value) { FFont.Assign(value); }
    // The user pressed Apply while the dialog is open: OnApply hears it, with Font as chosen so
    // far. A test's Fill presses it through this.
    void Apply();

    // Set: the dialog offers an Apply button.
    std::function<void(TObject* Sender, HWND Wnd)> OnApply;

private:
    TFont FFont;
};

enum TColorDialogOption { cdFullOpen, cdPreventFullOpen, cdShowHelp, cdSolidColor, cdAnyColor };
using TColorDialogOptions = TSet<TColorDialogOption>;

// Choosing a colour. A test's answer sets Color through its Fill.
class TColorDialog : public TCommonDialog {
public:
    explicit TColorDialog(TComponent* AOwner) : TCommonDialog(AOwner) {}
    bool Execute() override;
    TColor Color() const { return FColor; }
    void SetColor(TColor value) { FColor = value; }
    // Kept for the program's sake: the dialog always shows its full choice of colours.
    void SetOptions(TColorDialogOptions value) { FOptions = value; }

private:
    TColor FColor = clBlack;
    TColorDialogOptions FOptions;
};

enum TPrintDialogOption { poPrintToFile, poPageNums, poSelection, poWarning, poHelp };
using TPrintDialogOptions = TSet<TPrintDialogOption>;

// Choosing the printer for a job; with poPrintToFile the dialog offers printing to a file. On OK
// the chosen printer (and file) becomes the current printer (platform/Printers.h).
// With poPageNums the user may choose a range of pages between MinPage and MaxPage.
enum TPrintRange { prAllPages, prSelection, prPageNums };
class TPrintDialog : public TCommonDialog {
public:
    explicit TPrintDialog(TComponent* AOwner) : TCommonDialog(AOwner) {}
    bool Execute() override;
    void SetOptions(TPrintDialogOptions value) { FOptions = value; }
    int MinPage = 0;
    int MaxPage = 0;
    int FromPage = 0;
    int ToPage = 0;
    TPrintRange PrintRange = prAllPages;

private:
    TPrintDialogOptions FOptions;
};

// Choosing the printer every later job uses. A test's answer may name it through its Fill.
class TPrinterSetupDialog : public TCommonDialog {
public:
    explicit TPrinterSetupDialog(TComponent* AOwner) : TCommonDialog(AOwner) {}
    bool Execute() override;
};

// The page-setup dialog on the current printer. Margins are from the paper's edge, in
// hundredths of a millimetre, or thousandths of an inch when Inches is set; the dialog starts
// with them, the orientation and the paper's name, and leaves the chosen ones there on OK. A
// test's answer sets them through its Fill.
class TPageSetupDialog : public TCommonDialog {
public:
    explicit TPageSetupDialog(TComponent* AOwner) : TCommonDialog(AOwner) {}
    bool Execute() override;
    TRect Margins() const { return FMargins; }
    void SetMargins(const TRect& value) { FMargins = value; }
    void SetInches(bool value) { FInches = value; }
    TPrinterOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TPrinterOrientation value) { FOrientation = value; }
    const String& PaperName() const { return FPaperName; }
    void SetPaperName(const String& value) { FPaperName = value; }

private:
    TRect FMargins;
    bool FInches = false;
    TPrinterOrientation FOrientation = poPortrait;
    String FPaperName;
};

enum TFindOption {
    frDown,
    frFindNext,
    frHideMatchCase,
    frHideWholeWord,
    frHideUpDown,
    frMatchCase,
    frDisableMatchCase,
    frDisableUpDown,
    frDisableWholeWord,
    frReplace,
    frReplaceAll,
    frWholeWord,
    frShowHelp,
};
using TFindOptions = TSet<TFindOption>;

// The buttons of the find and replace dialogs.
enum class TFindButton { FindNext, Replace, ReplaceAll, Cancel };

class TFindDialogPeer;

// The system's modeless find dialog. Execute shows it (or brings it to the front) and returns at
// once; the user's Find Next raises OnFind with frFindNext among the options, and the dialog stays
// open until the user closes it or the program calls CloseDialog. The find text holds at most 255
// characters. With the test hooks on nothing is shown: Execute records the prompt and a test
// presses the buttons through TestHooks::PressFindDialogButton.
class TFindDialog : public TCommonDialog {
public:
    static constexpr int MaxTextLength = 255;

    explicit TFindDialog(TComponent* AOwner);
    ~TFindDialog() override;
    bool Execute() override;
    void CloseDialog();
    bool Showing() const { return FShowing; }

    const String& FindText() const { return FFindText; }
    void SetFindText(const String& value);
    TFindOptions Options() const { return FOptions; }
    void SetOptions(TFindOptions value);

    // What a button of the shown dialog does: the options say which one it was, as the system
    // dialog reports it, then the button's event runs.
    void ButtonPressed(TFindButton button);

    TNotifyEvent OnFind;
    TNotifyEvent OnClose;

protected:
    virtual String Kind() const { return "FindDialog"; }
    virtual String Title() const { return "Find"; }
    virtual bool Replacing() const { return false; }
    virtual void DoReplace() {}

private:
    friend class TFindDialogPeer;
    // The user's edits in the shown dialog.
    void TextEdited(const String& text) { FFindText = text; }
    void OptionsEdited(TFindOptions value) { FOptions = value; }

    String FFindText;
    TFindOptions FOptions{frDown};
    bool FShowing = false;
    std::unique_ptr<TFindDialogPeer> FPeer;
};

// The system's modeless replace dialog: the find dialog with a replace text and the Replace and
// Replace All buttons, both of which raise OnReplace (frReplace or frReplaceAll set).
class TReplaceDialog : public TFindDialog {
public:
    explicit TReplaceDialog(TComponent* AOwner) : TFindDialog(AOwner) {}
    const String& ReplaceText() const { return FReplaceText; }
    void SetReplaceText(const String& value);

    TNotifyEvent OnReplace;

protected:
    String Kind() const override { return "ReplaceDialog"; }
    String Title() const override { return "Replace"; }
    bool Replacing() const override { return true; }
    void DoReplace() override {
        if (OnReplace)
            OnReplace(this);
    }

private:
    friend class TFindDialogPeer;
    void ReplaceTextEdited(const String& text) { FReplaceText = text; }
    String FReplaceText;
};
