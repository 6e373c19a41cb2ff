#include "platform/DragManager.h"

#include "platform/Forms.h"
#include "platform/TestHooks.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>

#include <map>

namespace {

struct TDropTarget {
    TDragOverEvent Over;
    TDragDropEvent Drop;
};

// Forgets a target as it is freed.
class TTargetWatch : public TComponent {
public:
    TTargetWatch() : TComponent(nullptr) {}
    std::map<TControl*, TDropTarget> Targets;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        // The target is already past its own destructor here: compare as components, never
        // cast down to a control.
        if (Operation == opRemove)
            std::erase_if(Targets, [AComponent](const auto& entry) {
                return static_cast<TComponent*>(entry.first) == AComponent;
            });
    }
};

TTargetWatch& Watch() {
    static TTargetWatch* watch = new TTargetWatch;
    return *watch;
}

// Follows the mouse for a drag under way: the button's release anywhere in the program ends it
// over the target under the pointer.
class TDragPeer : public QObject {
public:
    TControl* Source = nullptr;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseMove)
            OverTargetAt(QCursor::pos(), dsDragMove);
        else if (event->type() == QEvent::MouseButtonRelease &&
                 static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            EndAt(QCursor::pos());
        return QObject::eventFilter(watched, event);
    }

private:
    static TControl* TargetAt(const QPoint& screen, TPoint& client) {
        for (auto& [control, target] : Watch().Targets) {
            if (!control->Showing())
                continue;
            client = control->ScreenToClient(TPoint{screen.x(), screen.y()});
            if (client.x >= 0 && client.y >= 0 && client.x < control->Width() &&
                client.y < control->Height())
                return control;
        }
        return nullptr;
    }
    void OverTargetAt(const QPoint& screen, TDragState state) {
        TPoint client;
        if (TControl* target = TargetAt(screen, client)) {
            bool accept = false;
            if (Watch().Targets[target].Over)
                Watch().Targets[target].Over(target, Source, client.x, client.y, state, accept);
        }
    }
    void EndAt(const QPoint& screen) {
        TPoint client;
        TControl* target = TargetAt(screen, client);
        if (target)
            DragManager::DropAt(*target, client.x, client.y);
        else
            DragManager::CancelDrag();
    }
};

TDragPeer* Peer = nullptr;

// Stops following the mouse; the source of the drag that was under way, or null.
TControl* StopFollowing() {
    if (!Peer)
        return nullptr;
    TControl* source = Peer->Source;
    // The peer may be running its own filter: it goes once the event is done with.
    Peer->deleteLater();
    if (qApp)
        qApp->removeEventFilter(Peer);
    Peer = nullptr;
    return source;
}

// Returns whether the target took the drop.
bool EndDrag(TControl& source, TControl* target, int x, int y) {
    if (source.OnEndDrag)
        source.OnEndDrag(&source, target, x, y);
    return target != nullptr;
}

} // namespace

namespace DragManager {

void SetDropTarget(TControl& target, TDragOverEvent over, TDragDropEvent drop) {
    if (!over && !drop) {
        Watch().Targets.erase(&target);
        target.RemoveFreeNotification(&Watch());
        return;
    }
    Watch().Targets[&target] = TDropTarget{std::move(over), std::move(drop)};
    target.FreeNotification(&Watch());
}

void BeginDrag(TControl& source) {
    CancelDrag();
    Peer = new TDragPeer;
    Peer->Source = &source;
    if (qApp)
        qApp->installEventFilter(Peer);
}

bool Dragging() {
    return Peer != nullptr;
}

bool DropAt(TControl& target, int x, int y) {
    TControl* source = StopFollowing();
    if (!source)
        return false;
    auto found = Watch().Targets.find(&target);
    if (found == Watch().Targets.end())
        return EndDrag(*source, nullptr, x, y);
    TDropTarget events = found->second;
    bool accept = false;
    if (events.Over)
        events.Over(&target, source, x, y, dsDragMove, accept);
    if (!accept || !events.Drop)
        return EndDrag(*source, nullptr, x, y);
    events.Drop(&target, source, x, y);
    return EndDrag(*source, &target, x, y);
}

void CancelDrag() {
    if (TControl* source = StopFollowing())
        EndDrag(*source, nullptr, 0, 0);
}

} // namespace DragManager

bool TestHooks::DragAndDrop(TControl& source, TControl& target, int x, int y, TShiftState shift) {
    for (auto [state, key] : {std::pair{ssShift, VK_SHIFT}, {ssCtrl, VK_CONTROL}, {ssAlt, VK_MENU}})
        SetKeyDown(key, shift.Contains(state));
    DragManager::BeginDrag(source);
    bool dropped = DragManager::DropAt(target, x, y);
    for (int key : {VK_SHIFT, VK_CONTROL, VK_MENU})
        SetKeyDown(key, false);
    return dropped;
}
