#include "platform/Forms.h"
#include "platform/FormPeer.h"
#include "platform/MenuPeers.h"
#include "platform/TestHooks.h"

#include <QApplication>
#include <QEventLoop>
#include <QVBoxLayout>

#include <algorithm>

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

void TFormPeer::SetMenu(TMainMenu* menu) {
    QWidget* menuBar = menu ? CreateMenuBar(*menu) : nullptr;
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

void TFormPeer::SetModal(bool modal) {
    Widget()->setWindowModality(modal ? Qt::ApplicationModal : Qt::NonModal);
}

void TFormPeer::ActivateWindow() {
    if (Widget()->isVisible())
        QApplication::setActiveWindow(Widget());
}

void TFormPeer::FocusNext(bool forward) {
    QWidget* from = QApplication::focusWidget();
    if (!from || from->window() != Widget())
        from = Widget();
    for (QWidget* next = forward ? from->nextInFocusChain() : from->previousInFocusChain();
         next && next != from;
         next = forward ? next->nextInFocusChain() : next->previousInFocusChain()) {
        if ((next->focusPolicy() & Qt::TabFocus) && next->isEnabled() &&
            next->isVisibleTo(Widget()) && next->window() == Widget()) {
            next->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    }
}

void TFormPeer::RunModalLoop() {
    QEventLoop loop;
    FModalLoop = &loop;
    loop.exec();
    FModalLoop = nullptr;
}

void TFormPeer::QuitModalLoop() {
    if (FModalLoop)
        FModalLoop->quit();
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

int GetSystemMetrics(int index) {
    switch (index) {
    case SM_CXICON:
    case SM_CYICON:
        return 32;
    case SM_CYCAPTION:
        return CaptionHeight;
    case SM_CXSIZE:
    case SM_CYSIZE:
        return CaptionHeight - 1;
    case SM_CXFRAME:
    case SM_CYFRAME:
        return SizingFrame;
    case SM_CXFIXEDFRAME:
    case SM_CYFIXEDFRAME:
        return FixedFrame;
    case SM_CXSMICON:
    case SM_CYSMICON:
        return 16;
    case SM_CYSMCAPTION:
        return ToolCaptionHeight;
    case SM_CXSMSIZE:
    case SM_CYSMSIZE:
        return ToolCaptionHeight - 1;
    default:
        return 0;
    }
}

void TForm::SetTitleBarText(const String& value) {
    if (Change(FTitleBarText, value))
        Peer().SetText(FTitleBarText.empty() ? Caption() : FTitleBarText);
}

void TForm::SetText(const String& value) {
    TWinControl::SetText(value);
    if (!FTitleBarText.empty())
        Peer().SetText(FTitleBarText);
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
    FormPeer(*this).SetMenu(value);
}

void TForm::SetWindowState(TWindowState value) {
    FWindowState = value;
    FormPeer(*this).SetWindowState(value);
}

// A form being destroyed follows the focus without raising events: their handlers may belong
// to the part of the form that is already gone.
void TForm::FocusChanged(TWinControl* control) {
    FActiveControl = control;
    if (control == FFocusedControl)
        return;
    TWinControl* previous = FFocusedControl;
    FFocusedControl = control;
    if (IsDestroying())
        return;
    if (previous)
        previous->Perform(CM_EXIT, 0, 0);
    if (control && FFocusedControl == control)
        control->Perform(CM_ENTER, 0, 0);
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
    // The title bar shows the window's activity.
    Perform(WM_NCACTIVATE, value ? 1 : 0, 0);
    if (!value) {
        Deactivate();
        return;
    }
    Activate();
    FocusFirstControl();
    // The window system follows: the keyboard goes to the active form's window.
    FormPeer(*this).ActivateWindow();
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

bool TForm::HandleControlMessage(TMessage& Message) {
    auto* control = reinterpret_cast<TControl*>(Message.LParam);
    switch (Message.Msg) {
    case CM_FOCUSCHANGED:
        FocusChanged(static_cast<TWinControl*>(control));
        return true;
    case CM_CONTROLREMOVED:
        ControlRemoved(control);
        return true;
    case CM_PREVIEWKEY:
        Message.Result = FKeyPreview && DoKey(*reinterpret_cast<TMessage*>(Message.LParam));
        return true;
    case CM_MENUKEY:
        Message.Result = IsMenuKey(*static_cast<TWinControl*>(control),
                                   static_cast<WORD>(Message.WParam), CurrentShiftState());
        return true;
    case CM_CONTEXTPOPUP:
        Message.Result =
            PopupContextMenu(*reinterpret_cast<TControl*>(Message.WParam), Message.LParam);
        return true;
    case CM_HINTCONTROL:
        if (Application)
            Application->SetHint(control ? GetLongHint(control->Hint()) : String());
        return true;
    case CM_INVOKEHELP:
        if (Application)
            Message.Result = Application->HelpCommand(static_cast<UINT>(Message.WParam),
                                                      static_cast<uintptr_t>(Message.LParam));
        return true;
    default:
        return false;
    }
}

void TForm::WndProc(TMessage& Message) {
    if (HandleControlMessage(Message))
        return;
    switch (Message.Msg) {
    case CM_VISIBLECHANGED:
        VisibleChanged();
        break;
    case WM_CLOSE:
        Close();
        return;
    case WM_NEXTDLGCTL:
        FormPeer(*this).FocusNext(Message.WParam == 0);
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
    CallLater([handle] {
        if (TWinControl* form = FindControl(handle))
            form->Free();
    });
}

void TForm::SetModalResult(TModalResult value) {
    FModalResult = value;
    if (FModal && value != mrNone)
        FormPeer(*this).QuitModalLoop();
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
    while (true) {
        if (FModalResult == mrNone)
            FormPeer(*this).RunModalLoop();
        if (Application->Terminated())
            FModalResult = mrCancel;
        if (FModalResult != mrNone && CloseModal())
            break;
        if (Application->Terminated())
            break;
    }
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
    TModalScope modal;
    TForm* previous = Screen->ActiveForm();
    FModal = true;
    FModalResult = mrNone;
    FormPeer(*this).SetModal(true);
    auto finish = [this, previous] {
        Hide();
        FModal = false;
        FormPeer(*this).SetModal(false);
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

namespace {

bool CanBeTarget(const TControl& control, bool allowDisabled) {
    return control.Visible() && (allowDisabled || control.Enabled());
}

// Windows lie above the graphic controls that share their parent, as on screen.
TControl* ControlAt(TWinControl& parent, const TPoint& point, bool allowDisabled) {
    for (bool windowed : {true, false}) {
        for (int i = parent.ControlCount() - 1; i >= 0; --i) {
            TControl* control = parent.Controls(i);
            auto* window = dynamic_cast<TWinControl*>(control);
            if ((window != nullptr) != windowed || !CanBeTarget(*control, allowDisabled) ||
                !control->BoundsRect().Contains(point))
                continue;
            if (!window)
                return control;
            TPoint inner{point.x - control->Left(), point.y - control->Top()};
            TControl* child = ControlAt(*window, inner, allowDisabled);
            return child ? child : control;
        }
    }
    return nullptr;
}

// The active form is on top; the others in the order they were made, the latest above.
std::vector<TForm*> FormsFromTop() {
    std::vector<TForm*> forms;
    if (!Screen)
        return forms;
    if (TForm* active = Screen->ActiveForm())
        forms.push_back(active);
    for (int i = Screen->FormCount() - 1; i >= 0; --i)
        if (Screen->Forms(i) != Screen->ActiveForm())
            forms.push_back(Screen->Forms(i));
    return forms;
}

} // namespace

TControl* FindDragTarget(const TPoint& screenPoint, bool allowDisabled) {
    for (TForm* form : FormsFromTop()) {
        if (!form->Visible())
            continue;
        TPoint point = form->ScreenToClient(screenPoint);
        if (!form->ClientRect().Contains(point))
            continue;
        TControl* control = ControlAt(*form, point, allowDisabled);
        return control ? control : form;
    }
    return nullptr;
}

// ---- Accelerators

bool IsAccel(WORD key, const String& caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        return key <= 0xFF && UpCase(static_cast<char>(key)) == UpCase(caption[i + 1]);
    }
    return false;
}
