#pragma once
// Forms, the application object, the screen, message boxes.

#include "platform/Controls.h"
#include "platform/WinHelp.h"

#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class TMainMenu;

using TModalResult = int;
enum : TModalResult {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
    mrAll = 8,
};

enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter,
};
enum TWindowState { wsNormal, wsMinimized, wsMaximized };

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

// A top-level window. Its Width and Height include the frame and caption that the border style
// gives it, so its client area is smaller, as the framework counts.
class TForm : public TWinControl {
public:
    explicit TForm(TComponent* AOwner);
    ~TForm() override;

    // Shows the form and returns once ModalResult is set and the form agrees to close, with the
    // other forms disabled meanwhile; in tests the answer comes from the test hooks.
    // Raises EInvalidOperation for a form that is already shown.
    TModalResult ShowModal();
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult value);
    bool Modal() const { return FModal; }

    void Show();
    // Asks OnCloseQuery, then OnClose for what to do; closing the main form ends the program.
    void Close();
    bool CloseQuery();
    // Frees the form once the messages being handled now are done.
    void Release();

    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle value);
    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons value);
    // The text the desktop shows in the window's title bar in place of the caption, for a
    // component that gives the title bar its own text; empty shows the caption again.
    const String& TitleBarText() const { return FTitleBarText; }
    void SetTitleBarText(const String& value);
    void SetText(const String& value) override;
    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle value);
    void SetPosition(TPosition value) { FPosition = value; }
    TWindowState WindowState() const { return FWindowState; }
    void SetWindowState(TWindowState value);
    TWinControl* ActiveControl() const { return FActiveControl; }
    void SetKeyPreview(bool value) { FKeyPreview = value; }
    bool Active() const { return FActive; }
    // The menu bar; its height comes off the client area.
    TMainMenu* Menu() const { return FMenu; }
    void SetMenu(TMainMenu* value);
    // Drawing on the form's client area from OnPaint.
    TCanvas& Canvas() { return FCanvas; }

    TRect ClientRect() const override;
    bool Showing() const override { return Visible(); }
    bool IsTopLevel() const override { return true; }
    void SetFocus() override;
    void WndProc(TMessage& Message) override;

    // Builds the form's components: setProperties runs in the loading state (see
    // TComponent::LoadComponents), then every component's Loaded is called and then OnCreate.
    void BuildForm(const std::function<void()>& setProperties);
    // The space the frame and caption of the border style take around the client area.
    TRect FrameInsets() const;

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TCloseQueryEvent OnCloseQuery;
    TCloseEvent OnClose;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnPaint;

protected:
    virtual void DoShow();
    virtual void DoHide();
    virtual void Activate();
    virtual void Deactivate();
    virtual void DoClose(TCloseAction& Action);
    void BeforeDestruction() override;
    bool WidgetShown() const override { return Visible(); }
    void VisibleChanging() override;
    TCanvas* PaintCanvas() override { return OnPaint ? &FCanvas : nullptr; }

private:
    void PlaceOnScreen();
    friend void ShowMessage(const String& text);
    bool CloseModal();
    void RunModalLoop();
    void RunHookedModal();
    void SetActive(bool value);
    void FocusFirstControl();
    void VisibleChanged();
    // What the form does for the controls inside it (the messages they send their top-level
    // window); true when the message was one of them.
    bool HandleControlMessage(TMessage& Message);
    // Records which control has the focus and raises OnExit and OnEnter when it changes.
    void FocusChanged(TWinControl* control);
    // Forgets a control leaving the form as its active or focused control.
    void ControlRemoved(TControl* control);

    TModalResult FModalResult = mrNone;
    bool FModal = false;
    bool FActive = false;
    bool FDestroyCalled = false;
    TFormBorderStyle FBorderStyle = bsSizeable;
    TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
    String FTitleBarText;
    TFormStyle FFormStyle = fsNormal;
    TPosition FPosition = poDesigned;
    TWindowState FWindowState = wsNormal;
    TWinControl* FActiveControl = nullptr;
    TWinControl* FFocusedControl = nullptr;
    bool FKeyPreview = false;
    TMainMenu* FMenu = nullptr;
    TCanvas FCanvas;
};

TForm* GetParentForm(const TControl* control);
// The control under a point of the screen, as a drop would find it: the innermost visible
// control of the topmost shown form there (windowed children above the graphic ones, later
// children above earlier ones), the form itself when no child is there, nullptr off every form.
// Disabled controls count only with allowDisabled.
TControl* FindDragTarget(const TPoint& screenPoint, bool allowDisabled);

// Whether key, a character, is the accelerator that "&" marks in caption (letters without
// regard to case; "&&" marks none).
bool IsAccel(WORD key, const String& caption);

using TExceptionEvent = std::function<void(TObject* Sender, const std::exception& E)>;

// Where and about what a hint is about to show; a show-hint handler may change it.
struct THintInfo {
    TControl* HintControl = nullptr;
    TPoint HintPos;   // screen coordinates of the hint window
    TPoint CursorPos; // the mouse, in the control's client coordinates
    TRect CursorRect; // the hint stays while the mouse stays in here (client coordinates)
};
using TShowHintEvent = std::function<void(String& HintStr, bool& CanShow, THintInfo& HintInfo)>;

struct TApplicationCore;

class TApplication : public TComponent {
public:
    TApplication();
    ~TApplication() override;

    // Starts the window system; call once before any control is made. The window system takes
    // its own options (such as -platform) out of argc and argv.
    void Initialize(int& argc, char** argv);
    // Makes a form owned by the application; the first one made is the main form.
    template <typename T> T* CreateForm() {
        T* form = new T(this);
        FormCreated(form);
        return form;
    }
    template <typename T> void CreateForm(T*& reference) { reference = CreateForm<T>(); }
    TForm* MainForm() const { return FMainForm; }

    // Shows the main form and handles messages until Terminate; then frees the forms.
    void Run();
    void Terminate();
    bool Terminated() const { return FTerminated; }
    void ProcessMessages();
    // Waits for the next message and handles it.
    void HandleMessage();

    // Shows a message box with the application's title unless caption is given; returns the
    // button chosen (IDOK, IDYES...).
    int MessageBox(const String& text, const String& caption, UINT flags);
    // The message and a full stop, with the error icon, titled with the application's title.
    void ShowException(const std::exception& E);
    // For use inside a catch block: passes the exception being handled to OnException, or shows
    // it. An abort is silent.
    void HandleException(TObject* Sender);

    const String& Title() const { return FTitle; }
    void SetTitle(const String& value);
    void SetHelpFile(const String& value) { FHelpFile = value; }
    // The program's full file name.
    String ExeName() const;
    // Shows the help file's topic for the context number through the help viewer.
    bool HelpContext(int context);
    bool HelpCommand(UINT command, uintptr_t data);

    const String& Hint() const { return FHint; }
    void SetHint(const String& value);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool value) { FShowHint = value; }
    int HintHidePause() const { return FHintHidePause; }
    void SetHintHidePause(int value) { FHintHidePause = value; }
    bool Active() const;
    // Hides the hint shown now, if any.
    void CancelHint();

    // The modal windows open now: forms shown modally, message boxes and common dialogs. Each
    // calls ModalStarted as it opens and ModalFinished once it has closed; the last one to close
    // raises OnModalEnd.
    int ModalLevel() const { return FModalLevel; }
    void ModalStarted();
    void ModalFinished();

    TExceptionEvent OnException;
    TNotifyEvent OnHint;
    // Called before a control's hint shows, also for a control without hint text.
    TShowHintEvent OnShowHint;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnModalEnd;

private:
    friend class TForm;
    void FormCreated(TForm* form);
    void FormDestroyed(TForm* form);

    std::unique_ptr<TApplicationCore> FCore;
    TForm* FMainForm = nullptr;
    bool FTerminated = false;
    String FTitle;
    String FHelpFile;
    String FHint;
    bool FShowHint = true;
    int FHintHidePause = 2500;
    int FModalLevel = 0;
};

extern TApplication* Application;

// Counts a modal window as open for as long as it lives.
class TModalScope {
public:
    TModalScope() {
        if (Application)
            Application->ModalStarted();
    }
    ~TModalScope() {
        if (Application)
            Application->ModalFinished();
    }
    TModalScope(const TModalScope&) = delete;
    TModalScope& operator=(const TModalScope&) = delete;
};

// A hook sees the messages of the application's main window before it does; true means the
// hook handled the message and the rest of the hooks do not see it.
using TWindowHook = std::function<bool(TMessage& Message)>;
// Returns the number that UnhookMainWindow takes.
int HookMainWindow(TWindowHook hook);
void UnhookMainWindow(int hook);
// Hands a message of the main window to the hooks, the first installed first; true when one
// handled it. The application calls it with CM_ACTIVATE and CM_DEACTIVATE when it gains or loses
// the user's attention.
bool CallMainWindowHooks(TMessage& Message);

// Sizes of the window frame as the program counts them (the frame the border styles add around a
// form's client area), in pixels.
enum : int {
    SM_CXICON = 11,
    SM_CYICON = 12,
    SM_CYCAPTION = 4,
    SM_CXSIZE = 30,
    SM_CYSIZE = 31,
    SM_CXFRAME = 32,
    SM_CYFRAME = 33,
    SM_CXFIXEDFRAME = 7,
    SM_CYFIXEDFRAME = 8,
    SM_CXSMICON = 49,
    SM_CYSMICON = 50,
    SM_CYSMCAPTION = 51,
    SM_CXSMSIZE = 52,
    SM_CYSMSIZE = 53,
};
// 0 for an index not listed above.
int GetSystemMetrics(int index);

struct HCURSOR__;
using HCURSOR = HCURSOR__*;
extern HINSTANCE HInstance;
// The program's own cursors by resource name ("HAND", "MYHELP", "QM_DRAGCUR"...); nullptr for a
// name the program has no cursor for.
HCURSOR LoadCursor(HINSTANCE instance, const char* name);

// One picture of an animated cursor: its hot spot and its display time in sixtieths of a second.
struct TCursorFrame {
    const TBitmap* Picture = nullptr;
    TPoint HotSpot;
    unsigned Jiffies = 0; // 0 counts as 1
};
// A cursor that shows its frames in turn, round and round, from the moment it is made by the
// program's clock (Now); nullptr without frames. It is freed with DestroyCursor once no slot of
// the cursor table holds it any more.
HCURSOR CreateAnimatedCursor(const std::vector<TCursorFrame>& frames);
void DestroyCursor(HCURSOR cursor);
// The frame the cursor shows at the program clock's time now; 0 for a still cursor.
int CursorFrameShown(HCURSOR cursor);
// Gives every control that shows an animated cursor the cursor's frame for now; a timer of the
// stand-in calls it sixty times a second while there is an animated cursor.
void RefreshAnimatedCursors();

class TScreen : public TComponent {
public:
    TScreen();
    ~TScreen() override;

    // The cursor shown over every window; crDefault lets each control show its own.
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor value);
    // The cursor table: stock cursors in the negative slots, the program's own where it puts them.
    HCURSOR Cursors(int index) const;
    void SetCursors(int index, HCURSOR cursor);

    int Width() const;
    int Height() const;
    // The desktop without the panels of the desktop environment.
    TRect WorkAreaRect() const;
    // The area every screen together covers; a window must meet it to be seen.
    TRect DesktopRect() const;
    int WorkAreaHeight() const { return WorkAreaRect().Height(); }
    // The font families installed, sorted.
    TStrings& Fonts();
    // The font families installed with their kinds, in the order the desktop lists them; scalable
    // families count as TrueType.
    std::vector<TFontFamily> FontFamilies() const;

    TForm* ActiveForm() const;
    int FormCount() const { return static_cast<int>(FForms.size()); }
    TForm* Forms(int index) const;

private:
    friend class TForm;
    void AddForm(TForm* form);
    void RemoveForm(TForm* form);

    TCursor FCursor = crDefault;
    std::map<int, HCURSOR> FCursors;
    std::vector<TForm*> FForms;
    std::unique_ptr<TStringList> FFonts;
};

extern TScreen* Screen;

// Shows a cursor over every window (the hourglass of a busy spell) for as long as it lives, then
// puts back the cursor it found, not the default: the help pointer, whose mode is the screen's
// cursor, outlives the spell.
class TScreenCursorScope {
public:
    explicit TScreenCursorScope(TCursor cursor) : FFound(Screen->Cursor()) {
        Screen->SetCursor(cursor);
    }
    ~TScreenCursorScope() { Screen->SetCursor(FFound); }
    TScreenCursorScope(const TScreenCursorScope&) = delete;
    TScreenCursorScope& operator=(const TScreenCursorScope&) = delete;

private:
    TCursor FFound;
};

// A message box owned by the window. Each line end of the text (CR LF, LF CR, or a lone CR or LF)
// shows as one line break; the hooks see the text as given.
int MessageBox(HWND owner, const String& text, const String& caption, UINT flags);
// A plain message with an OK button, titled with the application's title.
void ShowMessage(const String& text);
BOOL MessageBeep(UINT type);
