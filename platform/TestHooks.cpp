#include "platform/TestHooks.h"
#include "platform/CommonDialogs.h"
#include "platform/FileUtils.h"
#include "platform/Forms.h"
#include "platform/MenuPeers.h"
#include "platform/Peer.h"
#include "platform/Printers.h"
#include "platform/RichEdit.h"
#include "platform/RichEditPeer.h"
#include "platform/SHDocVw.h"
#include "platform/WebBrowserPeer.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCursor>
#include <QDropEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <map>
#include <optional>
#include <variant>

namespace {

using TModalFill = std::function<void(TForm& form)>;

struct QueuedAnswer {
    std::variant<int, TModalFill, TestHooks::TDialogAnswer> Answer;
    String Kind() const {
        switch (Answer.index()) {
        case 0:
            return "MessageBox";
        case 1:
            return "Form";
        default:
            return "Dialog";
        }
    }
};

constexpr TSize DefaultScreen{1024, 768};
constexpr TRect DefaultWorkArea{0, 0, 1024, 738};

struct HookState {
    bool Installed = false;
    std::deque<QueuedAnswer> Answers;
    std::vector<TestHooks::TPrompt> Prompts;
    TestHooks::TUnansweredHandler Unanswered;
    TSize ScreenSize = DefaultScreen;
    bool FakeBrowser = false;
    String FakeBrowserTitle;
    std::vector<String> BrowserNavigations;
    String BrowserModule;
    TRect WorkArea = DefaultWorkArea;
    std::map<int, bool> KeysDown;
    std::map<int, bool> KeysToggled;
    TPoint CursorPos;
    std::vector<UINT> Beeps;
    std::optional<std::vector<TFontFamily>> FontFamilies;
    std::vector<TestHooks::TPrintJob> PrintJobs;
    std::vector<TestHooks::TPrintedPage> PrintedPages;
    std::vector<String> ReprintedPages;
    bool PrintForReal = false;
    std::vector<TestHooks::TLaunch> Launches;
    std::vector<TestHooks::TPopupRecord> Popups;
    std::vector<TestHooks::THelpRequest> HelpRequests;
    String RefusedFolder;
};

HookState& State() {
    static HookState state;
    return state;
}

void ReportUnanswered(const TestHooks::TPrompt& prompt, const String& reason) {
    if (State().Unanswered)
        State().Unanswered(prompt, reason);
}

// Records the prompt and takes the next answer when it is of the prompt's kind. A queue whose
// next answer is for another kind of prompt keeps it: the test expected a different prompt here.
const QueuedAnswer* NextAnswer(const TestHooks::TPrompt& prompt, const String& kind) {
    HookState& state = State();
    state.Prompts.push_back(prompt);
    if (state.Answers.empty()) {
        ReportUnanswered(prompt, "no answer was queued for it");
        return nullptr;
    }
    if (state.Answers.front().Kind() != kind) {
        ReportUnanswered(prompt, "the next queued answer is for a " + state.Answers.front().Kind() +
                                     ", not a " + kind);
        return nullptr;
    }
    return &state.Answers.front();
}

} // namespace

namespace TestHooks {

void Install() {
    State().Installed = true;
}

void InstallFromEnvironment() {
    const char* value = std::getenv("QUILTMARKER_TEST_ANSWERS");
    const String answers = value ? value : "";
    if (answers.empty())
        return;
    Install();
    for (size_t start = 0; start <= answers.size();) {
        size_t comma = std::min(answers.find(',', start), answers.size());
        AnswerMessageBox(answers.substr(start, comma - start) == "yes" ? IDYES : IDNO);
        start = comma + 1;
    }
}

bool Active() {
    return State().Installed;
}

void Reset() {
    HookState& state = State();
    state.Answers.clear();
    state.Prompts.clear();
    state.ScreenSize = DefaultScreen;
    state.WorkArea = DefaultWorkArea;
    state.KeysDown.clear();
    state.KeysToggled.clear();
    state.CursorPos = TPoint{};
    state.Beeps.clear();
    state.FontFamilies.reset();
    state.PrintJobs.clear();
    state.PrintedPages.clear();
    state.ReprintedPages.clear();
    state.PrintForReal = false;
    Printer() = TPrinter();
    state.Launches.clear();
    state.Popups.clear();
    state.HelpRequests.clear();
    state.FakeBrowser = false;
    state.FakeBrowserTitle.clear();
    state.BrowserNavigations.clear();
    state.BrowserModule.clear();
    state.RefusedFolder.clear();
    if (QGuiApplication::instance())
        QGuiApplication::clipboard()->clear();
}

const std::vector<TPrompt>& Prompts() {
    return State().Prompts;
}

TUnansweredHandler SetUnansweredPromptHandler(TUnansweredHandler handler) {
    TUnansweredHandler previous = std::move(State().Unanswered);
    State().Unanswered = std::move(handler);
    return previous;
}

void AnswerMessageBox(int id) {
    State().Answers.push_back(QueuedAnswer{id});
}

void AnswerModal(std::function<void(TForm& form)> fill) {
    State().Answers.push_back(QueuedAnswer{TModalFill(std::move(fill))});
}

void AnswerModalResult(int modalResult) {
    AnswerModal([modalResult](TForm& form) { form.SetModalResult(modalResult); });
}

void AnswerDialog(TDialogAnswer answer) {
    if (answer.Files.empty() && !answer.FileName.empty())
        answer.Files.push_back(answer.FileName);
    if (answer.FileName.empty() && !answer.Files.empty())
        answer.FileName = answer.Files.front();
    State().Answers.push_back(QueuedAnswer{std::move(answer)});
}

void AnswerDialogCancel() {
    AnswerDialog(TDialogAnswer{});
}

int QueuedAnswers() {
    return static_cast<int>(State().Answers.size());
}

String DescribeQueuedAnswers() {
    String text;
    for (const QueuedAnswer& answer : State().Answers) {
        text += "  an answer for a " + answer.Kind();
        if (const int* id = std::get_if<int>(&answer.Answer))
            text += " (" + IntToStr(*id) + ")";
        if (const auto* dialog = std::get_if<TDialogAnswer>(&answer.Answer))
            text += dialog->Accepted ? " (OK " + dialog->FileName + dialog->Folder + ")"
                                     : String(" (Cancel)");
        text += "\n";
    }
    return text;
}

bool TakeMessageBoxAnswer(const String& caption, const String& text, UINT flags, int& id) {
    const QueuedAnswer* answer =
        NextAnswer(TPrompt{"MessageBox", caption, text, flags}, "MessageBox");
    if (!answer)
        return false;
    id = std::get<int>(answer->Answer);
    State().Answers.pop_front();
    return true;
}

bool TakeModalAnswer(TForm& form, std::function<void(TForm& form)>& fill) {
    const QueuedAnswer* answer =
        NextAnswer(TPrompt{"Form", form.Caption(), form.Name(), 0}, "Form");
    if (!answer)
        return false;
    fill = std::get<TModalFill>(answer->Answer);
    State().Answers.pop_front();
    return true;
}

bool TakeDialogAnswer(const String& kind, const String& title, TDialogAnswer& answer,
                      const String& text) {
    const QueuedAnswer* queued = NextAnswer(TPrompt{kind, title, text, 0}, "Dialog");
    if (!queued)
        return false;
    answer = std::get<TDialogAnswer>(queued->Answer);
    State().Answers.pop_front();
    return true;
}

void SetScreenSize(int width, int height) {
    State().ScreenSize = TSize{width, height};
}

void SetWorkArea(const TRect& area) {
    State().WorkArea = area;
}

void RefuseFolderReading(const String& folder) {
    State().RefusedFolder = ExcludeTrailingPathDelimiter(folder);
}

bool FolderReadingRefused(const String& folder) {
    const String refused = State().RefusedFolder;
    return !refused.empty() && ExcludeTrailingPathDelimiter(folder) == refused;
}

TSize ScreenSize() {
    return State().ScreenSize;
}

TRect WorkArea() {
    return State().WorkArea;
}

void SetKeyDown(int virtualKey, bool down) {
    State().KeysDown[virtualKey] = down;
}

void SetCursorPos(const TPoint& point) {
    State().CursorPos = point;
}

const std::vector<TPrintJob>& PrintJobs() {
    return State().PrintJobs;
}

bool RecordPrintJob(const TPrintJob& job) {
    if (!State().Installed || State().PrintForReal)
        return false;
    State().PrintJobs.push_back(job);
    return true;
}

void SetPrintForReal(bool value) {
    State().PrintForReal = value;
}

const std::vector<TPrintedPage>& PrintedPages() {
    return State().PrintedPages;
}

void RecordPrintedPage(const TPrintedPage& page) {
    if (State().Installed)
        State().PrintedPages.push_back(page);
}

const std::vector<String>& ReprintedPages() {
    return State().ReprintedPages;
}

void RecordReprintedPage(const String& fileName) {
    if (State().Installed)
        State().ReprintedPages.push_back(fileName);
}

const std::vector<TLaunch>& Launches() {
    return State().Launches;
}

bool RecordLaunch(const TLaunch& launch) {
    if (!State().Installed)
        return false;
    State().Launches.push_back(launch);
    return true;
}

void SetFontFamilies(const std::vector<TFontFamily>& families) {
    State().FontFamilies = families;
}

const std::vector<TFontFamily>* FontFamilies() {
    return State().FontFamilies ? &*State().FontFamilies : nullptr;
}

const std::vector<UINT>& Beeps() {
    return State().Beeps;
}

bool RecordBeep(UINT type) {
    if (!Active())
        return false;
    State().Beeps.push_back(type);
    return true;
}

String ClipboardText() {
    if (!QGuiApplication::instance())
        return String();
    return TextFromDisplay(QGuiApplication::clipboard()->text());
}

void SetClipboardText(const String& text) {
    if (QGuiApplication::instance())
        QGuiApplication::clipboard()->setText(DisplayText(text));
}

const std::vector<TPopupRecord>& Popups() {
    return State().Popups;
}

bool RecordModelessDialog(const String& kind, const String& caption, const String& text) {
    if (!Active())
        return false;
    State().Prompts.push_back(TPrompt{kind, caption, text, 0});
    return true;
}

bool PressFindDialogButton(TFindDialog& dialog, TFindButton button) {
    if (!dialog.Showing())
        return false;
    dialog.ButtonPressed(button);
    return true;
}

bool RecordPopup(TComponent* menu, TComponent* component, const TPoint& point) {
    if (!Active())
        return false;
    State().Popups.push_back(TPopupRecord{menu, component, point});
    return true;
}

const std::vector<THelpRequest>& HelpRequests() {
    return State().HelpRequests;
}

bool RecordHelpRequest(const String& helpFile, UINT command, uintptr_t data) {
    if (!Active())
        return false;
    String keyword;
    if ((command == HELP_KEY || command == HELP_PARTIALKEY) && data)
        keyword = reinterpret_cast<const char*>(data);
    State().HelpRequests.push_back(THelpRequest{helpFile, command, data, keyword});
    return true;
}

void UseFakeBrowser(const String& title) {
    State().FakeBrowser = true;
    State().FakeBrowserTitle = title;
}

bool FakeBrowserUsed() {
    return State().FakeBrowser;
}

String FakeBrowserTitle() {
    return State().FakeBrowserTitle;
}

const std::vector<String>& BrowserNavigations() {
    return State().BrowserNavigations;
}

void RecordBrowserNavigation(const String& address) {
    State().BrowserNavigations.push_back(address);
}

void UseBrowserModule(const String& path) {
    State().BrowserModule = path;
}

String BrowserModule() {
    return State().BrowserModule;
}

void HoverBrowserLink(TWebBrowser& browser, const String& address) {
    static_cast<TWebBrowserPeer&>(browser.Peer()).LinkHovered(DisplayText(address));
}

String RunBrowserScript(TWebBrowser& browser, const String& script) {
    TBrowserEngine& engine = static_cast<TWebBrowserPeer&>(browser.Peer()).Engine();
    QEventLoop loop;
    std::optional<QString> result;
    if (!engine.RunScript(DisplayText(script), [&](const QString& value) {
            result = value;
            loop.quit();
        }))
        throw Exception("the browser runs no page engine");
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    if (!result)
        loop.exec();
    if (!result)
        throw Exception("the script gave no result: " + script);
    return TextFromDisplay(*result);
}

} // namespace TestHooks

// ---- Keyboard and mouse state, from real input and from tests

namespace {

bool IsToggleKey(int virtualKey) {
    return virtualKey == VK_INSERT || virtualKey == VK_CAPITAL || virtualKey == VK_NUMLOCK ||
           virtualKey == VK_SCROLL;
}

} // namespace

void NoteKeyInput(int virtualKey, bool down) {
    HookState& state = State();
    bool wasDown = state.KeysDown[virtualKey];
    state.KeysDown[virtualKey] = down;
    if (down && !wasDown && IsToggleKey(virtualKey))
        state.KeysToggled[virtualKey] = !state.KeysToggled[virtualKey];
}

void NoteMouseInput(const TPoint& screenPoint) {
    State().CursorPos = screenPoint;
}

short GetKeyState(int virtualKey) {
    HookState& state = State();
    short result = 0;
    if (state.KeysDown[virtualKey])
        result |= static_cast<short>(0x8000);
    if (state.KeysToggled[virtualKey])
        result |= 1;
    return result;
}

short GetAsyncKeyState(int virtualKey) {
    return State().KeysDown[virtualKey] ? static_cast<short>(0x8000) : 0;
}

BOOL GetCursorPos(TPoint* point) {
    if (!point)
        return 0;
    if (TestHooks::Active() || !QGuiApplication::instance()) {
        *point = State().CursorPos;
    } else {
        QPoint pos = QCursor::pos();
        *point = TPoint{pos.x(), pos.y()};
    }
    return 1;
}

// ---- Simulated input

namespace {

Qt::KeyboardModifiers ModifiersOf(TShiftState shift) {
    Qt::KeyboardModifiers modifiers;
    if (shift.Contains(ssShift))
        modifiers |= Qt::ShiftModifier;
    if (shift.Contains(ssCtrl))
        modifiers |= Qt::ControlModifier;
    if (shift.Contains(ssAlt))
        modifiers |= Qt::AltModifier;
    return modifiers;
}

Qt::MouseButton QtButtonOf(TMouseButton button) {
    switch (button) {
    case mbRight:
        return Qt::RightButton;
    case mbMiddle:
        return Qt::MiddleButton;
    default:
        return Qt::LeftButton;
    }
}

// The text a key types: its character for letters, digits, space, Enter and Tab.
QString KeyText(WORD virtualKey, TShiftState shift) {
    if (shift.Contains(ssCtrl) || shift.Contains(ssAlt))
        return QString();
    if (virtualKey >= 'A' && virtualKey <= 'Z')
        return QString(
            QChar(shift.Contains(ssShift) ? virtualKey : LowCase(static_cast<char>(virtualKey))));
    if ((virtualKey >= '0' && virtualKey <= '9') || virtualKey == VK_SPACE)
        return QString(QChar(virtualKey));
    if (virtualKey == VK_RETURN)
        return QStringLiteral("\r");
    if (virtualKey == VK_TAB)
        return QStringLiteral("\t");
    if (virtualKey == VK_BACK)
        return QStringLiteral("\b");
    return QString();
}

void SendKeyEvent(QWidget* widget, QEvent::Type type, int key, Qt::KeyboardModifiers modifiers,
                  const QString& text) {
    QKeyEvent event(type, key, modifiers, text);
    QCoreApplication::sendEvent(widget, &event);
}

// Keys go where the focus is inside the control's widget (an inner editor of a compound one).
QWidget* KeyTarget(TControl& control) {
    QWidget* widget = control.Peer().Widget();
    QWidget* focus = widget->focusWidget();
    return focus && widget->isAncestorOf(focus) ? focus : widget;
}

// A press gives the focus to the widget, or the nearest parent, that takes it by a click, as the
// window system's own clicks do.
void FocusByClick(QWidget* widget) {
    for (QWidget* w = widget; w; w = w->parentWidget()) {
        if (w->isEnabled() && (w->focusPolicy() & Qt::ClickFocus) == Qt::ClickFocus) {
            w->setFocus(Qt::MouseFocusReason);
            return;
        }
        if (w->isWindow())
            return;
    }
}

void SendMouseEvent(TControl& control, QEvent::Type type, int x, int y, Qt::MouseButton button,
                    Qt::MouseButtons buttons, TShiftState shift) {
    QWidget* widget = control.Peer().ClientWidget();
    if (type == QEvent::MouseButtonPress)
        FocusByClick(widget);
    QPointF global = widget->mapToGlobal(QPointF(x, y));
    // The mouse reaches a scrolling control through its viewport, as the window system sends it.
    if (auto* area = qobject_cast<QAbstractScrollArea*>(widget))
        widget = area->viewport();
    QPointF local = widget->mapFromGlobal(global);
    QMouseEvent event(type, local, local, global, button, buttons, ModifiersOf(shift));
    QCoreApplication::sendEvent(widget, &event);
}

} // namespace

namespace TestHooks {

void PressKey(TControl& control, WORD virtualKey, TShiftState shift) {
    bool keypad = false;
    int key = QtKeyOf(virtualKey, keypad);
    Qt::KeyboardModifiers modifiers = ModifiersOf(shift);
    if (keypad)
        modifiers |= Qt::KeypadModifier;
    else if (shift.Contains(ssShift))
        key = UsShiftedQtKey(key);
    QString text = KeyText(virtualKey, shift);
    QWidget* target = KeyTarget(control);
    SendKeyEvent(target, QEvent::KeyPress, key, modifiers, text);
    SendKeyEvent(target, QEvent::KeyRelease, key, modifiers, text);
}

void PressKeyInMenu(TMenuItem& item, WORD virtualKey) {
    bool keypad = false;
    int key = QtKeyOf(virtualKey, keypad);
    if (QWidget* menu = HighlightMenuItem(item)) {
        SendKeyEvent(menu, QEvent::KeyPress, key, Qt::NoModifier, QString());
        SendKeyEvent(menu, QEvent::KeyRelease, key, Qt::NoModifier, QString());
    }
}

namespace {

QWidget* HelpWindowWidget() {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->objectName() == "helpWindow" && window->isVisible())
            return window;
    return nullptr;
}

} // namespace

bool PressKeyInHelpWindow(WORD virtualKey, TShiftState shift) {
    QWidget* window = HelpWindowWidget();
    if (!window)
        return false;
    bool keypad = false;
    int key = QtKeyOf(virtualKey, keypad);
    QPointer<QWidget> page = window->findChild<QWidget*>("helpBrowser");
    SendKeyEvent(page, QEvent::KeyPress, key, ModifiersOf(shift), QString());
    if (page)
        SendKeyEvent(page, QEvent::KeyRelease, key, ModifiersOf(shift), QString());
    return true;
}

bool ClickHelpWindowBack() {
    QWidget* window = HelpWindowWidget();
    auto* back = window ? window->findChild<QPushButton*>() : nullptr;
    if (!back || !back->isEnabled())
        return false;
    back->click();
    return true;
}

void TypeText(TControl& control, const String& text) {
    for (QChar ch : DisplayText(text)) {
        QWidget* target = KeyTarget(control);
        int key = ch.isLetter() ? ch.toUpper().unicode() : ch.unicode();
        if (ch == QChar('\r') || ch == QChar('\n'))
            key = Qt::Key_Return;
        SendKeyEvent(target, QEvent::KeyPress, key, Qt::NoModifier, QString(ch));
        SendKeyEvent(target, QEvent::KeyRelease, key, Qt::NoModifier, QString(ch));
    }
}

TDrawnLook DrawnLookAt(TRichEdit& edit, int position) {
    TSciCalls& sci = static_cast<TRichEditPeer&>(edit.Peer()).Calls();
    int style = sci.StyleAt(position);
    TSciStyle look = sci.StyleOf(style);
    return TDrawnLook{style,       look.Font,      look.Size, look.Bold,
                      look.Italic, look.Underline, look.Fore, look.Back};
}

// A right click also asks for the context menu, as the window system does after the release.
void ClickMouse(TControl& control, int x, int y, TMouseButton button, TShiftState shift) {
    Qt::MouseButton qtButton = QtButtonOf(button);
    SendMouseEvent(control, QEvent::MouseButtonPress, x, y, qtButton, qtButton, shift);
    SendMouseEvent(control, QEvent::MouseButtonRelease, x, y, qtButton, Qt::NoButton, shift);
    if (button != mbRight)
        return;
    QWidget* widget = control.Peer().ClientWidget();
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(x, y),
                            widget->mapToGlobal(QPoint(x, y)), ModifiersOf(shift));
    QCoreApplication::sendEvent(widget, &event);
}

void DoubleClickMouse(TControl& control, int x, int y) {
    ClickMouse(control, x, y);
    SendMouseEvent(control, QEvent::MouseButtonDblClick, x, y, Qt::LeftButton, Qt::LeftButton, {});
    SendMouseEvent(control, QEvent::MouseButtonRelease, x, y, Qt::LeftButton, Qt::NoButton, {});
}

void PressMouse(TControl& control, int x, int y) {
    SendMouseEvent(control, QEvent::MouseButtonPress, x, y, Qt::LeftButton, Qt::LeftButton, {});
}

void MoveHeldMouse(TControl& control, int x, int y) {
    SendMouseEvent(control, QEvent::MouseMove, x, y, Qt::NoButton, Qt::LeftButton, {});
}

void ReleaseMouse(TControl& control, int x, int y) {
    SendMouseEvent(control, QEvent::MouseButtonRelease, x, y, Qt::LeftButton, Qt::NoButton, {});
}

void MoveMouse(TControl& control, int x, int y, TShiftState shift) {
    SendMouseEvent(control, QEvent::MouseMove, x, y, Qt::NoButton, Qt::NoButton, shift);
}

void DragMouse(TControl& control, int fromX, int fromY, int toX, int toY) {
    PressMouse(control, fromX, fromY);
    MoveHeldMouse(control, toX, toY);
    ReleaseMouse(control, toX, toY);
}

// The application passes the entering drag up to the first window that takes it, and the drop to
// that one.
bool DropFiles(TControl& control, const std::vector<String>& paths) {
    QMimeData data;
    QList<QUrl> urls;
    for (const String& path : paths)
        urls << QUrl::fromLocalFile(ShownFileName(path));
    data.setUrls(urls);
    QWidget* widget = control.Peer().ClientWidget();
    QPointF middle(widget->width() / 2.0, widget->height() / 2.0);
    QDragEnterEvent enter(middle.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(middle, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &drop);
    return drop.isAccepted();
}

} // namespace TestHooks
