#include "platform/Forms.h"
#include "platform/MenuPeers.h"
#include "platform/Peer.h"
#include "platform/TestHooks.h"

#include <QApplication>
#include <QEventLoop>
#include <QFontDatabase>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>
#include <unistd.h>

// ---- The form's window

TFormPeer::TFormPeer(TControl& control) : TControlPeer(control, new QWidget), FClient(new QWidget) {
    auto* layout = new QVBoxLayout(Widget());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    // The client area takes all the height the menu bar leaves.
    layout->addWidget(FClient, 1);
    FClient->setAutoFillBackground(true);
    Watch(FClient);
}

void TFormPeer::SetMenuBar(QWidget* menuBar) {
    delete FMenuBar.data();
    FMenuBar = menuBar;
    if (menuBar)
        static_cast<QVBoxLayout*>(Widget()->layout())->insertWidget(0, menuBar);
    ResizeWindow();
}

void TFormPeer::SetGeometry(const TRect& bounds) {
    Widget()->move(bounds.Left, bounds.Top);
    ResizeWindow();
}

// The window is the client area and the menu bar; the frame is the window system's.
void TFormPeer::ResizeWindow() {
    auto& form = static_cast<TForm&>(Control());
    int menuHeight = FMenuBar ? FMenuBar->sizeHint().height() : 0;
    QSize size(std::max(0, form.ClientWidth()), std::max(0, form.ClientHeight()) + menuHeight);
    if (FFixedSize)
        Widget()->setFixedSize(size);
    else {
        Widget()->setMinimumSize(0, 0);
        Widget()->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        Widget()->resize(size);
    }
    FClient->resize(size.width(), size.height() - menuHeight);
}

void TFormPeer::SetColor(TColor color) {
    QPalette palette = FClient->palette();
    palette.setColor(QPalette::Window, ToQColor(color));
    FClient->setPalette(palette);
}

void TFormPeer::SetWindowStyle(TFormBorderStyle border, bool stayOnTop, bool minimize,
                               bool maximize) {
    Qt::WindowFlags flags = Qt::Window;
    switch (border) {
    case bsNone:
        flags |= Qt::FramelessWindowHint;
        break;
    case bsDialog:
        flags =
            Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
        break;
    case bsToolWindow:
    case bsSizeToolWin:
        flags =
            Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
        break;
    default:
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint;
        if (minimize)
            flags |= Qt::WindowMinimizeButtonHint;
        if (maximize && border == bsSizeable)
            flags |= Qt::WindowMaximizeButtonHint;
        break;
    }
    if (stayOnTop)
        flags |= Qt::WindowStaysOnTopHint;
    FFixedSize = border == bsSingle || border == bsDialog || border == bsToolWindow;
    bool shown = Widget()->isVisible();
    if (Widget()->isWindow())
        Widget()->setWindowFlags(flags);
    ResizeWindow();
    if (shown)
        Widget()->show();
}

void TFormPeer::SetWindowState(TWindowState state) {
    if (!Widget()->isVisible())
        return;
    if (state == wsMaximized)
        Widget()->showMaximized();
    else if (state == wsMinimized)
        Widget()->showMinimized();
    else
        Widget()->showNormal();
}

// ---- TForm

namespace {

std::unique_ptr<TControlPeer> MakeFormPeer(TControl& control) {
    return std::make_unique<TFormPeer>(control);
}

TFormPeer& FormPeer(const TForm& form) {
    return static_cast<TFormPeer&>(form.Peer());
}

// Frame and caption sizes of the classic window metrics.
constexpr int CaptionHeight = 19;
constexpr int ToolCaptionHeight = 15;
constexpr int SizingFrame = 4;
constexpr int FixedFrame = 3;
constexpr int MenuBarHeight = 19;

} // namespace

TForm::TForm(TComponent* AOwner) : TWinControl(AOwner, MakeFormPeer) {
    SetVisible(false);
    SetColor(clBtnFace);
    SetBounds(0, 0, 320, 240);
    FormPeer(*this).SetWindowStyle(FBorderStyle, false, true, true);
    if (Screen)
        Screen->AddForm(this);
}

TForm::~TForm() {
    // Deleted without Free, the form and its parts still learn first that they are going.
    Destroying();
    DestroyComponents();
    if (Screen)
        Screen->RemoveForm(this);
    if (Application)
        Application->FormDestroyed(this);
}

void TForm::BeforeDestruction() {
    if (FDestroyCalled)
        return;
    FDestroyCalled = true;
    if (OnDestroy)
        OnDestroy(this);
}

void TForm::BuildForm(const std::function<void()>& setProperties) {
    LoadComponents(setProperties);
    if (!OnCreate)
        return;
    try {
        OnCreate(this);
    } catch (...) {
        Application->HandleException(this);
    }
}

TRect TForm::FrameInsets() const {
    int frame = 0;
    int caption = 0;
    switch (FBorderStyle) {
    case bsNone:
        break;
    case bsSingle:
    case bsDialog:
        frame = FixedFrame;
        caption = CaptionHeight;
        break;
    case bsSizeable:
        frame = SizingFrame;
        caption = CaptionHeight;
        break;
    case bsToolWindow:
        frame = FixedFrame;
        caption = ToolCaptionHeight;
        break;
    case bsSizeToolWin:
        frame = SizingFrame;
        caption = ToolCaptionHeight;
        break;
    }
    return Rect(frame, frame + caption + (FMenu ? MenuBarHeight : 0), frame, frame);
}

TRect TForm::ClientRect() const {
    TRect insets = FrameInsets();
    return Rect(0, 0, std::max(0, Width() - insets.Left - insets.Right),
                std::max(0, Height() - insets.Top - insets.Bottom));
}

// Changing the frame keeps the client area's size, as a window's style change does.
void TForm::SetBorderStyle(TFormBorderStyle value) {
    if (value == FBorderStyle)
        return;
    int clientWidth = ClientWidth();
    int clientHeight = ClientHeight();
    FBorderStyle = value;
    SetClientWidth(clientWidth);
    SetClientHeight(clientHeight);
    FormPeer(*this).SetWindowStyle(FBorderStyle, FFormStyle == fsStayOnTop,
                                   FBorderIcons.Contains(biMinimize),
                                   FBorderIcons.Contains(biMaximize));
}

void TForm::SetBorderIcons(TBorderIcons value) {
    FBorderIcons = value;
    FormPeer(*this).SetWindowStyle(FBorderStyle, FFormStyle == fsStayOnTop,
                                   value.Contains(biMinimize), value.Contains(biMaximize));
}

void TForm::SetFormStyle(TFormStyle value) {
    if (!Change(FFormStyle, value))
        return;
    FormPeer(*this).SetWindowStyle(FBorderStyle, value == fsStayOnTop,
                                   FBorderIcons.Contains(biMinimize),
                                   FBorderIcons.Contains(biMaximize));
}

void TForm::SetMenu(TMainMenu* value) {
    if (value == FMenu)
        return;
    int clientHeight = ClientHeight();
    FMenu = value;
    SetClientHeight(clientHeight);
    FormPeer(*this).SetMenuBar(value ? CreateMenuBar(*value) : nullptr);
}

void TForm::SetWindowState(TWindowState value) {
    FWindowState = value;
    FormPeer(*this).SetWindowState(value);
}

void TForm::SetActiveControl(TWinControl* control) {
    FActiveControl = control;
    if (control && FActive && Visible() && control->CanFocus())
        control->SetFocus();
}

void TForm::FocusChanged(TWinControl* control) {
    FActiveControl = control;
    if (control == FFocusedControl)
        return;
    TWinControl* previous = FFocusedControl;
    FFocusedControl = control;
    if (previous)
        previous->DoExit();
    if (control && FFocusedControl == control)
        control->DoEnter();
}

void TForm::ControlRemoved(TControl* control) {
    auto inside = [control](TWinControl* window) {
        auto* removed = dynamic_cast<TWinControl*>(control);
        return window && (window == control || (removed && removed->ContainsControl(window)));
    };
    if (inside(FActiveControl))
        FActiveControl = nullptr;
    if (inside(FFocusedControl))
        FFocusedControl = nullptr;
}

void TForm::SetFocus() {
    Peer().SetFocus();
    if (FActiveControl && FActiveControl->CanFocus())
        FActiveControl->SetFocus();
}

// Where the form goes when it is shown: the screen's centre, or the main form's.
void TForm::PlaceOnScreen() {
    auto centreOn = [this](const TRect& area) {
        SetBounds(area.Left + (area.Width() - Width()) / 2,
                  area.Top + (area.Height() - Height()) / 2, Width(), Height());
    };
    switch (FPosition) {
    case poScreenCenter:
    case poDesktopCenter:
        centreOn(Rect(0, 0, Screen->Width(), Screen->Height()));
        break;
    case poMainFormCenter:
    case poOwnerFormCenter: {
        TForm* centre = Application->MainForm();
        if (FPosition == poOwnerFormCenter && dynamic_cast<TForm*>(Owner()))
            centre = static_cast<TForm*>(Owner());
        if (centre && centre != this)
            centreOn(centre->BoundsRect());
        else
            centreOn(Rect(0, 0, Screen->Width(), Screen->Height()));
        break;
    }
    default:
        break;
    }
}

void TForm::VisibleChanging() {
    if (!Visible())
        PlaceOnScreen();
}

void TForm::Show() {
    SetVisible(true);
    BringToFront();
}

void TForm::DoShow() {
    if (OnShow)
        OnShow(this);
}

void TForm::DoHide() {
    if (OnHide)
        OnHide(this);
}

void TForm::Activate() {
    if (OnActivate)
        OnActivate(this);
}

void TForm::Deactivate() {
    if (OnDeactivate)
        OnDeactivate(this);
}

// One form is active at a time.
void TForm::SetActive(bool value) {
    if (value == FActive)
        return;
    if (value && Screen)
        for (int i = 0; i < Screen->FormCount(); ++i)
            if (TForm* other = Screen->Forms(i); other != this)
                other->SetActive(false);
    FActive = value;
    if (!value) {
        Deactivate();
        return;
    }
    Activate();
    FocusFirstControl();
    // The window system follows: the keyboard goes to the active form's window.
    if (Peer().Widget()->isVisible())
        QApplication::setActiveWindow(Peer().Widget());
}

// An active form has a control with the focus: its ActiveControl, else the first one that takes
// the Tab key.
void TForm::FocusFirstControl() {
    if (FFocusedControl)
        return;
    TWinControl* first = FActiveControl;
    std::function<TWinControl*(TWinControl&)> findTabStop = [&](TWinControl& parent) {
        for (int i = 0; i < parent.ControlCount(); ++i) {
            auto* window = dynamic_cast<TWinControl*>(parent.Controls(i));
            if (!window || !window->Visible() || !window->Enabled())
                continue;
            if (window->TabStop())
                return window;
            if (TWinControl* inner = findTabStop(*window))
                return inner;
        }
        return static_cast<TWinControl*>(nullptr);
    };
    if (!first)
        first = findTabStop(*this);
    if (first && first->CanFocus())
        first->SetFocus();
}

// A form that hides while active hands activation to the main form, as the window system would;
// a modal form gives it back to the form that was active before it instead.
void TForm::VisibleChanged() {
    if (Visible()) {
        DoShow();
        FormPeer(*this).SetWindowState(FWindowState);
        SetActive(true);
        return;
    }
    DoHide();
    if (!FActive)
        return;
    SetActive(false);
    TForm* mainForm = Application ? Application->MainForm() : nullptr;
    if (!FModal && mainForm && mainForm != this && mainForm->Visible())
        mainForm->SetActive(true);
}

void TForm::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case CM_VISIBLECHANGED:
        VisibleChanged();
        break;
    case WM_CLOSE:
        Close();
        return;
    case WM_ACTIVATE:
        // Only a change from another of the program's forms makes the form active: coming back
        // from another program or from a system dialog leaves it as it was.
        if (Visible() && Message.WParam != WA_INACTIVE)
            SetActive(true);
        break;
    case WM_SIZE: {
        TRect insets = FrameInsets();
        BoundsSetByPeer(Left(), Top(), LOWORD(Message.LParam) + insets.Left + insets.Right,
                        HIWORD(Message.LParam) + insets.Top + insets.Bottom);
        break;
    }
    case WM_MOVE:
        BoundsSetByPeer(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam), Width(),
                        Height());
        break;
    case WM_PAINT:
        if (OnPaint) {
            OnPaint(this);
            return;
        }
        break;
    default:
        break;
    }
    TWinControl::WndProc(Message);
}

bool TForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery)
        OnCloseQuery(this, canClose);
    return canClose;
}

void TForm::DoClose(TCloseAction& Action) {
    if (OnClose)
        OnClose(this, Action);
}

void TForm::Close() {
    if (FModal) {
        SetModalResult(mrCancel);
        return;
    }
    if (!CloseQuery())
        return;
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone)
        return;
    if (Application && Application->MainForm() == this)
        Application->Terminate();
    else if (action == caHide)
        Hide();
    else if (action == caMinimize)
        SetWindowState(wsMinimized);
    else
        Release();
}

// Freed from the event loop, once the handler that asked has returned.
void TForm::Release() {
    HWND handle = Handle();
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [handle] {
            if (TWinControl* form = FindControl(handle))
                form->Free();
        },
        Qt::QueuedConnection);
}

void TForm::SetModalResult(TModalResult value) {
    FModalResult = value;
    if (FModal && value != mrNone && FQuitModalLoop)
        FQuitModalLoop();
}

// A modal form closes when it agrees to: OnCloseQuery, then OnClose, may keep it open.
bool TForm::CloseModal() {
    TCloseAction action = caNone;
    if (CloseQuery()) {
        action = caHide;
        DoClose(action);
    }
    if (action == caNone) {
        FModalResult = mrNone;
        return false;
    }
    if (action == caFree)
        Release();
    return true;
}

void TForm::RunModalLoop() {
    QEventLoop loop;
    FQuitModalLoop = [&loop] { loop.quit(); };
    while (true) {
        if (FModalResult == mrNone)
            loop.exec();
        if (Application->Terminated())
            FModalResult = mrCancel;
        if (FModalResult != mrNone && CloseModal())
            break;
        if (Application->Terminated())
            break;
    }
    FQuitModalLoop = nullptr;
}

// In tests the queued answers play the user: each runs on the shown form until one leaves it
// closed; with none left the form is cancelled and the test fails.
void TForm::RunHookedModal() {
    while (true) {
        std::function<void(TForm&)> fill;
        if (!TestHooks::TakeModalAnswer(*this, fill)) {
            FModalResult = mrCancel;
            CloseModal();
            FModalResult = mrCancel;
            return;
        }
        fill(*this);
        if (FModalResult != mrNone && CloseModal())
            return;
    }
}

TModalResult TForm::ShowModal() {
    if (Visible() || !Enabled() || FModal)
        throw EInvalidOperation("Cannot make a visible window modal");
    TForm* previous = Screen->ActiveForm();
    FModal = true;
    FModalResult = mrNone;
    Peer().Widget()->setWindowModality(Qt::ApplicationModal);
    auto finish = [this, previous] {
        FQuitModalLoop = nullptr;
        Hide();
        FModal = false;
        Peer().Widget()->setWindowModality(Qt::NonModal);
        if (previous && previous != this && previous->Visible())
            previous->SetActive(true);
    };
    try {
        Show();
        if (TestHooks::Active())
            RunHookedModal();
        else
            RunModalLoop();
    } catch (...) {
        finish();
        throw;
    }
    finish();
    return FModalResult;
}

TForm* GetParentForm(const TControl* control) {
    while (control && control->Parent())
        control = control->Parent();
    return dynamic_cast<TForm*>(const_cast<TControl*>(control));
}

// ---- Message boxes

namespace {

// Each line end (CR LF, LF CR, a lone CR or LF) shows as one line break.
QString MessageBoxText(const String& text) {
    String lines;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c != '\r' && c != '\n') {
            lines += c;
            continue;
        }
        lines += '\n';
        if (i + 1 < text.size() && (text[i + 1] == '\r' || text[i + 1] == '\n') && text[i + 1] != c)
            ++i;
    }
    return DisplayText(lines);
}

struct BoxButton {
    QMessageBox::StandardButton Button;
    int Id;
};

std::vector<BoxButton> ButtonsOf(UINT flags) {
    switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_ABORTRETRYIGNORE:
        return {{QMessageBox::Abort, IDABORT},
                {QMessageBox::Retry, IDRETRY},
                {QMessageBox::Ignore, IDIGNORE}};
    case MB_YESNOCANCEL:
        return {
            {QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_YESNO:
        return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
    case MB_RETRYCANCEL:
        return {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}};
    default:
        return {{QMessageBox::Ok, IDOK}};
    }
}

// What closing the box without choosing gives: Cancel where there is one, else the safe answer.
int DismissAnswer(UINT flags) {
    switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL:
    case MB_YESNOCANCEL:
    case MB_RETRYCANCEL:
        return IDCANCEL;
    case MB_YESNO:
        return IDNO;
    case MB_ABORTRETRYIGNORE:
        return IDABORT;
    default:
        return IDOK;
    }
}

QMessageBox::Icon IconOf(UINT flags) {
    switch (flags & MB_ICONMASK) {
    case MB_ICONERROR:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONWARNING:
        return QMessageBox::Warning;
    case MB_ICONINFORMATION:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

QWidget* WindowOf(HWND owner) {
    if (TWinControl* control = FindControl(owner))
        return control->Peer().Widget()->window();
    if (Screen && Screen->ActiveForm())
        return Screen->ActiveForm()->Peer().Widget();
    return nullptr;
}

int ShowMessageBox(HWND owner, const String& text, const String& caption, UINT flags) {
    if (TestHooks::Active()) {
        int id = 0;
        return TestHooks::TakeMessageBoxAnswer(caption, text, flags, id) ? id
                                                                         : DismissAnswer(flags);
    }
    QMessageBox box(IconOf(flags), DisplayText(caption), MessageBoxText(text),
                    QMessageBox::NoButton, WindowOf(owner));
    std::vector<BoxButton> buttons = ButtonsOf(flags);
    for (const BoxButton& button : buttons)
        box.addButton(button.Button);
    size_t defaultIndex = (flags & MB_DEFMASK) >> 8;
    if (defaultIndex < buttons.size())
        box.setDefaultButton(buttons[defaultIndex].Button);
    box.exec();
    for (const BoxButton& button : buttons)
        if (box.clickedButton() == box.button(button.Button))
            return button.Id;
    return DismissAnswer(flags);
}

} // namespace

int MessageBox(HWND owner, const String& text, const String& caption, UINT flags) {
    return ShowMessageBox(owner, text, caption, flags);
}

// The plain message is one of the program's own dialogs: the form it covers is activated again
// when it closes.
void ShowMessage(const String& text) {
    TForm* active = Screen->ActiveForm();
    if (active)
        active->SetActive(false);
    ShowMessageBox(nullptr, text, Application ? Application->Title() : String(), MB_OK);
    if (active && active->Visible())
        active->SetActive(true);
}

BOOL MessageBeep(UINT type) {
    if (!TestHooks::RecordBeep(type))
        QApplication::beep();
    return 1;
}

// ---- TApplication

// Qt keeps referring to the arguments it was started with, so they live as long as it does.
struct TApplicationCore {
    int Argc = 0;
    std::vector<char*> Argv;
    std::unique_ptr<QApplication> App;
};

TApplication::TApplication() : TComponent(nullptr), FCore(std::make_unique<TApplicationCore>()) {}

// The forms go before the window system they live in.
TApplication::~TApplication() {
    DestroyComponents();
    FCore.reset();
}

void TApplication::Initialize(int& argc, char** argv) {
    if (QApplication::instance())
        return;
    FCore->Argc = argc;
    FCore->Argv.assign(argv, argv + argc);
    FCore->Argv.push_back(nullptr);
    FCore->App = std::make_unique<QApplication>(FCore->Argc, FCore->Argv.data());
    // The window system's own options are gone from what the program sees as its command line.
    argc = FCore->Argc;
    std::copy(FCore->Argv.begin(), FCore->Argv.begin() + argc, argv);
    argv[argc] = nullptr;
    QApplication::setQuitOnLastWindowClosed(false);
    if (!FTitle.empty())
        QApplication::setApplicationDisplayName(DisplayText(FTitle));
}

void TApplication::FormCreated(TForm* form) {
    if (!FMainForm)
        FMainForm = form;
}

void TApplication::FormDestroyed(TForm* form) {
    if (FMainForm == form)
        FMainForm = nullptr;
}

void TApplication::Run() {
    if (FMainForm && FShowMainForm && !FTerminated)
        FMainForm->Show();
    while (!FTerminated)
        QApplication::exec();
    DestroyComponents();
}

void TApplication::Terminate() {
    FTerminated = true;
    QCoreApplication::exit(0);
}

void TApplication::ProcessMessages() {
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void TApplication::HandleMessage() {
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

int TApplication::MessageBox(const String& text, const String& caption, UINT flags) {
    HWND owner = Screen->ActiveForm() ? Screen->ActiveForm()->Handle() : nullptr;
    return ShowMessageBox(owner, text, caption, flags);
}

void TApplication::ShowException(const std::exception& E) {
    const auto* framework = dynamic_cast<const Exception*>(&E);
    String message = framework ? framework->Message() : String(E.what());
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
        message += '.';
    MessageBox(message, FTitle, MB_OK | MB_ICONSTOP);
}

void TApplication::HandleException(TObject* Sender) {
    try {
        throw;
    } catch (const EAbort&) {
        return;
    } catch (const std::exception& e) {
        if (OnException)
            OnException(Sender, e);
        else
            ShowException(e);
    } catch (...) {
        Exception unknown("Unknown error");
        if (OnException)
            OnException(Sender, unknown);
        else
            ShowException(unknown);
    }
}

void TApplication::SetTitle(const String& value) {
    FTitle = value;
    if (QApplication::instance())
        QApplication::setApplicationDisplayName(DisplayText(value));
}

String TApplication::ExeName() const {
    char path[4096];
    ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
    return length > 0 ? String(path, static_cast<size_t>(length)) : String();
}

bool TApplication::HelpContext(int context) {
    return HelpCommand(HELP_CONTEXT, static_cast<uintptr_t>(context));
}

bool TApplication::HelpCommand(UINT command, uintptr_t data) {
    HWND owner = FMainForm ? FMainForm->Handle() : nullptr;
    return WinHelp(owner, FHelpFile, command, data) != 0;
}

void TApplication::SetHint(const String& value) {
    if (!Change(FHint, value))
        return;
    if (OnHint)
        OnHint(this);
}

void TApplication::SetShowHint(bool value) {
    FShowHint = value;
}

void TApplication::SetHintHidePause(int value) {
    FHintHidePause = value;
}

void TApplication::SetHintPause(int value) {
    FHintPause = value;
}

bool TApplication::Active() const {
    return Screen && Screen->ActiveForm() != nullptr;
}

// ---- TScreen and cursors

struct HCURSOR__ {
    QCursor Cursor;
};

namespace {

struct StockCursor {
    TCursor Number;
    Qt::CursorShape Shape;
};

constexpr StockCursor StockCursors[] = {
    {crDefault, Qt::ArrowCursor},    {crNone, Qt::BlankCursor},
    {crArrow, Qt::ArrowCursor},      {crCross, Qt::CrossCursor},
    {crIBeam, Qt::IBeamCursor},      {crSizeNESW, Qt::SizeBDiagCursor},
    {crSizeNS, Qt::SizeVerCursor},   {crSizeNWSE, Qt::SizeFDiagCursor},
    {crSizeWE, Qt::SizeHorCursor},   {crUpArrow, Qt::UpArrowCursor},
    {crHourGlass, Qt::WaitCursor},   {crDrag, Qt::DragMoveCursor},
    {crNoDrop, Qt::ForbiddenCursor}, {crHSplit, Qt::SplitHCursor},
    {crVSplit, Qt::SplitVCursor},    {crMultiDrag, Qt::DragCopyCursor},
    {crSQLWait, Qt::WaitCursor},     {crNo, Qt::ForbiddenCursor},
    {crAppStart, Qt::BusyCursor},    {crHelp, Qt::WhatsThisCursor},
};

// The program's cursor resources, drawn with the nearest stock shapes.
struct NamedCursor {
    const char* Name;
    Qt::CursorShape Shape;
};

constexpr NamedCursor NamedCursors[] = {
    {"HAND", Qt::PointingHandCursor},     {"WBHAND", Qt::PointingHandCursor},
    {"WLHAND", Qt::PointingHandCursor},   {"QM_HANDCUR", Qt::PointingHandCursor},
    {"QM_DRAGCUR", Qt::ClosedHandCursor}, {"DRAGCURSOR", Qt::ClosedHandCursor},
    {"MYHELP", Qt::WhatsThisCursor},
};

// Cursors live as long as the program: handles to them are kept anywhere.
HCURSOR CursorOfShape(Qt::CursorShape shape) {
    static auto* made = new std::map<Qt::CursorShape, HCURSOR>;
    HCURSOR& cursor = (*made)[shape];
    if (!cursor)
        cursor = new HCURSOR__{QCursor(shape)};
    return cursor;
}

} // namespace

HINSTANCE HInstance = nullptr;

HCURSOR LoadCursor(HINSTANCE /*instance*/, const char* name) {
    for (const NamedCursor& named : NamedCursors)
        if (SameText(named.Name, name))
            return CursorOfShape(named.Shape);
    return nullptr;
}

QCursor CursorFor(TCursor cursor) {
    HCURSOR handle = Screen ? Screen->Cursors(cursor) : nullptr;
    return handle ? handle->Cursor : QCursor(Qt::ArrowCursor);
}

TScreen::TScreen() : TComponent(nullptr) {}

TScreen::~TScreen() = default;

void TScreen::SetCursor(TCursor value) {
    if (value == FCursor)
        return;
    bool overridden = FCursor != crDefault;
    FCursor = value;
    if (!QGuiApplication::instance())
        return;
    if (overridden)
        QGuiApplication::restoreOverrideCursor();
    if (value != crDefault)
        QGuiApplication::setOverrideCursor(CursorFor(value));
}

HCURSOR TScreen::Cursors(int index) const {
    auto it = FCursors.find(index);
    if (it != FCursors.end())
        return it->second;
    for (const StockCursor& stock : StockCursors)
        if (stock.Number == index)
            return CursorOfShape(stock.Shape);
    return CursorOfShape(Qt::ArrowCursor);
}

void TScreen::SetCursors(int index, HCURSOR cursor) {
    if (cursor)
        FCursors[index] = cursor;
    else
        FCursors.erase(index);
}

namespace {

TRect ScreenRect(bool available) {
    QScreen* screen = QGuiApplication::instance() ? QGuiApplication::primaryScreen() : nullptr;
    if (!screen)
        return Rect(0, 0, 1024, 768);
    QRect r = available ? screen->availableGeometry() : screen->geometry();
    return Bounds(r.x(), r.y(), r.width(), r.height());
}

} // namespace

int TScreen::Width() const {
    return TestHooks::Active() ? TestHooks::ScreenSize().cx : ScreenRect(false).Width();
}

int TScreen::Height() const {
    return TestHooks::Active() ? TestHooks::ScreenSize().cy : ScreenRect(false).Height();
}

TRect TScreen::WorkAreaRect() const {
    return TestHooks::Active() ? TestHooks::WorkArea() : ScreenRect(true);
}

TStrings& TScreen::Fonts() {
    if (!FFonts) {
        FFonts = std::make_unique<TStringList>();
        FFonts->SetSorted(true);
        if (QGuiApplication::instance())
            for (const QString& family : QFontDatabase::families())
                FFonts->Add(TextFromDisplay(family));
    }
    return *FFonts;
}

TForm* TScreen::ActiveForm() const {
    for (TForm* form : FForms)
        if (form->Active())
            return form;
    return nullptr;
}

TWinControl* TScreen::ActiveControl() const {
    TForm* form = ActiveForm();
    return form ? form->ActiveControl() : nullptr;
}

TForm* TScreen::Forms(int index) const {
    if (index < 0 || index >= FormCount())
        throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    return FForms[index];
}

void TScreen::AddForm(TForm* form) {
    FForms.push_back(form);
}

void TScreen::RemoveForm(TForm* form) {
    std::erase(FForms, form);
}

// ---- The global objects

TApplication* Application = nullptr;
TScreen* Screen = nullptr;

namespace {

// Made before main runs and never freed: Qt's own globals go first at exit, so the window system
// must not be taken down then. Run frees the forms when the program ends.
struct GlobalObjects {
    GlobalObjects() {
        Screen = new TScreen;
        Application = new TApplication;
    }
} TheGlobalObjects;

} // namespace
