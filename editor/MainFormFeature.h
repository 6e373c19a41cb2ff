#pragma once
// A feature of the main window: a command set with its own menu items, buttons, panels, state and
// handlers (the file pane, the tag buttons, the internal browser...). The window is a shell that
// knows its features only through this interface: it asks each of them, in the order they were
// made, what it must ask every feature. A feature reaches the shell and the other features
// through the window it was made for.

#include "platform/SysUtils.h"

class TFileListBox;
class TFont;
class THTMLEMainForm;
class TMenuItem;
class TObject;

class TMainFormFeature {
public:
    explicit TMainFormFeature(THTMLEMainForm& form) : Form(form) {}
    virtual ~TMainFormFeature() = default;
    TMainFormFeature(const TMainFormFeature&) = delete;
    TMainFormFeature& operator=(const TMainFormFeature&) = delete;

    // Makes the feature's menu items, toolbar buttons, panels and forms, once the shell has made
    // its menu bar, panels and pages.
    virtual void Build() {}
    // Wires the events of what the feature made (and of the shell's controls it serves) to its
    // handlers.
    virtual void Bind() {}
    // Reads the feature's settings as the window is created, after the shell has read its own.
    virtual void ReadSettings() {}
    // Writes them as the window closes.
    virtual void WriteSettings() {}
    // The pages changed (one opened, closed, or came forward): the feature's commands take the
    // enabled and checked state that fits.
    virtual void UpdateCommands() {}
    // A top-level menu, or the pages' pop-up menu (its Items), is about to drop down: its items of
    // this feature are brought up to date.
    virtual void MenuOpening(TMenuItem& /*menu*/) {}
    // Whether the window may close now; a feature that must finish something first says no and
    // closes the window itself when it has. The features are asked from the last made to the
    // first, so the documents, made first, close their pages only once all others agreed.
    virtual bool CanClose() { return true; }
    // Exit was chosen, before the window's closing asks CanClose: the feature settles with the
    // user what must be settled while everything is still open; false when the user called the
    // exit off.
    virtual bool PrepareExit() { return true; }
    // A file named to the window (on the command line, by a second copy of the program handing
    // its own over, or a leftover of a crashed run the user took back): the feature that opens
    // documents opens it on a page, or tells the user why not. The page, -1 when none took it;
    // an empty name opens nothing.
    virtual int OpenNamedFile(const String& /*fileName*/) { return -1; }
    // A command that works on the pages starts: whatever the feature shows in their place (a
    // report, a preview) goes, and the pages show again.
    virtual void LeaveViewsOverPages() {}
    // Whether the feature shows something in the pages' place now.
    virtual bool ShowsViewOverPages() const { return false; }
    // A page's file was written under this name.
    virtual void FileSaved(const String& /*fileName*/) {}
    // A file was just loaded into the page, or the page was made blank; it is the active page now.
    virtual void PageLoaded(int /*page*/) {}
    // Save, Save As or Print was chosen while the feature shows something in the pages' place:
    // it saves or prints what it shows and says true; false leaves the command to the pages.
    enum class TShownViewCommand { Save, SaveAs, Print };
    virtual bool RunOnShownView(TShownViewCommand /*command*/) { return false; }
    // Replace All of the Replace dialog in Global Replace mode, with the dialog's find and replace
    // texts: the feature that replaces across the selected files runs over them and says true.
    virtual bool RunGlobalReplace(const String& /*findText*/, const String& /*replaceText*/) {
        return false;
    }
    // The printer font was chosen: a text printed in it takes the font's name and size.
    virtual void PrinterFontChosen(const TFont& /*font*/) {}
    // The window's size, place and panels are brought back as they were kept, as its creation
    // lays it out.
    virtual void RestoreWindowState() {}
    // The window was resized or its panels changed: the feature lays out what it keeps in them.
    virtual void WindowResized() {}
    // The window is showing (each time it shows): the commands that every showing brings back
    // are made visible again.
    virtual void WindowShowing() {}
    // The window shows for the first time, before the file of the command line opens: the
    // feature offers back what a run that did not end normally left behind. A failure is shown
    // and the other features still run theirs.
    virtual void FirstShowing() {}
    // Typing, a page change or an insertion without a page: whatever list or panel the feature
    // dropped down over the pages goes.
    virtual void HidePopupLists() {}
    // The list of the files in the folder the user works in, when the feature shows one: the file
    // dialogs start in its folder, and the commands over several files take its selection.
    virtual TFileListBox* WorkingFileList() const { return nullptr; }

protected:
    THTMLEMainForm& Form;
};
