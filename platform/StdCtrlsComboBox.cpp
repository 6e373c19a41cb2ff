#include "platform/StdCtrls.h"
#include "platform/StdPeers.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QStylePainter>

#include <algorithm>

// Tells when its list is about to drop down and when it has closed.
class TComboWidget : public QComboBox {
public:
    std::function<void()> OnShowPopup;
    std::function<void()> OnHidePopup;
    void showPopup() override {
        if (OnShowPopup)
            OnShowPopup();
        QComboBox::showPopup();
    }
    void hidePopup() override {
        QComboBox::hidePopup();
        if (OnHidePopup)
            OnHidePopup();
    }

protected:
    // A list without an edit whose control draws its items shows the chosen item drawn the same
    // way in the closed box.
    void paintEvent(QPaintEvent* event) override {
        if (isEditable() || currentIndex() < 0 || !view()->property(OwnerDrawnProperty).toBool()) {
            QComboBox::paintEvent(event);
            return;
        }
        QStylePainter painter(this);
        QStyleOptionComboBox frame;
        initStyleOption(&frame);
        frame.currentText.clear();
        frame.currentIcon = QIcon();
        painter.drawComplexControl(QStyle::CC_ComboBox, frame);
        QStyleOptionViewItem item;
        item.initFrom(this);
        item.state &= ~QStyle::State_Selected;
        item.rect = style()->subControlRect(QStyle::CC_ComboBox, &frame,
                                            QStyle::SC_ComboBoxEditField, this);
        painter.setClipRect(item.rect);
        view()->itemDelegate()->paint(
            &painter, item, model()->index(currentIndex(), modelColumn(), rootModelIndex()));
    }
};

TComboBoxPeer::TComboBoxPeer(TControl& control) : TStdPeer(control, new TComboWidget) {
    TComboWidget* combo = Combo();
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setDuplicatesEnabled(true);
    combo->setMaxVisibleItems(8);
    combo->OnShowPopup = [this] {
        if (!Detached())
            Notify(CBN_DROPDOWN);
    };
    combo->OnHidePopup = [this] {
        if (!Detached())
            Notify(CBN_CLOSEUP);
    };
    QObject::connect(combo, &QComboBox::activated, this,
                     Report([this](int) { Notify(CBN_SELCHANGE); }));
    Watch(combo->view());
    SetEditable(true);
}

TComboWidget* TComboBoxPeer::Combo() const {
    return static_cast<TComboWidget*>(Widget());
}

TComboBox& TComboBoxPeer::Box() const {
    return static_cast<TComboBox&>(Control());
}

QLineEdit* TComboBoxPeer::LineEdit() const {
    return Combo()->lineEdit();
}

QAbstractItemView* TComboBoxPeer::ItemView() const {
    return Combo()->view();
}

void TComboBoxPeer::SetEditable(bool editable) {
    if (editable == Combo()->isEditable())
        return;
    Combo()->setEditable(editable);
    if (!editable)
        return;
    // Typing completes nothing, as in the framework's combo box.
    Combo()->setCompleter(nullptr);
    Watch(LineEdit());
    QObject::connect(LineEdit(), &QLineEdit::textEdited, this, Report([this](const QString& shown) {
                         Box().TextTyped(TextFromDisplay(shown, Box().Text()));
                         Notify(CBN_EDITCHANGE);
                     }));
}

void TComboBoxPeer::SetText(const String& text) {
    ShowText(text);
}

int TComboBoxPeer::CurrentIndex() const {
    return Combo()->currentIndex();
}

void TComboBoxPeer::SetCurrent(int index, bool keepText) {
    QLineEdit* edit = LineEdit();
    QString text = edit ? edit->text() : QString();
    int cursor = edit ? edit->cursorPosition() : 0;
    {
        QSignalBlocker blocker(Combo());
        Combo()->setCurrentIndex(index);
    }
    if (keepText && edit && edit->text() != text) {
        QSignalBlocker blocker(edit);
        edit->setText(text);
        edit->setCursorPosition(cursor);
    }
}

void TComboBoxPeer::SetDropDownCount(int count) {
    Combo()->setMaxVisibleItems(std::max(count, 1));
}

bool TComboBoxPeer::DroppedDown() const {
    return Combo()->view()->isVisible();
}

void TComboBoxPeer::SetDroppedDown(bool value) {
    if (value == DroppedDown())
        return;
    if (value)
        Combo()->showPopup();
    else
        Combo()->hidePopup();
}

// Qt chooses the first item put into an empty box; the framework chooses none.
void TComboBoxPeer::InsertItem(int index, const String& text) {
    int current = Combo()->currentIndex();
    ChangeItems([&] {
        Combo()->insertItem(index, DisplayText(text));
        if (current < 0)
            Combo()->setCurrentIndex(-1);
    });
}

void TComboBoxPeer::DeleteItem(int index) {
    int current = Combo()->currentIndex();
    ChangeItems([&] {
        Combo()->removeItem(index);
        if (index == current)
            Combo()->setCurrentIndex(-1);
    });
}

void TComboBoxPeer::ClearItems() {
    ChangeItems([&] { Combo()->clear(); });
}

void TComboBoxPeer::ChangeItems(const std::function<void()>& change) {
    QLineEdit* edit = LineEdit();
    QString text = edit ? edit->text() : QString();
    QSignalBlocker blocker(Combo());
    change();
    if (edit && edit->text() != text) {
        QSignalBlocker editBlocker(edit);
        edit->setText(text);
    }
}

// ---- TComboBox

TComboBox::TComboBox(TComponent* AOwner)
    : TWinControl(AOwner, MakePeer<TComboBoxPeer>), TPeerOf(Peer()), FItems(TypedPeer()) {
    SetControlStyle(WithoutClickEvents(ControlStyle()));
    SetBounds(0, 0, 145, 21);
    SetTabStop(true);
}

void TComboBox::DrawItemsWith(TCanvas& canvas,
                              std::function<void(int index, const TRect& rect)> draw,
                              int itemHeight) {
    FItemHeight = itemHeight;
    TypedPeer().SetOwnerDraw(*this, canvas, std::move(draw), itemHeight);
}

void TComboBox::SetItemHeight(int value) {
    if (value > 0 && ::Change(FItemHeight, value))
        TypedPeer().SetItemHeight(value);
}

int TComboBox::ItemIndex() const {
    return TypedPeer().CurrentIndex();
}

void TComboBox::SetItemIndex(int value) {
    if (value < -1 || value >= FItems.Count())
        value = -1;
    TypedPeer().SetCurrent(value, false);
    ShowItemText();
}

void TComboBox::ShowItemText() {
    if (FStyle == csDropDownList)
        return;
    int index = ItemIndex();
    TWinControl::SetText(index >= 0 ? FItems.Get(index) : String());
}

String TComboBox::Text() const {
    if (FStyle != csDropDownList)
        return TWinControl::Text();
    int index = ItemIndex();
    return index >= 0 ? FItems.Get(index) : String();
}

void TComboBox::SetText(const String& value) {
    if (FStyle == csDropDownList) {
        SetItemIndex(FItems.IndexOf(value));
        return;
    }
    TWinControl::SetText(value);
    MatchItemToText();
}

void TComboBox::TextTyped(const String& value) {
    TWinControl::SetText(value);
    MatchItemToText();
}

// The selection follows the edit's text: the item that reads exactly like it, or none.
void TComboBox::MatchItemToText() {
    const int match = FItems.IndexOfExactly(TWinControl::Text());
    if (match != ItemIndex())
        TypedPeer().SetCurrent(match, true);
}

void TComboBox::SetStyle(TComboBoxStyle value) {
    FStyle = value;
    TypedPeer().SetEditable(value != csDropDownList);
    if (value != csDropDownList) {
        TypedPeer().SetText(TWinControl::Text());
        SetMaxLength(FMaxLength);
    }
}

void TComboBox::SetDropDownCount(int value) {
    TypedPeer().SetDropDownCount(value);
}

bool TComboBox::DroppedDown() const {
    return TypedPeer().DroppedDown();
}

void TComboBox::SetDroppedDown(bool value) {
    TypedPeer().SetDroppedDown(value);
}

void TComboBox::SetMaxLength(int value) {
    FMaxLength = value;
    TypedPeer().SetMaxLength(value);
}

int TComboBox::SelStart() const {
    return TypedPeer().SelStart(Text());
}

void TComboBox::SetSelStart(int value) {
    TypedPeer().Select(Text(), value, 0);
}

int TComboBox::SelLength() const {
    return TypedPeer().SelLength(Text());
}

void TComboBox::SetSelLength(int value) {
    TypedPeer().Select(Text(), SelStart(), value);
}

String TComboBox::SelText() const {
    return SelectedBytes(Text(), SelStart(), SelLength());
}

void TComboBox::TypeChar(char key) {
    TTyped typed;
    if (!TypeKey(Text(), SelStart(), SelLength(), key, FMaxLength, typed))
        return;
    TextTyped(typed.Text);
    SetSelStart(typed.Caret);
    Perform(CN_COMMAND, MAKEWPARAM(0, CBN_EDITCHANGE), 0);
}

void TComboBox::DefaultHandler(TMessage& Message) {
    switch (Message.Msg) {
    case WM_GETDLGCODE:
        // While the list is down, Return and Escape close it.
        Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        if (DroppedDown())
            Message.Result |= DLGC_WANTALLKEYS;
        return;
    case WM_CHAR:
        if (FStyle != csDropDownList && !TypedPeer().Translating()) {
            TypeChar(static_cast<char>(Message.WParam));
            return;
        }
        break;
    default:
        break;
    }
    TWinControl::DefaultHandler(Message);
}

void TComboBox::WndProc(TMessage& Message) {
    if (Message.Msg != CN_COMMAND) {
        TWinControl::WndProc(Message);
        return;
    }
    switch (NotifyCode(Message)) {
    case CBN_SELCHANGE:
        ShowItemText();
        Click();
        Change();
        break;
    case CBN_EDITCHANGE:
        Change();
        break;
    case CBN_DROPDOWN:
        if (OnDropDown)
            OnDropDown(this);
        break;
    default:
        TWinControl::WndProc(Message);
        break;
    }
}

void TComboBox::Change() {
    if (OnChange)
        OnChange(this);
}
