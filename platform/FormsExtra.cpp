#include "platform/FormsExtra.h"
#include "platform/Forms.h"

#include <QGuiApplication>

#include <algorithm>
#include <vector>

// ---- The control under a point

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

// ---- Hooks of the main window

namespace {

struct HookEntry {
    int Id;
    TWindowHook Hook;
};

struct HookList {
    std::vector<HookEntry> Entries;
    int NextId = 1;
    bool Watching = false;
    bool Active = true;
};

HookList& Hooks() {
    static HookList list;
    return list;
}

// The window system tells when the program gains or loses the user's attention.
void WatchApplicationState() {
    HookList& hooks = Hooks();
    auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (hooks.Watching || !application)
        return;
    hooks.Watching = true;
    hooks.Active = QGuiApplication::applicationState() == Qt::ApplicationActive;
    QObject::connect(application, &QGuiApplication::applicationStateChanged,
                     [](Qt::ApplicationState state) {
                         bool active = state == Qt::ApplicationActive;
                         if (active == Hooks().Active)
                             return;
                         Hooks().Active = active;
                         TMessage message{active ? CM_ACTIVATE : CM_DEACTIVATE, 0, 0, 0};
                         try {
                             CallMainWindowHooks(message);
                         } catch (...) {
                             if (Application)
                                 Application->HandleException(nullptr);
                         }
                     });
}

} // namespace

int HookMainWindow(TWindowHook hook) {
    WatchApplicationState();
    HookList& hooks = Hooks();
    hooks.Entries.push_back(HookEntry{hooks.NextId, std::move(hook)});
    return hooks.NextId++;
}

void UnhookMainWindow(int hook) {
    std::erase_if(Hooks().Entries, [hook](const HookEntry& entry) { return entry.Id == hook; });
}

// A hook may remove itself, or others, while it runs: only the hooks still installed are asked.
bool CallMainWindowHooks(TMessage& Message) {
    std::vector<int> ids;
    for (const HookEntry& entry : Hooks().Entries)
        ids.push_back(entry.Id);
    for (int id : ids) {
        auto& entries = Hooks().Entries;
        auto it = std::find_if(entries.begin(), entries.end(),
                               [id](const HookEntry& entry) { return entry.Id == id; });
        if (it == entries.end())
            continue;
        TWindowHook hook = it->Hook;
        if (hook(Message))
            return true;
    }
    return false;
}
