#include "platform/Menus.h"
#include "platform/Forms.h"
#include "platform/MenuPeers.h"
#include "platform/Peer.h"
#include "platform/TestHooks.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include <algorithm>

// ---- Shortcuts

namespace {

struct KeyName {
    WORD Key;
    const char* Name;
};

constexpr KeyName KeyNames[] = {
    {VK_BACK, "BkSp"},      {VK_TAB, "Tab"},       {VK_RETURN, "Enter"},   {VK_ESCAPE, "Esc"},
    {VK_SPACE, "Space"},    {VK_PRIOR, "PgUp"},    {VK_NEXT, "PgDn"},      {VK_END, "End"},
    {VK_HOME, "Home"},      {VK_LEFT, "Left"},     {VK_UP, "Up"},          {VK_RIGHT, "Right"},
    {VK_DOWN, "Down"},      {VK_INSERT, "Ins"},    {VK_DELETE, "Del"},     {VK_OEM_1, ";"},
    {VK_OEM_PLUS, "="},     {VK_OEM_COMMA, ","},   {VK_OEM_MINUS, "-"},    {VK_OEM_PERIOD, "."},
    {VK_OEM_2, "/"},        {VK_OEM_3, "`"},       {VK_OEM_4, "["},        {VK_OEM_5, "\\"},
    {VK_OEM_6, "]"},        {VK_OEM_7, "'"},       {VK_MULTIPLY, "Num *"}, {VK_ADD, "Num +"},
    {VK_SUBTRACT, "Num -"}, {VK_DECIMAL, "Num ."}, {VK_DIVIDE, "Num /"},
};

String KeyToText(WORD key) {
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return String(1, static_cast<char>(key));
    if (key >= VK_F1 && key <= VK_F1 + 23)
        return "F" + IntToStr(key - VK_F1 + 1);
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9)
        return "Num " + IntToStr(key - VK_NUMPAD0);
    for (const KeyName& name : KeyNames)
        if (name.Key == key)
            return name.Name;
    return "";
}

struct Modifier {
    WORD Flag;
    const char* Prefix;
};

// In the order the framework writes them.
constexpr Modifier Modifiers[] = {{scShift, "Shift+"}, {scCtrl, "Ctrl+"}, {scAlt, "Alt+"}};

bool IsModifierKey(WORD key) {
    return key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU;
}

} // namespace

TShortCut ShortCut(WORD key, TShiftState shift) {
    if ((key & 0xFF00) != 0 || key == 0)
        return 0;
    TShortCut result = key;
    if (shift.Contains(ssShift))
        result |= scShift;
    if (shift.Contains(ssCtrl))
        result |= scCtrl;
    if (shift.Contains(ssAlt))
        result |= scAlt;
    return result;
}

void ShortCutToKey(TShortCut shortCut, WORD& key, TShiftState& shift) {
    key = shortCut & 0xFF;
    shift = TShiftState();
    if (shortCut & scShift)
        shift << ssShift;
    if (shortCut & scCtrl)
        shift << ssCtrl;
    if (shortCut & scAlt)
        shift << ssAlt;
}

String ShortCutToText(TShortCut shortCut) {
    String name = KeyToText(shortCut & 0xFF);
    if (name.empty())
        return "";
    String text;
    for (const Modifier& modifier : Modifiers)
        if (shortCut & modifier.Flag)
            text += modifier.Prefix;
    return text + name;
}

TShortCut TextToShortCut(const String& text) {
    String rest = text;
    TShortCut flags = 0;
    for (bool found = true; found;) {
        found = false;
        for (const Modifier& modifier : Modifiers) {
            String prefix = modifier.Prefix;
            if (rest.size() > prefix.size() && SameText(rest.substr(0, prefix.size()), prefix)) {
                flags |= modifier.Flag;
                rest.erase(0, prefix.size());
                found = true;
            }
        }
    }
    for (WORD key = 1; key <= 0xFF; ++key)
        if (!IsModifierKey(key) && SameText(KeyToText(key), rest) && !rest.empty())
            return static_cast<TShortCut>(key | flags);
    return 0;
}

// ---- The Qt side of an item

namespace {

const char* const ItemProperty = "quiltmarkerMenuItem";

TMenuItem* ItemOfAction(const QAction* action) {
    return action ? reinterpret_cast<TMenuItem*>(action->property(ItemProperty).value<quintptr>())
                  : nullptr;
}

QAction* ActiveAction(QObject* container) {
    if (auto* menu = qobject_cast<QMenu*>(container))
        return menu->activeAction();
    if (auto* bar = qobject_cast<QMenuBar*>(container))
        return bar->activeAction();
    return nullptr;
}

// F1 in an open menu asks for the help topic of the highlighted item, as the system does.
class TMenuHelpKey : public QObject {
public:
    static TMenuHelpKey& Instance() {
        static auto* instance = new TMenuHelpKey;
        return *instance;
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier)
            return false;
        TMenuItem* item = ItemOfAction(ActiveAction(watched));
        if (!item)
            return false;
        item->ShowHelp();
        return true;
    }
};

} // namespace

// Each item is an action in its parent's menu; an item with items of its own also has the menu
// they show in. The root of a popup menu has its menu only; the root of a main menu shows its
// items in the menu bar, once there is one.
struct TMenuItemPeer {
    QAction* Action = new QAction;
    QMenu* Submenu = nullptr;
    QPointer<QWidget> Bar;

    ~TMenuItemPeer() {
        if (Submenu)
            Action->setMenu(static_cast<QMenu*>(nullptr));
        delete Submenu;
        delete Action;
    }
    QWidget* Container() const { return Submenu ? static_cast<QWidget*>(Submenu) : Bar.data(); }

    // The item's submenu, made when it gets its first item and kept from then on (it may be
    // open while its items are rebuilt). The item is clicked as its submenu opens.
    static QMenu* EnsureSubmenu(TMenuItem& item) {
        TMenuItemPeer& peer = *item.FPeer;
        if (peer.Submenu)
            return peer.Submenu;
        peer.Submenu = new QMenu;
        peer.Submenu->installEventFilter(&TMenuHelpKey::Instance());
        if (item.FMenu)
            return peer.Submenu;
        peer.Action->setMenu(peer.Submenu);
        QObject::connect(peer.Submenu, &QMenu::aboutToShow, peer.Submenu, [&item] {
            try {
                item.Click();
            } catch (...) {
                Application->HandleException(&item);
            }
        });
        return peer.Submenu;
    }

    static void ShowChild(TMenuItem& parent, int index) {
        QWidget* container = parent.FPeer->Container();
        if (!container && parent.FMenu)
            return;
        if (!container)
            container = EnsureSubmenu(parent);
        QAction* before = nullptr;
        if (index + 1 < parent.Count())
            before = parent.FItems[index + 1]->FPeer->Action;
        container->insertAction(before, parent.FItems[index]->FPeer->Action);
    }

    static void HideChild(TMenuItem& parent, TMenuItem& child) {
        if (QWidget* container = parent.FPeer->Container())
            container->removeAction(child.FPeer->Action);
    }

    // The menu that shows a menu's items: a popup menu's own, or a new menu bar.
    static QMenu* RootMenu(TMenuItem& root) { return EnsureSubmenu(root); }
    static QWidget* Highlight(TMenuItem& item) {
        QWidget* container = item.FParent ? item.FParent->FPeer->Container() : nullptr;
        if (!container)
            return nullptr;
        // A menu highlights an item only in a window of its own, and makes that when it opens.
        container->winId();
        if (auto* menu = qobject_cast<QMenu*>(container))
            menu->setActiveAction(item.FPeer->Action);
        else if (auto* bar = qobject_cast<QMenuBar*>(container))
            bar->setActiveAction(item.FPeer->Action);
        return container;
    }
    static QWidget* NewBar(TMenuItem& root) {
        delete root.FPeer->Bar.data();
        auto* bar = new QMenuBar;
        bar->installEventFilter(&TMenuHelpKey::Instance());
        root.FPeer->Bar = bar;
        for (TMenuItem* item : root.FItems)
            bar->addAction(item->FPeer->Action);
        return bar;
    }
};

namespace {

// What the item shows: its caption with the shortcut's text after a tab, as menus show them.
QString ActionText(const String& caption, TShortCut shortCut) {
    QString text = DisplayText(caption);
    if (shortCut)
        text += "\t" + DisplayText(ShortCutToText(shortCut));
    return text;
}

} // namespace

// ---- TMenuItem

TMenuItem::TMenuItem(TComponent* AOwner)
    : TComponent(AOwner), FPeer(std::make_unique<TMenuItemPeer>()) {
    FPeer->Action->setProperty(ItemProperty, QVariant::fromValue(reinterpret_cast<quintptr>(this)));
    // Like a command from the system's menus, the click comes once the menu has closed.
    QObject::connect(
        FPeer->Action, &QAction::triggered, FPeer->Action,
        [this, action = QPointer<QAction>(FPeer->Action)] {
            try {
                Click();
                if (action) // a handler may free its own item, as recent-items menus do
                    ShowState();
            } catch (...) {
                Application->HandleException(this);
            }
        },
        Qt::QueuedConnection);
    QObject::connect(FPeer->Action, &QAction::hovered, FPeer->Action, [this] {
        if (Application)
            Application->SetHint(GetLongHint(FHint));
    });
    ShowState();
}

TMenuItem::~TMenuItem() {
    if (FParent)
        FParent->Remove(this);
    while (!FItems.empty())
        FItems.back()->Free();
}

void TMenuItem::ShowState() {
    QAction* action = FPeer->Action;
    action->setSeparator(IsLine());
    // A separator with text is drawn as a titled section by some styles.
    action->setText(IsLine() ? QString() : ActionText(FCaption, FShortCut));
    action->setVisible(FVisible);
    action->setEnabled(FEnabled);
    action->setCheckable(FChecked || FRadioItem);
    action->setChecked(FChecked);
    QFont font = action->font();
    font.setBold(FDefault);
    action->setFont(font);
}

void TMenuItem::SetCaption(const String& value) {
    FCaption = value;
    ShowState();
}

void TMenuItem::SetShortCut(TShortCut value) {
    FShortCut = value;
    ShowState();
}

void TMenuItem::SetChecked(bool value) {
    FChecked = value;
    if (value && FRadioItem)
        UncheckGroup();
    ShowState();
}

void TMenuItem::UncheckGroup() {
    if (!FParent)
        return;
    for (TMenuItem* sibling : FParent->FItems)
        if (sibling != this && sibling->FRadioItem && sibling->FGroupIndex == FGroupIndex &&
            sibling->FChecked)
            sibling->SetChecked(false);
}

void TMenuItem::SetRadioItem(bool value) {
    FRadioItem = value;
    if (value && FChecked)
        UncheckGroup();
    ShowState();
}

void TMenuItem::SetGroupIndex(int value) {
    FGroupIndex = value;
    if (FRadioItem && FChecked)
        UncheckGroup();
}

void TMenuItem::SetVisible(bool value) {
    FVisible = value;
    ShowState();
}

void TMenuItem::SetEnabled(bool value) {
    FEnabled = value;
    ShowState();
}

void TMenuItem::CheckIndex(int index, int upper) const {
    if (index < 0 || index > upper)
        throw EMenuError("Menu index out of range");
}

TMenuItem* TMenuItem::Items(int index) const {
    CheckIndex(index, Count() - 1);
    return FItems[index];
}

void TMenuItem::Add(TMenuItem* item) {
    Insert(Count(), item);
}

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (item->FParent)
        throw EMenuError("Menu inserted twice");
    CheckIndex(index, Count());
    FItems.insert(FItems.begin() + index, item);
    item->FParent = this;
    TMenuItemPeer::ShowChild(*this, index);
    if (item->FRadioItem && item->FChecked)
        item->UncheckGroup();
}

void TMenuItem::Delete(int index) {
    CheckIndex(index, Count() - 1);
    TMenuItem* item = FItems[index];
    FItems.erase(FItems.begin() + index);
    item->FParent = nullptr;
    TMenuItemPeer::HideChild(*this, *item);
}

void TMenuItem::Remove(TMenuItem* item) {
    int index = IndexOf(item);
    if (index < 0)
        throw EMenuError("Menu item not found");
    Delete(index);
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
    auto it = std::find(FItems.begin(), FItems.end(), item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

TMenuItem* TMenuItem::FindByShortCut(TShortCut shortCut) {
    for (TMenuItem* item : FItems) {
        if (item->FShortCut == shortCut)
            return item;
        if (TMenuItem* found = item->FindByShortCut(shortCut))
            return found;
    }
    return nullptr;
}

void TMenuItem::Click() {
    if (FEnabled && OnClick)
        OnClick(this);
}

void TMenuItem::ShowHelp() {
    for (TMenuItem* item = this; item; item = item->FParent)
        if (item->FHelpContext != 0) {
            Application->HelpContext(item->FHelpContext);
            return;
        }
}

// ---- Menus

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), FItems(new TMenuItem(this)) {
    FItems->FMenu = this;
}

TMenu::~TMenu() = default;

bool TMenu::IsShortCut(WORD key, TShiftState shift) {
    TShortCut shortCut = ::ShortCut(key, shift);
    if (shortCut == 0 || IsModifierKey(key))
        return false;
    TMenuItem* item = FItems->FindByShortCut(shortCut);
    if (!item)
        return false;
    std::vector<TMenuItem*> above;
    for (TMenuItem* parent = item->Parent(); parent && parent != FItems; parent = parent->Parent())
        above.push_back(parent);
    for (auto parent = above.rbegin(); parent != above.rend(); ++parent) {
        if (!(*parent)->Enabled())
            return false;
        (*parent)->Click();
    }
    // The refreshing handlers may have changed the items.
    item = FItems->FindByShortCut(shortCut);
    if (!item || !item->Enabled())
        return false;
    item->Click();
    return true;
}

TMainMenu::TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}

TMainMenu::~TMainMenu() {
    if (!Screen)
        return;
    for (int i = 0; i < Screen->FormCount(); ++i)
        if (TForm* form = Screen->Forms(i); form->Menu() == this)
            form->SetMenu(nullptr);
}

QWidget* CreateMenuBar(TMainMenu& menu) {
    return TMenuItemPeer::NewBar(*menu.Items());
}

QWidget* HighlightMenuItem(TMenuItem& item) {
    return TMenuItemPeer::Highlight(item);
}

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {
    TMenuItemPeer::RootMenu(*Items());
}

void TPopupMenu::SetPopupComponent(TComponent* value) {
    FPopupComponent = value;
    if (value)
        FreeNotification(value);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
    TMenu::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FPopupComponent)
        FPopupComponent = nullptr;
}

void TPopupMenu::Popup(int X, int Y) {
    if (OnPopup)
        OnPopup(this);
    if (TestHooks::RecordPopup(this, FPopupComponent, TPoint{X, Y}))
        return;
    QMenu* menu = TMenuItemPeer::RootMenu(*Items());
    // The click that closes the menu ends there, as the system's menus do: it must not reach the
    // button that opened the menu and open it again.
    menu->setAttribute(Qt::WA_NoMouseReplay);
    QPoint at(X, Y);
    if (FAlignment == paRight)
        at.rx() -= menu->sizeHint().width();
    else if (FAlignment == paCenter)
        at.rx() -= menu->sizeHint().width() / 2;
    menu->exec(at);
}

// ---- Keys and right clicks

bool IsMenuKey(TWinControl& control, WORD key, TShiftState shift) {
    for (TControl* c = &control; c; c = c->Parent())
        if (TPopupMenu* popup = c->PopupMenu(); popup && popup->IsShortCut(key, shift))
            return true;
    TForm* form = GetParentForm(&control);
    if (form && form->Menu() && form->Menu()->IsShortCut(key, shift))
        return true;
    TForm* mainForm = Application ? Application->MainForm() : nullptr;
    if (!mainForm || mainForm == form || (form && form->Modal()) || !mainForm->Menu())
        return false;
    return mainForm->Menu()->IsShortCut(key, shift);
}

bool PopupContextMenu(TControl& control, LPARAM screenPoint) {
    TControl* owner = &control;
    while (owner && !owner->PopupMenu())
        owner = owner->Parent();
    if (!owner || !owner->PopupMenu()->AutoPopup())
        return false;
    TPoint at{GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)};
    if (at.x == -1 && at.y == -1)
        at = owner->ClientToScreen(TPoint{owner->Width() / 2, owner->Height() / 2});
    TPopupMenu* menu = owner->PopupMenu();
    menu->SetPopupComponent(owner);
    menu->Popup(at.x, at.y);
    return true;
}

// ---- Items as a form resource makes them

TMenuItem* InsertItem(TComponent* owner, TMenuItem* parent, int index, const String& name,
                      const String& caption) {
    TMenuItem* item = NewComponent<TMenuItem>(owner, name);
    item->SetCaption(caption);
    parent->Insert(index, item);
    return item;
}

TMenuItem* AddItem(TComponent* owner, TMenuItem* parent, const String& name,
                   const String& caption) {
    return InsertItem(owner, parent, parent->Count(), name, caption);
}

TMenuItem* AddRadioItem(TComponent* owner, TMenuItem* parent, const String& name,
                        const String& caption, int group) {
    TMenuItem* item = AddItem(owner, parent, name, caption);
    item->SetRadioItem(true);
    item->SetGroupIndex(group);
    return item;
}

TMenuItem* AddHiddenItem(TComponent* owner, TMenuItem* parent, const String& name,
                         const String& caption) {
    TMenuItem* item = AddItem(owner, parent, name, caption);
    item->SetVisible(false);
    return item;
}
