#pragma once
// What a test controls of the world around the program: answers to message boxes, modal forms
// and common dialogs, the screen, keyboard and mouse, beeps, the clipboard, popup menus, started
// programs and the help viewer. The hooks are off unless Install is called (the test support
// does); then no real prompt is ever shown, and a prompt that no test answered is reported to
// the unanswered-prompt handler and answered as Cancel (or No).

#include "platform/Controls.h"
#include "platform/Messages.h"
#include "platform/SysUtils.h"
#include "platform/Types.h"

#include <functional>
#include <vector>

class TComponent;
class TFindDialog;
class TForm;
class TMenuItem;
class TRichEdit;
class TWebBrowser;
enum class TFindButton;

namespace TestHooks {

void Install();
// For the tests that start the real program: QUILTMARKER_TEST_ANSWERS ("yes,no") installs the
// hooks and answers its message boxes in turn with IDYES or IDNO; a box left without an answer is
// declined. Nothing happens when it is not set.
void InstallFromEnvironment();
bool Active();
// Forgets queued answers and records and restores the default screen, keyboard and mouse.
void Reset();

// A prompt shown while the hooks are on.
struct TPrompt {
    String Kind; // "MessageBox", "Form", or the dialog's kind ("OpenDialog", "FolderBrowser"...)
    String Caption;
    String Text;    // as the program gave it, line breaks included
    UINT Flags = 0; // message boxes: the MB_ flags
    UINT Buttons() const { return Flags & MB_TYPEMASK; }
    UINT Icon() const { return Flags & MB_ICONMASK; }
};
const std::vector<TPrompt>& Prompts();

using TUnansweredHandler = std::function<void(const TPrompt& prompt, const String& reason)>;
// Returns the handler that was installed before.
TUnansweredHandler SetUnansweredPromptHandler(TUnansweredHandler handler);

// Answers are taken in the order they were queued, by the prompts in the order they appear; a
// prompt raised while an answer runs (a message box from a button the answer clicks) takes the
// next one.
void AnswerMessageBox(int id);
// fill receives the shown form after OnShow and OnActivate ran; it may fill controls, click
// buttons or set ModalResult. A form still open afterwards (ModalResult not set, or refused by
// OnCloseQuery) takes the next answer.
void AnswerModal(std::function<void(TForm& form)> fill);
void AnswerModalResult(int modalResult);

struct TDialogAnswer {
    bool Accepted = false;
    String FileName;                              // open and save dialogs
    std::vector<String> Files;                    // several files chosen; FileName is the first
    String Folder;                                // the folder browser
    int FilterIndex = 0;                          // 0: leave the dialog's own
    std::function<void(TComponent* dialog)> Fill; // anything else (font, colour)
};
void AnswerDialog(TDialogAnswer answer);
void AnswerDialogCancel();

int QueuedAnswers();
// One line per answer left in the queue, for the failure message of a test that left some.
String DescribeQueuedAnswers();

// For the prompts themselves: record the prompt and take its answer. False when none was queued
// for it (the handler has been told); the prompt is then cancelled.
bool TakeMessageBoxAnswer(const String& caption, const String& text, UINT flags, int& id);
bool TakeModalAnswer(TForm& form, std::function<void(TForm& form)>& fill);
// text is recorded as the prompt's Text (the folder browser's start folder).
bool TakeDialogAnswer(const String& kind, const String& title, TDialogAnswer& answer,
                      const String& text = "");

// A modeless dialog shown: recorded among the prompts, it takes no answer and stays open. False
// when the hooks are off.
bool RecordModelessDialog(const String& kind, const String& caption, const String& text);
// The user at a shown find or replace dialog (its texts and options set as the user would set
// them) presses one of its buttons; false when the dialog is not shown.
bool PressFindDialogButton(TFindDialog& dialog, TFindButton button);

// Screen size and work area (defaults 1024 x 768 with a 30-pixel panel at the bottom).
void SetScreenSize(int width, int height);
void SetWorkArea(const TRect& area);
TSize ScreenSize();
TRect WorkArea();

// Reading the folder's entries fails as though permission were denied, also for the superuser,
// whom permissions do not bind; an empty name lifts it.
void RefuseFolderReading(const String& folder);
bool FolderReadingRefused(const String& folder);

// Keyboard: keys held down; real input updates the same state.
void SetKeyDown(int virtualKey, bool down);
// The mouse pointer in screen coordinates; real mouse input updates it too.
void SetCursorPos(const TPoint& point);

// The desktop's font families as the font enumeration gives them; Reset goes back to the
// installed ones (FontFamilies then gives nullptr).
void SetFontFamilies(const std::vector<TFontFamily>& families);
const std::vector<TFontFamily>* FontFamilies();

// MessageBeep calls, each with its type.
const std::vector<UINT>& Beeps();
// True while the hooks are on: the beep was recorded and must not sound.
bool RecordBeep(UINT type);

// The clipboard's text as bytes.
String ClipboardText();
void SetClipboardText(const String& text);

// A text printed or previewed by a rich-edit control: the job's title, the text and the font it
// printed in, the control, and for a page-by-page print the first page's header and footer
// (their columns' texts joined by "|").
struct TPrintJob {
    String Title;
    String Text;
    String FontName;
    const TControl* Control = nullptr;
    bool Preview = false;
    String Header;
    String Footer;
};
const std::vector<TPrintJob>& PrintJobs();
// True while the hooks are on and printing for real is off: the job was recorded and no printer
// is asked.
bool RecordPrintJob(const TPrintJob& job);
// On: page-by-page prints and previews are drawn on the current printer (its output file) and
// each page's decoration is logged in PrintedPages, in printer pixels from the printable area's
// top-left corner. A text's position is its top-left corner.
void SetPrintForReal(bool value);
struct TPrintedText {
    String Text;
    int X = 0;
    int Y = 0;
};
struct TPrintedLine {
    TPoint From;
    TPoint To;
    int Width = 0;
};
struct TPrintedPage {
    int Number = 0;
    bool Preview = false;
    int PixelsPerInch = 0;
    int PrintableWidth = 0;
    int PrintableHeight = 0;
    TRect TextArea;
    std::vector<TPrintedText> Header;
    std::vector<TPrintedText> Footer;
    std::vector<TPrintedLine> Borders;
    TRect Logo; // empty without one
};
const std::vector<TPrintedPage>& PrintedPages();
void RecordPrintedPage(const TPrintedPage& page);
// The recorded preview pages printed again, each as a job of its own, by file name.
const std::vector<String>& ReprintedPages();
void RecordReprintedPage(const String& fileName);

// A program started through the stand-in (platform/Processes.h).
struct TLaunch {
    String Program;
    std::vector<String> Arguments;
};
const std::vector<TLaunch>& Launches();
// True while the hooks are on: the start was recorded and no program runs.
bool RecordLaunch(const TLaunch& launch);

struct TPopupRecord {
    TComponent* Menu = nullptr;
    TComponent* Component = nullptr; // the control the menu was popped up for
    TPoint Point;                    // screen coordinates
};
const std::vector<TPopupRecord>& Popups();
// True while the hooks are on: the popup was recorded and must not be shown.
bool RecordPopup(TComponent* menu, TComponent* component, const TPoint& point);

struct THelpRequest {
    String HelpFile;
    UINT Command = 0;
    uintptr_t Data = 0; // the topic number; for a keyword, a pointer that may be gone now
    String Keyword;     // HELP_KEY and HELP_PARTIALKEY: the keyword's text
};
const std::vector<THelpRequest>& HelpRequests();
// True while the hooks are on: the request was recorded and no viewer is asked.
bool RecordHelpRequest(const String& helpFile, UINT command, uintptr_t data);

// The browser engine: the real one unless a test chooses the fake, which loads nothing. The fake
// records every address it is asked to show (as the browser reports addresses: a local file as
// its path), keeps a history for Back and Forward, and reports each load as done from the event
// loop, with the title given here (else the address). A browser control takes the engine in use
// when it is first shown or asked to navigate. Reset goes back to the real engine.
void UseFakeBrowser(const String& title = "");
bool FakeBrowserUsed();
String FakeBrowserTitle();
const std::vector<String>& BrowserNavigations();
void RecordBrowserNavigation(const String& address);
// The file the real engine is loaded from: the module beside the program unless a test names
// another here (empty: that one). Reset goes back to the module beside the program.
void UseBrowserModule(const String& path);
String BrowserModule();
// The pointer goes onto a link of the shown page (its address) or off it (empty).
void HoverBrowserLink(TWebBrowser& browser, const String& address);
// Runs a script in the page that the real engine shows and waits for its result, as text.
// Throws when the browser has no real engine or the script gives no result within 10 s.
String RunBrowserScript(TWebBrowser& browser, const String& script);

// Input as a user gives it: events sent to the control's widget, so they pass through the same
// translation into messages, the same shortcuts and the same widget reactions as real input.
// Positions are in the control's client coordinates. Keys are those of a US keyboard: Shift
// with the comma key reports "<", with 0 ")".
void PressKey(TControl& control, WORD virtualKey, TShiftState shift = {});
void TypeText(TControl& control, const String& text);
// How a rich edit draws the byte at a position: the number of the editor's style it has (which
// only tells styles apart) and that style's font and colours.
struct TDrawnLook {
    int Style = 0;
    String Font;
    int Size = 0;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    TColor Fore = 0;
    TColor Back = 0;
};
TDrawnLook DrawnLookAt(TRichEdit& edit, int position);
// A key pressed while the item is highlighted in its open menu.
void PressKeyInMenu(TMenuItem& item, WORD virtualKey);
// A key pressed in the page of the help viewer's window; false when the window is not open.
bool PressKeyInHelpWindow(WORD virtualKey, TShiftState shift = {});
// The help window's Back button clicked; false when the window is not open or Back is disabled.
bool ClickHelpWindowBack();
void ClickMouse(TControl& control, int x, int y, TMouseButton button = mbLeft,
                TShiftState shift = {});
void DoubleClickMouse(TControl& control, int x, int y);
void MoveMouse(TControl& control, int x, int y, TShiftState shift = {});
// The left button pressed and held, the mouse moved with it held, and the button let go: the
// three steps of a press that lasts, for what happens while it is held.
void PressMouse(TControl& control, int x, int y);
void MoveHeldMouse(TControl& control, int x, int y);
void ReleaseMouse(TControl& control, int x, int y);
// The left button pressed at one point, the mouse moved with it held to another, and let go.
void DragMouse(TControl& control, int fromX, int fromY, int toX, int toY);
// Files dragged from the desktop and dropped on the middle of the control: they go where a real
// drop would, to the control when it takes files, else to the nearest window around it that
// does. True when a window took them.
bool DropFiles(TControl& control, const std::vector<String>& paths);
// The user drags from the source within the program and lets go over the target at a point of
// its client area, with the keys of shift held: true when the target took the drop.
bool DragAndDrop(TControl& source, TControl& target, int x, int y, TShiftState shift = {});

} // namespace TestHooks
