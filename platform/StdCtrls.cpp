#include "platform/StdCtrls.h"
#include "platform/StdPeers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>
#include <type_traits>

// ---- Shared by the peers of the standard controls

bool TStdPeer::TranslateEvent(QWidget* watched, QEvent* event) {
    ++FTranslating;
    bool eaten = TControlPeer::TranslateEvent(watched, event);
    --FTranslating;
    return eaten;
}

String WithoutAccelerator(const String& caption) {
    String shown;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size())
            ++i;
        shown += caption[i];
    }
    return shown;
}

bool TStdPeer::Notify(WORD code) {
    QPointer<TStdPeer> alive(this);
    TMessage message{CN_COMMAND, MAKEWPARAM(0, code), 0, 0};
    Deliver(message);
    return alive && !FDetached;
}

namespace {

TControlStyle WithoutClickEvents(TControlStyle style) {
    return style - TControlStyle{csClickEvents};
}

WORD NotifyCode(const TMessage& message) {
    return HIWORD(message.WParam);
}

// A text shows as UTF-8 when it is valid UTF-8 and holds a byte of 0x80 or more.
bool ShowsUtf8(const String& text) {
    return IsValidUtf8(text) &&
           std::any_of(text.begin(), text.end(), [](char c) { return (c & 0x80) != 0; });
}

// Widget positions count characters; the controls' positions count bytes.
int WidgetIndex(const String& text, int byteIndex) {
    byteIndex = std::clamp(byteIndex, 0, static_cast<int>(text.size()));
    if (!IsValidUtf8(text))
        return byteIndex;
    return static_cast<int>(QString::fromUtf8(text.data(), byteIndex).size());
}

int ByteIndex(const String& text, int widgetIndex) {
    if (!IsValidUtf8(text))
        return std::clamp(widgetIndex, 0, static_cast<int>(text.size()));
    return static_cast<int>(DisplayText(text).left(widgetIndex).toUtf8().size());
}

// A character typed with its Windows-1252 code: into a text shown as UTF-8 it goes as UTF-8.
String TypedBytes(const String& text, char key) {
    if ((key & 0x80) == 0 || !ShowsUtf8(text))
        return String(1, key);
    QByteArray utf8 = DisplayText(String(1, key)).toUtf8();
    return String(utf8.constData(), static_cast<size_t>(utf8.size()));
}

// The start of the character before a position (a UTF-8 sequence is one character).
int PreviousCharStart(const String& text, int position) {
    int start = position - 1;
    if (ShowsUtf8(text))
        while (start > 0 && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80)
            --start;
    return std::max(start, 0);
}

struct TTyped {
    String Text;
    int Caret = 0;
};

// What a key typed over the selection of a one-line text makes of it: backspace deletes, other
// control characters do nothing, a character that would pass maxLength (0: none) is refused.
bool TypeKey(const String& text, int selStart, int selLength, char key, int maxLength,
             TTyped& result) {
    if (key == '\b') {
        if (selLength == 0 && selStart == 0)
            return false;
        int start = selLength > 0 ? selStart : PreviousCharStart(text, selStart);
        int end = selLength > 0 ? selStart + selLength : selStart;
        result.Text = text.substr(0, start) + text.substr(end);
        result.Caret = start;
        return true;
    }
    if (static_cast<unsigned char>(key) < ' ')
        return false;
    String typed = TypedBytes(text, key);
    if (maxLength > 0 && text.size() - selLength + typed.size() > static_cast<size_t>(maxLength))
        return false;
    result.Text = text.substr(0, selStart) + typed + text.substr(selStart + selLength);
    result.Caret = selStart + static_cast<int>(typed.size());
    return true;
}

String ReplaceSelection(const String& text, int selStart, int selLength, const String& value) {
    return text.substr(0, selStart) + value + text.substr(selStart + selLength);
}

// ---- One-line edits (edits and the edit of a combo box)

void ShowLineText(QLineEdit* edit, const String& text) {
    QString shown = DisplayText(text);
    if (edit->text() == shown)
        return;
    QSignalBlocker blocker(edit);
    edit->setText(shown);
}

int LineSelStart(const QLineEdit* edit, const String& text) {
    return ByteIndex(text,
                     edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition());
}

int LineSelLength(const QLineEdit* edit, const String& text) {
    if (!edit->hasSelectedText())
        return 0;
    return ByteIndex(text, edit->selectionEnd()) - ByteIndex(text, edit->selectionStart());
}

void SelectLineBytes(QLineEdit* edit, const String& text, int start, int length) {
    start = std::clamp(start, 0, static_cast<int>(text.size()));
    int from = WidgetIndex(text, start);
    int to = WidgetIndex(text, start + std::max(length, 0));
    if (to == from)
        edit->setCursorPosition(from);
    else
        edit->setSelection(from, to - from);
}

String SelectedBytes(const String& text, int start, int length) {
    return text.substr(std::min(static_cast<size_t>(start), text.size()), length);
}

QVariant BytesVariant(const String& text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

String VariantBytes(const QVariant& value) {
    QByteArray bytes = value.toByteArray();
    return String(bytes.constData(), static_cast<size_t>(bytes.size()));
}

QVariant ObjectVariant(TObject* object) {
    return QVariant::fromValue(reinterpret_cast<quintptr>(object));
}

TObject* VariantObject(const QVariant& value) {
    return reinterpret_cast<TObject*>(value.value<quintptr>());
}

constexpr int TextRole = Qt::UserRole;
constexpr int ObjectRole = Qt::UserRole + 1;

// The item lists of combo boxes and list boxes, kept in their widgets.
class TItemListPeer {
public:
    virtual ~TItemListPeer() = default;
    virtual int ItemCount() const = 0;
    virtual String ItemText(int index) const = 0;
    virtual void SetItemText(int index, const String& text) = 0;
    virtual TObject* ItemObject(int index) const = 0;
    virtual void SetItemObject(int index, TObject* object) = 0;
    virtual void InsertItem(int index, const String& text) = 0;
    virtual void DeleteItem(int index) = 0;
    virtual void ClearItems() = 0;
};

TItemListPeer& ItemPeer(const TWinControl& control) {
    return dynamic_cast<TItemListPeer&>(control.Peer());
}

} // namespace

// ---- Return and Escape

namespace {

TButton* FindButton(const TWinControl& parent, bool (*wanted)(const TButton&)) {
    for (int i = 0; i < parent.ControlCount(); ++i) {
        TControl* control = parent.Controls(i);
        if (auto* button = dynamic_cast<TButton*>(control); button && wanted(*button))
            return button;
        if (auto* window = dynamic_cast<TWinControl*>(control))
            if (TButton* found = FindButton(*window, wanted))
                return found;
    }
    return nullptr;
}

} // namespace

bool IsDialogKey(TWinControl& control, WORD key, TShiftState shift) {
    if ((key != VK_RETURN && key != VK_ESCAPE) || !shift.Empty())
        return false;
    if (control.Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS)
        return false;
    TForm* form = GetParentForm(&control);
    if (!form)
        return false;
    TButton* target = nullptr;
    if (key == VK_RETURN) {
        target = dynamic_cast<TButton*>(&control);
        if (!target)
            target = FindButton(*form, [](const TButton& b) { return b.Default(); });
    } else {
        target = FindButton(*form, [](const TButton& b) { return b.Cancel(); });
    }
    if (!target || !target->CanFocus())
        return false;
    target->Click();
    return true;
}

// ---- TLabel

namespace {

class TLabelPeer : public TControlPeer {
public:
    explicit TLabelPeer(TControl& control) : TControlPeer(control, new QLabel) {
        Label()->setFocusPolicy(Qt::NoFocus);
        Label()->setTextFormat(Qt::PlainText);
        Label()->setMargin(0);
    }
    QLabel* Label() const { return static_cast<QLabel*>(Widget()); }
    // The label shows its caption through ShowLabel, which knows how.
    void SetText(const String&) override {}

    // Qt reads "&&" and "&" as the framework does, but only when there is a control to focus.
    void ShowLabel(const String& caption, QWidget* buddy, Qt::Alignment alignment, bool wrap,
                   bool transparent) {
        QLabel* label = Label();
        label->setBuddy(buddy);
        label->setText(DisplayText(buddy ? caption : WithoutAccelerator(caption)));
        label->setAlignment(alignment);
        label->setWordWrap(wrap);
        label->setAutoFillBackground(!transparent);
    }

    TSize TextSize(int width, bool wrap) const {
        if (wrap)
            return TSize{width, Label()->heightForWidth(width)};
        QSize size = Label()->sizeHint();
        if (Label()->text().isEmpty())
            size.setWidth(0);
        return TSize{size.width(), size.height()};
    }
};

TLabelPeer& LabelPeer(const TLabel& label) {
    return static_cast<TLabelPeer&>(label.Peer());
}

Qt::Alignment LabelAlignment(TAlignment alignment, TTextLayout layout) {
    Qt::Alignment horizontal = alignment == taRightJustify ? Qt::AlignRight
                               : alignment == taCenter     ? Qt::AlignHCenter
                                                           : Qt::AlignLeft;
    Qt::Alignment vertical = layout == tlBottom   ? Qt::AlignBottom
                             : layout == tlCenter ? Qt::AlignVCenter
                                                  : Qt::AlignTop;
    return horizontal | vertical;
}

} // namespace

TLabel::TLabel(TComponent* AOwner) : TGraphicControl(AOwner, MakePeer<TLabelPeer>) {
    SetColor(clBtnFace);
    SetBounds(0, 0, 65, 17);
    ShowFormat();
}

void TLabel::ShowFormat() {
    QWidget* buddy = FShowAccelChar && FFocusControl ? FFocusControl->Peer().Widget() : nullptr;
    LabelPeer(*this).ShowLabel(Caption(), buddy, LabelAlignment(FAlignment, FLayout), FWordWrap,
                               FTransparent);
}

// The framework keeps a label's left edge, or its right edge when it is right-aligned.
void TLabel::AdjustBounds() {
    if (!FAutoSize || IsLoading())
        return;
    TSize size = LabelPeer(*this).TextSize(Width(), FWordWrap);
    int left = Left();
    if (!FWordWrap && FAlignment == taRightJustify)
        left += Width() - size.cx;
    SetBounds(left, Top(), size.cx, size.cy);
}

void TLabel::SetAlignment(TAlignment value) {
    FAlignment = value;
    ShowFormat();
}

void TLabel::SetLayout(TTextLayout value) {
    FLayout = value;
    ShowFormat();
}

void TLabel::SetAutoSize(bool value) {
    FAutoSize = value;
    AdjustBounds();
}

void TLabel::SetWordWrap(bool value) {
    FWordWrap = value;
    ShowFormat();
    AdjustBounds();
}

void TLabel::SetTransparent(bool value) {
    FTransparent = value;
    ShowFormat();
}

void TLabel::SetShowAccelChar(bool value) {
    FShowAccelChar = value;
    ShowFormat();
    AdjustBounds();
}

void TLabel::SetFocusControl(TWinControl* value) {
    FFocusControl = value;
    if (value)
        FreeNotification(value);
    ShowFormat();
}

void TLabel::Notification(TComponent* AComponent, TOperation Operation) {
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFocusControl) {
        FFocusControl = nullptr;
        ShowFormat();
    }
}

void TLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TLabel::WndProc(TMessage& Message) {
    TGraphicControl::WndProc(Message);
    if (Message.Msg == CM_TEXTCHANGED || Message.Msg == CM_FONTCHANGED) {
        ShowFormat();
        AdjustBounds();
    }
}

// ---- TEdit

class TEditPeer : public TStdPeer {
public:
    explicit TEditPeer(TControl& control) : TStdPeer(control, new QLineEdit) {
        QObject::connect(Line(), &QLineEdit::textEdited, this, Report([this](const QString& shown) {
                             TEdit& edit = static_cast<TEdit&>(Control());
                             edit.SetText(TextFromDisplay(shown, edit.Text()));
                         }));
    }
    QLineEdit* Line() const { return static_cast<QLineEdit*>(Widget()); }
    void SetText(const String& text) override { ShowLineText(Line(), text); }
};

namespace {

TEditPeer& EditPeer(const TEdit& edit) {
    return static_cast<TEditPeer&>(edit.Peer());
}

} // namespace

TEdit::TEdit(TComponent* AOwner) : TWinControl(AOwner, MakePeer<TEditPeer>) {
    SetBounds(0, 0, 121, 21);
    SetTabStop(true);
    SetMaxLength(0);
}

TEdit::~TEdit() {
    EditPeer(*this).Detach();
}

void TEdit::SetMaxLength(int value) {
    FMaxLength = value;
    EditPeer(*this).Line()->setMaxLength(value > 0 ? value : 32767);
}

void TEdit::SetReadOnly(bool value) {
    FReadOnly = value;
    EditPeer(*this).Line()->setReadOnly(value);
}

void TEdit::SetPasswordChar(char value) {
    FPasswordChar = value;
    EditPeer(*this).Line()->setEchoMode(value ? QLineEdit::Password : QLineEdit::Normal);
}

int TEdit::SelStart() const {
    return LineSelStart(EditPeer(*this).Line(), Text());
}

void TEdit::SetSelStart(int value) {
    SelectLineBytes(EditPeer(*this).Line(), Text(), value, 0);
}

int TEdit::SelLength() const {
    return LineSelLength(EditPeer(*this).Line(), Text());
}

void TEdit::SetSelLength(int value) {
    SelectLineBytes(EditPeer(*this).Line(), Text(), SelStart(), value);
}

String TEdit::SelText() const {
    return SelectedBytes(Text(), SelStart(), SelLength());
}

void TEdit::SetSelText(const String& value) {
    int start = SelStart();
    SetText(ReplaceSelection(Text(), start, SelLength(), value));
    SetSelStart(start + static_cast<int>(value.size()));
}

void TEdit::SelectAll() {
    EditPeer(*this).Line()->selectAll();
}

void TEdit::TypeChar(char key) {
    TTyped typed;
    if (FReadOnly || !TypeKey(Text(), SelStart(), SelLength(), key, FMaxLength, typed))
        return;
    SetText(typed.Text);
    SetSelStart(typed.Caret);
}

void TEdit::DefaultHandler(TMessage& Message) {
    switch (Message.Msg) {
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        return;
    case WM_CHAR:
        if (!EditPeer(*this).Translating()) {
            TypeChar(static_cast<char>(Message.WParam));
            return;
        }
        break;
    default:
        break;
    }
    TWinControl::DefaultHandler(Message);
}

void TEdit::WndProc(TMessage& Message) {
    TWinControl::WndProc(Message);
    if (Message.Msg == CM_TEXTCHANGED && !IsLoading())
        Change();
}

void TEdit::Change() {
    if (OnChange)
        OnChange(this);
}

// ---- TButton

namespace {

class TButtonPeer : public TStdPeer {
public:
    explicit TButtonPeer(TControl& control) : TStdPeer(control, new QPushButton) {
        QObject::connect(Button(), &QPushButton::clicked, this,
                         Report([this](bool) { Notify(BN_CLICKED); }));
    }
    QPushButton* Button() const { return static_cast<QPushButton*>(Widget()); }
    void SetText(const String& text) override { Button()->setText(DisplayText(text)); }
};

TButtonPeer& ButtonPeer(const TButton& button) {
    return static_cast<TButtonPeer&>(button.Peer());
}

} // namespace

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner, MakePeer<TButtonPeer>) {
    SetControlStyle(WithoutClickEvents(ControlStyle()));
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
}

TButton::~TButton() {
    ButtonPeer(*this).Detach();
}

void TButton::SetDefault(bool value) {
    FDefault = value;
    ButtonPeer(*this).Button()->setDefault(value);
}

void TButton::Click() {
    if (TForm* form = GetParentForm(this))
        form->SetModalResult(FModalResult);
    TWinControl::Click();
}

void TButton::WndProc(TMessage& Message) {
    if (Message.Msg == CN_COMMAND && NotifyCode(Message) == BN_CLICKED) {
        Click();
        return;
    }
    TWinControl::WndProc(Message);
}

// ---- TCheckBox and TRadioButton

namespace {

// A check box or radio button: the widget shows the state the control holds, also after a
// click, which the control turns into its own next state.
template <typename Box> class TCheckPeer : public TStdPeer {
public:
    explicit TCheckPeer(TControl& control) : TStdPeer(control, new Box) {
        QObject::connect(Check(), &Box::clicked, this, Report([this](bool) {
                             if (Notify(BN_CLICKED))
                                 ShowState(FShown);
                         }));
    }
    Box* Check() const { return static_cast<Box*>(Widget()); }
    void SetText(const String& text) override { Check()->setText(DisplayText(text)); }
    void ShowState(Qt::CheckState state) {
        FShown = state;
        if constexpr (std::is_same_v<Box, QCheckBox>)
            Check()->setCheckState(state);
        else
            Check()->setChecked(state == Qt::Checked);
    }
    void ShowAlignment(TAlignment alignment) {
        Check()->setLayoutDirection(alignment == taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
    }

private:
    Qt::CheckState FShown = Qt::Unchecked;
};

using TCheckBoxPeer = TCheckPeer<QCheckBox>;
using TRadioButtonPeer = TCheckPeer<QRadioButton>;

Qt::CheckState QtState(TCheckBoxState state) {
    return state == cbChecked  ? Qt::Checked
           : state == cbGrayed ? Qt::PartiallyChecked
                               : Qt::Unchecked;
}

std::unique_ptr<TControlPeer> MakeRadioPeer(TControl& control) {
    auto peer = std::make_unique<TRadioButtonPeer>(control);
    // The framework unchecks the other radio buttons of the parent itself.
    peer->Check()->setAutoExclusive(false);
    return peer;
}

} // namespace

TCheckBox::TCheckBox(TComponent* AOwner) : TWinControl(AOwner, MakePeer<TCheckBoxPeer>) {
    SetControlStyle(WithoutClickEvents(ControlStyle()));
    SetBounds(0, 0, 97, 17);
    SetTabStop(true);
}

TCheckBox::~TCheckBox() {
    static_cast<TCheckBoxPeer&>(Peer()).Detach();
}

void TCheckBox::SetState(TCheckBoxState value) {
    if (!Change(FState, value))
        return;
    static_cast<TCheckBoxPeer&>(Peer()).ShowState(QtState(value));
    if (!IsLoading())
        Click();
}

void TCheckBox::SetAllowGrayed(bool value) {
    FAllowGrayed = value;
    static_cast<TCheckBoxPeer&>(Peer()).Check()->setTristate(value);
}

void TCheckBox::SetAlignment(TAlignment value) {
    FAlignment = value;
    static_cast<TCheckBoxPeer&>(Peer()).ShowAlignment(value);
}

// A click steps unchecked, checked, grayed (when allowed), unchecked.
void TCheckBox::Toggle() {
    switch (FState) {
    case cbUnchecked:
        SetState(cbChecked);
        break;
    case cbChecked:
        SetState(FAllowGrayed ? cbGrayed : cbUnchecked);
        break;
    case cbGrayed:
        SetState(cbUnchecked);
        break;
    }
}

void TCheckBox::WndProc(TMessage& Message) {
    if (Message.Msg == CN_COMMAND && NotifyCode(Message) == BN_CLICKED) {
        Toggle();
        return;
    }
    TWinControl::WndProc(Message);
}

TRadioButton::TRadioButton(TComponent* AOwner) : TWinControl(AOwner, MakeRadioPeer) {
    SetControlStyle(WithoutClickEvents(ControlStyle()));
    SetBounds(0, 0, 113, 17);
}

TRadioButton::~TRadioButton() {
    static_cast<TRadioButtonPeer&>(Peer()).Detach();
}

void TRadioButton::SetChecked(bool value) {
    if (!Change(FChecked, value))
        return;
    SetTabStop(value);
    static_cast<TRadioButtonPeer&>(Peer()).ShowState(value ? Qt::Checked : Qt::Unchecked);
    if (!value)
        return;
    UncheckSiblings();
    if (!IsLoading())
        Click();
}

void TRadioButton::UncheckSiblings() {
    if (!Parent())
        return;
    for (int i = 0; i < Parent()->ControlCount(); ++i)
        if (auto* other = dynamic_cast<TRadioButton*>(Parent()->Controls(i));
            other && other != this)
            other->SetChecked(false);
}

void TRadioButton::SetAlignment(TAlignment value) {
    FAlignment = value;
    static_cast<TRadioButtonPeer&>(Peer()).ShowAlignment(value);
}

void TRadioButton::WndProc(TMessage& Message) {
    if (Message.Msg == CN_COMMAND && NotifyCode(Message) == BN_CLICKED) {
        SetChecked(true);
        return;
    }
    TWinControl::WndProc(Message);
}

// ---- Item lists

void TControlStrings::CheckIndex(int index, int upper) const {
    if (index < 0 || index > upper)
        throw EStringListError("List index out of bounds (" + IntToStr(index) + ")");
}

int TControlStrings::Count() const {
    return ItemPeer(FControl).ItemCount();
}

String TControlStrings::Get(int index) const {
    CheckIndex(index, Count() - 1);
    return ItemPeer(FControl).ItemText(index);
}

void TControlStrings::Put(int index, const String& s) {
    CheckIndex(index, Count() - 1);
    ItemPeer(FControl).SetItemText(index, s);
}

TObject* TControlStrings::GetObject(int index) const {
    CheckIndex(index, Count() - 1);
    return ItemPeer(FControl).ItemObject(index);
}

void TControlStrings::PutObject(int index, TObject* object) {
    CheckIndex(index, Count() - 1);
    ItemPeer(FControl).SetItemObject(index, object);
}

// Equal texts keep the order they came in.
int TControlStrings::SortedPosition(const String& s) const {
    int count = Count();
    int low = 0;
    while (low < count && CompareText(Get(low), s) <= 0)
        ++low;
    return low;
}

int TControlStrings::Add(const String& s) {
    int index = FSorted ? SortedPosition(s) : Count();
    ItemPeer(FControl).InsertItem(index, s);
    return index;
}

void TControlStrings::Insert(int index, const String& s) {
    CheckIndex(index, Count());
    ItemPeer(FControl).InsertItem(index, s);
}

void TControlStrings::Delete(int index) {
    CheckIndex(index, Count() - 1);
    ItemPeer(FControl).DeleteItem(index);
}

void TControlStrings::Clear() {
    ItemPeer(FControl).ClearItems();
}

void TControlStrings::SetSorted(bool value) {
    if (!Change(FSorted, value))
        return;
    if (!value)
        return;
    struct Item {
        String Text;
        TObject* Object;
    };
    std::vector<Item> items;
    for (int i = 0; i < Count(); ++i)
        items.push_back({Get(i), GetObject(i)});
    std::stable_sort(items.begin(), items.end(),
                     [](const Item& a, const Item& b) { return CompareText(a.Text, b.Text) < 0; });
    Clear();
    for (const Item& item : items)
        InsertObject(Count(), item.Text, item.Object);
}

// ---- TComboBox

namespace {

// Tells when its list is about to drop down.
class TComboWidget : public QComboBox {
public:
    std::function<void()> OnShowPopup;
    void showPopup() override {
        if (OnShowPopup)
            OnShowPopup();
        QComboBox::showPopup();
    }
};

} // namespace

class TComboBoxPeer : public TStdPeer, public TItemListPeer {
public:
    explicit TComboBoxPeer(TControl& control) : TStdPeer(control, new TComboWidget) {
        TComboWidget* combo = Combo();
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setDuplicatesEnabled(true);
        combo->setMaxVisibleItems(8);
        combo->OnShowPopup = [this] {
            if (!Detached())
                Notify(CBN_DROPDOWN);
        };
        QObject::connect(combo, &QComboBox::activated, this,
                         Report([this](int) { Notify(CBN_SELCHANGE); }));
        Watch(combo->view());
        SetEditable(true);
    }
    TComboWidget* Combo() const { return static_cast<TComboWidget*>(Widget()); }
    TComboBox& Box() const { return static_cast<TComboBox&>(Control()); }
    QLineEdit* Edit() const { return Combo()->lineEdit(); }

    void SetEditable(bool editable) {
        if (editable == Combo()->isEditable())
            return;
        Combo()->setEditable(editable);
        if (!editable)
            return;
        // Typing completes nothing, as in the framework's combo box.
        Combo()->setCompleter(nullptr);
        Watch(Edit());
        QObject::connect(Edit(), &QLineEdit::textEdited, this, Report([this](const QString& shown) {
                             Box().TextTyped(TextFromDisplay(shown, Box().Text()));
                             Notify(CBN_EDITCHANGE);
                         }));
    }

    void SetText(const String& text) override {
        if (Edit())
            ShowLineText(Edit(), text);
    }

    // Chooses an item, or none, and leaves the edit's text as it is.
    void SetCurrent(int index, bool keepText) {
        QString text = Edit() ? Edit()->text() : QString();
        int cursor = Edit() ? Edit()->cursorPosition() : 0;
        {
            QSignalBlocker blocker(Combo());
            Combo()->setCurrentIndex(index);
        }
        if (keepText && Edit() && Edit()->text() != text) {
            QSignalBlocker blocker(Edit());
            Edit()->setText(text);
            Edit()->setCursorPosition(cursor);
        }
    }

    int ItemCount() const override { return Combo()->count(); }
    String ItemText(int index) const override {
        return VariantBytes(Combo()->itemData(index, TextRole));
    }
    void SetItemText(int index, const String& text) override {
        KeepingState([&] {
            Combo()->setItemText(index, DisplayText(text));
            Combo()->setItemData(index, BytesVariant(text), TextRole);
        });
    }
    TObject* ItemObject(int index) const override {
        return VariantObject(Combo()->itemData(index, ObjectRole));
    }
    void SetItemObject(int index, TObject* object) override {
        Combo()->setItemData(index, ObjectVariant(object), ObjectRole);
    }
    // Qt chooses the first item put into an empty box; the framework chooses none.
    void InsertItem(int index, const String& text) override {
        int current = Combo()->currentIndex();
        KeepingState([&] {
            Combo()->insertItem(index, DisplayText(text), BytesVariant(text));
            if (current < 0)
                Combo()->setCurrentIndex(-1);
        });
    }
    void DeleteItem(int index) override {
        int current = Combo()->currentIndex();
        KeepingState([&] {
            Combo()->removeItem(index);
            if (index == current)
                Combo()->setCurrentIndex(-1);
        });
    }
    void ClearItems() override {
        KeepingState([&] { Combo()->clear(); });
    }

private:
    // Changes of the list leave the edit's text alone, as the framework's do.
    template <typename F> void KeepingState(F change) {
        QString text = Edit() ? Edit()->text() : QString();
        QSignalBlocker blocker(Combo());
        change();
        if (Edit() && Edit()->text() != text) {
            QSignalBlocker editBlocker(Edit());
            Edit()->setText(text);
        }
    }
};

namespace {

TComboBoxPeer& ComboPeer(const TComboBox& box) {
    return static_cast<TComboBoxPeer&>(box.Peer());
}

} // namespace

TComboBox::TComboBox(TComponent* AOwner)
    : TWinControl(AOwner, MakePeer<TComboBoxPeer>), FItems(*this) {
    SetControlStyle(WithoutClickEvents(ControlStyle()));
    SetBounds(0, 0, 145, 21);
    SetTabStop(true);
}

TComboBox::~TComboBox() {
    ComboPeer(*this).Detach();
}

int TComboBox::ItemIndex() const {
    return ComboPeer(*this).Combo()->currentIndex();
}

void TComboBox::SetItemIndex(int value) {
    if (value < -1 || value >= FItems.Count())
        value = -1;
    ComboPeer(*this).SetCurrent(value, false);
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
    String text = TWinControl::Text();
    int match = -1;
    for (int i = 0; i < FItems.Count() && match < 0; ++i)
        if (FItems.Get(i) == text)
            match = i;
    if (match != ItemIndex())
        ComboPeer(*this).SetCurrent(match, true);
}

void TComboBox::SetStyle(TComboBoxStyle value) {
    FStyle = value;
    ComboPeer(*this).SetEditable(value != csDropDownList);
    if (value != csDropDownList) {
        ComboPeer(*this).SetText(TWinControl::Text());
        SetMaxLength(FMaxLength);
    }
}

void TComboBox::SetDropDownCount(int value) {
    FDropDownCount = value;
    ComboPeer(*this).Combo()->setMaxVisibleItems(std::max(value, 1));
}

bool TComboBox::DroppedDown() const {
    return ComboPeer(*this).Combo()->view()->isVisible();
}

void TComboBox::SetDroppedDown(bool value) {
    if (value)
        ComboPeer(*this).Combo()->showPopup();
    else
        ComboPeer(*this).Combo()->hidePopup();
}

void TComboBox::SetMaxLength(int value) {
    FMaxLength = value;
    if (QLineEdit* edit = ComboPeer(*this).Edit())
        edit->setMaxLength(value > 0 ? value : 32767);
}

int TComboBox::SelStart() const {
    QLineEdit* edit = ComboPeer(*this).Edit();
    return edit ? LineSelStart(edit, Text()) : 0;
}

void TComboBox::SetSelStart(int value) {
    if (QLineEdit* edit = ComboPeer(*this).Edit())
        SelectLineBytes(edit, Text(), value, 0);
}

int TComboBox::SelLength() const {
    QLineEdit* edit = ComboPeer(*this).Edit();
    return edit ? LineSelLength(edit, Text()) : 0;
}

void TComboBox::SetSelLength(int value) {
    if (QLineEdit* edit = ComboPeer(*this).Edit())
        SelectLineBytes(edit, Text(), SelStart(), value);
}

String TComboBox::SelText() const {
    return SelectedBytes(Text(), SelStart(), SelLength());
}

void TComboBox::SetSelText(const String& value) {
    if (FStyle == csDropDownList)
        return;
    int start = SelStart();
    SetText(ReplaceSelection(Text(), start, SelLength(), value));
    SetSelStart(start + static_cast<int>(value.size()));
}

void TComboBox::SelectAll() {
    if (QLineEdit* edit = ComboPeer(*this).Edit())
        edit->selectAll();
}

void TComboBox::Clear() {
    FItems.Clear();
    SetItemIndex(-1);
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
        if (FStyle != csDropDownList && !ComboPeer(*this).Translating()) {
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

// ---- TListBox

class TListBoxPeer : public TStdPeer, public TItemListPeer {
public:
    explicit TListBoxPeer(TControl& control) : TStdPeer(control, new QListWidget) {
        List()->setSelectionMode(QAbstractItemView::SingleSelection);
        List()->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
        Watch(List()->viewport());
        QObject::connect(List(), &QListWidget::itemSelectionChanged, this,
                         Report([this] { Notify(LBN_SELCHANGE); }));
    }
    QListWidget* List() const { return static_cast<QListWidget*>(Widget()); }

    int ItemCount() const override { return List()->count(); }
    String ItemText(int index) const override {
        return VariantBytes(List()->item(index)->data(TextRole));
    }
    void SetItemText(int index, const String& text) override {
        QListWidgetItem* item = List()->item(index);
        item->setText(DisplayText(text));
        item->setData(TextRole, BytesVariant(text));
    }
    TObject* ItemObject(int index) const override {
        return VariantObject(List()->item(index)->data(ObjectRole));
    }
    void SetItemObject(int index, TObject* object) override {
        List()->item(index)->setData(ObjectRole, ObjectVariant(object));
    }
    void InsertItem(int index, const String& text) override {
        auto* item = new QListWidgetItem(DisplayText(text));
        item->setData(TextRole, BytesVariant(text));
        QSignalBlocker blocker(List());
        List()->insertItem(index, item);
    }
    void DeleteItem(int index) override {
        QSignalBlocker blocker(List());
        delete List()->takeItem(index);
    }
    void ClearItems() override {
        QSignalBlocker blocker(List());
        List()->clear();
    }
};

namespace {

TListBoxPeer& ListPeer(const TListBox& box) {
    return static_cast<TListBoxPeer&>(box.Peer());
}

} // namespace

TListBox::TListBox(TComponent* AOwner)
    : TWinControl(AOwner, MakePeer<TListBoxPeer>), FItems(*this) {
    SetControlStyle(WithoutClickEvents(ControlStyle()));
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
}

TListBox::~TListBox() {
    ListPeer(*this).Detach();
}

int TListBox::ItemIndex() const {
    QListWidget* list = ListPeer(*this).List();
    if (FMultiSelect)
        return list->currentRow();
    QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.first());
}

// With several selectable items only the focus moves, as the framework's list box does.
void TListBox::SetItemIndex(int value) {
    QListWidget* list = ListPeer(*this).List();
    if (value < -1 || value >= FItems.Count())
        value = -1;
    QSignalBlocker blocker(list);
    if (FMultiSelect) {
        list->setCurrentRow(value, QItemSelectionModel::NoUpdate);
        return;
    }
    if (value < 0) {
        list->clearSelection();
        list->setCurrentRow(-1);
        return;
    }
    list->setCurrentRow(value, QItemSelectionModel::ClearAndSelect);
    list->scrollToItem(list->item(value));
}

void TListBox::SetMultiSelect(bool value) {
    FMultiSelect = value;
    QSignalBlocker blocker(ListPeer(*this).List());
    ListPeer(*this).List()->setSelectionMode(value ? QAbstractItemView::ExtendedSelection
                                                   : QAbstractItemView::SingleSelection);
}

bool TListBox::Selected(int index) const {
    if (index < 0 || index >= FItems.Count())
        throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    return ListPeer(*this).List()->item(index)->isSelected();
}

void TListBox::SetSelected(int index, bool value) {
    if (index < 0 || index >= FItems.Count())
        throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    if (!FMultiSelect) {
        if (value)
            SetItemIndex(index);
        else if (ItemIndex() == index)
            SetItemIndex(-1);
        return;
    }
    QSignalBlocker blocker(ListPeer(*this).List());
    ListPeer(*this).List()->item(index)->setSelected(value);
}

int TListBox::SelCount() const {
    return FMultiSelect ? static_cast<int>(ListPeer(*this).List()->selectedItems().size()) : -1;
}

int TListBox::TopIndex() const {
    return ListPeer(*this).List()->verticalScrollBar()->value();
}

void TListBox::SetTopIndex(int value) {
    QListWidget* list = ListPeer(*this).List();
    if (QListWidgetItem* item = list->item(value))
        list->scrollToItem(item, QAbstractItemView::PositionAtTop);
}

int TListBox::ItemAtPos(const TPoint& pos, bool existing) const {
    QListWidget* list = ListPeer(*this).List();
    QModelIndex index = list->indexAt(list->viewport()->mapFrom(list, QPoint(pos.x, pos.y)));
    if (index.isValid())
        return index.row();
    return existing ? -1 : FItems.Count();
}

TRect TListBox::ItemRect(int index) const {
    QListWidget* list = ListPeer(*this).List();
    QListWidgetItem* item = list->item(index);
    if (!item)
        return TRect{};
    QRect r = list->visualItemRect(item);
    QPoint topLeft = list->viewport()->mapTo(list, r.topLeft());
    return Bounds(topLeft.x(), topLeft.y(), r.width(), r.height());
}

void TListBox::WndProc(TMessage& Message) {
    if (Message.Msg == CN_COMMAND && NotifyCode(Message) == LBN_SELCHANGE) {
        Click();
        return;
    }
    TWinControl::WndProc(Message);
}

// ---- TGroupBox

namespace {

class TGroupBoxPeer : public TControlPeer {
public:
    explicit TGroupBoxPeer(TControl& control) : TControlPeer(control, new QGroupBox) {}
    void SetText(const String& text) override {
        static_cast<QGroupBox*>(Widget())->setTitle(DisplayText(text));
    }
};

} // namespace

TGroupBox::TGroupBox(TComponent* AOwner) : TWinControl(AOwner, MakePeer<TGroupBoxPeer>) {
    SetControlStyle(ControlStyle() | TControlStyle{csAcceptsControls});
    SetColor(clBtnFace);
    SetBounds(0, 0, 185, 105);
}

void TGroupBox::AdjustClientRect(TRect& Rect) const {
    Rect.Top += QFontMetrics(ToQFont(Font())).height();
    Rect.Left += 2;
    Rect.Top += 2;
    Rect.Right -= 2;
    Rect.Bottom -= 2;
}

// ---- TMemo

namespace {

// The widget keeps LF line ends; the memo's text has CR LF.
String WithLF(const String& text) {
    String lf;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            lf += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            lf += text[i];
        }
    }
    return lf;
}

String WithCRLF(const String& lf) {
    String crlf;
    for (char c : lf) {
        if (c == '\n')
            crlf += '\r';
        crlf += c;
    }
    return crlf;
}

} // namespace

class TMemoPeer : public TStdPeer {
public:
    explicit TMemoPeer(TControl& control) : TStdPeer(control, new QPlainTextEdit) {
        Watch(Editor()->viewport());
        QObject::connect(Editor(), &QPlainTextEdit::textChanged, this, Report([this] {
                             TMemo& memo = static_cast<TMemo&>(Control());
                             String shown = WithLF(memo.Text());
                             memo.SetText(
                                 WithCRLF(TextFromDisplay(Editor()->toPlainText(), shown)));
                         }));
    }
    QPlainTextEdit* Editor() const { return static_cast<QPlainTextEdit*>(Widget()); }
    void SetText(const String& text) override {
        QString shown = DisplayText(WithLF(text));
        if (Editor()->toPlainText() == shown)
            return;
        QSignalBlocker blocker(Editor());
        Editor()->setPlainText(shown);
    }
};

namespace {

TMemoPeer& MemoPeer(const TMemo& memo) {
    return static_cast<TMemoPeer&>(memo.Peer());
}

Qt::ScrollBarPolicy BarPolicy(bool shown) {
    return shown ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
}

} // namespace

TMemo::TMemo(TComponent* AOwner) : TWinControl(AOwner, MakePeer<TMemoPeer>), FLines(*this) {
    SetBounds(0, 0, 185, 89);
    SetTabStop(true);
    SetScrollBars(ssNone);
    SetWantTabs(false);
}

TMemo::~TMemo() {
    MemoPeer(*this).Detach();
}

void TMemo::SetReadOnly(bool value) {
    FReadOnly = value;
    MemoPeer(*this).Editor()->setReadOnly(value);
}

void TMemo::SetWordWrap(bool value) {
    FWordWrap = value;
    MemoPeer(*this).Editor()->setLineWrapMode(value ? QPlainTextEdit::WidgetWidth
                                                    : QPlainTextEdit::NoWrap);
}

void TMemo::SetScrollBars(TScrollStyle value) {
    FScrollBars = value;
    QPlainTextEdit* editor = MemoPeer(*this).Editor();
    editor->setHorizontalScrollBarPolicy(BarPolicy(value == ssHorizontal || value == ssBoth));
    editor->setVerticalScrollBarPolicy(BarPolicy(value == ssVertical || value == ssBoth));
}

void TMemo::SetWantTabs(bool value) {
    FWantTabs = value;
    MemoPeer(*this).Editor()->setTabChangesFocus(!value);
}

void TMemo::DefaultHandler(TMessage& Message) {
    if (Message.Msg == WM_GETDLGCODE) {
        Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        if (FWantReturns)
            Message.Result |= DLGC_WANTALLKEYS;
        if (FWantTabs)
            Message.Result |= DLGC_WANTTAB;
        return;
    }
    TWinControl::DefaultHandler(Message);
}

void TMemo::WndProc(TMessage& Message) {
    TWinControl::WndProc(Message);
    if (Message.Msg == CM_TEXTCHANGED && !IsLoading())
        Change();
}

void TMemo::Change() {
    if (OnChange)
        OnChange(this);
}

int TMemo::TMemoStrings::LineStart(int line) const {
    if (line < 0)
        return -1;
    String text = FMemo.Text();
    size_t start = 0;
    for (int i = 0; i < line; ++i) {
        size_t end = text.find("\r\n", start);
        if (end == String::npos)
            return -1;
        start = end + 2;
    }
    return static_cast<int>(start);
}

int TMemo::TMemoStrings::LineLength(int start) const {
    String text = FMemo.Text();
    size_t end = text.find("\r\n", start);
    return static_cast<int>((end == String::npos ? text.size() : end) - start);
}

int TMemo::TMemoStrings::Count() const {
    String text = FMemo.Text();
    int lines = 1;
    for (size_t at = text.find("\r\n"); at != String::npos; at = text.find("\r\n", at + 2))
        ++lines;
    return LineLength(LineStart(lines - 1)) == 0 ? lines - 1 : lines;
}

String TMemo::TMemoStrings::Get(int index) const {
    if (index < 0 || index >= Count())
        throw EStringListError("List index out of bounds (" + IntToStr(index) + ")");
    int start = LineStart(index);
    return FMemo.Text().substr(start, LineLength(start));
}

void TMemo::TMemoStrings::Put(int index, const String& s) {
    if (index < 0 || index >= Count())
        throw EStringListError("List index out of bounds (" + IntToStr(index) + ")");
    String text = FMemo.Text();
    int start = LineStart(index);
    FMemo.SetText(text.replace(start, LineLength(start), s));
}

// A line put after the last one is not ended, unless the text already ended with a line end.
void TMemo::TMemoStrings::Insert(int index, const String& s) {
    int count = Count();
    if (index < 0 || index > count)
        throw EStringListError("List index out of bounds (" + IntToStr(index) + ")");
    String text = FMemo.Text();
    if (index < count)
        text.insert(LineStart(index), s + "\r\n");
    else if (text.empty())
        text = s;
    else if (LineStart(count) >= 0)
        text += s + "\r\n";
    else
        text += "\r\n" + s;
    FMemo.SetText(text);
}

void TMemo::TMemoStrings::Delete(int index) {
    if (index < 0 || index >= Count())
        throw EStringListError("List index out of bounds (" + IntToStr(index) + ")");
    String text = FMemo.Text();
    int start = LineStart(index);
    int next = LineStart(index + 1);
    FMemo.SetText(text.erase(start, next >= 0 ? next - start : String::npos));
}

void TMemo::TMemoStrings::Clear() {
    FMemo.SetText("");
}
