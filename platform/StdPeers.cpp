#include "platform/StdPeers.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QStyledItemDelegate>

#include <algorithm>

// ---- The base peers

bool TStdPeer::TranslateEvent(QWidget* watched, QEvent* event) {
    ++FTranslating;
    bool eaten = TControlPeer::TranslateEvent(watched, event);
    --FTranslating;
    return eaten;
}

bool TStdPeer::Notify(WORD code) {
    QPointer<TStdPeer> alive(this);
    TMessage message{CN_COMMAND, MAKEWPARAM(0, code), 0, 0};
    Deliver(message);
    return alive && !Detached();
}

// ---- Drawing

Qt::Alignment QtAlignment(TAlignment alignment) {
    return alignment == taRightJustify ? Qt::AlignRight
           : alignment == taCenter     ? Qt::AlignHCenter
                                       : Qt::AlignLeft;
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

void Frame3D(TCanvas& canvas, TRect& rect, TColor topLeft, TColor bottomRight, int width) {
    canvas.Pen().SetWidth(1);
    for (int i = 0; i < width && rect.Width() > 0 && rect.Height() > 0; ++i) {
        canvas.Pen().SetColor(topLeft);
        canvas.MoveTo(rect.Left, rect.Bottom - 1);
        canvas.LineTo(rect.Left, rect.Top);
        canvas.LineTo(rect.Right - 1, rect.Top);
        canvas.Pen().SetColor(bottomRight);
        canvas.MoveTo(rect.Right - 1, rect.Top);
        canvas.LineTo(rect.Right - 1, rect.Bottom - 1);
        canvas.LineTo(rect.Left, rect.Bottom - 1);
        rect = Rect(rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1);
    }
}

// ---- One-line text in bytes

namespace {

// A text shows as UTF-8 when it is valid UTF-8 and holds a byte of 0x80 or more.
bool ShowsUtf8(const String& text) {
    return IsValidUtf8(text) &&
           std::any_of(text.begin(), text.end(), [](char c) { return (c & 0x80) != 0; });
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

} // namespace

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

String ReplaceSelection(const String& text, int selStart, int selLength, const String& value) {
    return text.substr(0, selStart) + value + text.substr(selStart + selLength);
}

String SelectedBytes(const String& text, int start, int length) {
    return text.substr(std::min(static_cast<size_t>(start), text.size()), length);
}

// ---- TLineEditing

void TLineEditing::ShowText(const String& text) {
    QLineEdit* edit = LineEdit();
    if (!edit)
        return;
    QString shown = DisplayText(text);
    if (edit->text() == shown)
        return;
    QSignalBlocker blocker(edit);
    edit->setText(shown);
}

int TLineEditing::SelStart(const String& text) const {
    QLineEdit* edit = LineEdit();
    if (!edit)
        return 0;
    return ByteIndex(text,
                     edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition());
}

int TLineEditing::SelLength(const String& text) const {
    QLineEdit* edit = LineEdit();
    if (!edit || !edit->hasSelectedText())
        return 0;
    return ByteIndex(text, edit->selectionEnd()) - ByteIndex(text, edit->selectionStart());
}

void TLineEditing::Select(const String& text, int start, int length) {
    QLineEdit* edit = LineEdit();
    if (!edit)
        return;
    start = std::clamp(start, 0, static_cast<int>(text.size()));
    int from = WidgetIndex(text, start);
    int to = WidgetIndex(text, start + std::max(length, 0));
    if (to == from)
        edit->setCursorPosition(from);
    else
        edit->setSelection(from, to - from);
}

void TLineEditing::SelectAll() {
    if (QLineEdit* edit = LineEdit())
        edit->selectAll();
}

void TLineEditing::SetMaxLength(int maxLength) {
    if (QLineEdit* edit = LineEdit())
        edit->setMaxLength(maxLength > 0 ? maxLength : 32767);
}

// ---- Item lists

namespace {

QVariant ObjectVariant(TObject* object) {
    return QVariant::fromValue(reinterpret_cast<quintptr>(object));
}

TObject* VariantObject(const QVariant& value) {
    return reinterpret_cast<TObject*>(value.value<quintptr>());
}

} // namespace

// Paints each item through its control, at the height the control gives its items.
class TOwnerDrawDelegate : public QStyledItemDelegate {
public:
    TOwnerDrawDelegate(TControl& control, TCanvas& canvas, TDrawItemProc draw, int itemHeight,
                       QObject* parent)
        : QStyledItemDelegate(parent), FControl(control), FCanvas(canvas), FDraw(std::move(draw)),
          FItemHeight(itemHeight) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        bool selected = option.state.testFlag(QStyle::State_Selected);
        FCanvas.Font().Assign(FControl.Font());
        FCanvas.Font().SetColor(selected ? clHighlightText : FControl.Font().Color());
        FCanvas.Brush().SetStyle(bsSolid);
        FCanvas.Brush().SetColor(selected ? clHighlight : FControl.Color());
        FCanvas.Pen().SetColor(FCanvas.Font().Color());
        TCanvasPainting binding(FCanvas, *painter);
        const QRect& r = option.rect;
        FDraw(index.row(), Bounds(r.x(), r.y(), r.width(), r.height()));
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        return QSize(option.rect.width(), FItemHeight);
    }

    void SetItemHeight(int itemHeight) {
        FItemHeight = itemHeight;
        Q_EMIT sizeHintChanged(QModelIndex());
    }

private:
    TControl& FControl;
    TCanvas& FCanvas;
    TDrawItemProc FDraw;
    int FItemHeight;
};

void TItemListPeer::SetItemText(int index, const String& text) {
    ChangeItems([&] {
        QAbstractItemModel* model = ItemView()->model();
        QModelIndex item = model->index(index, 0);
        model->setData(item, DisplayText(text), Qt::DisplayRole);
    });
}

TObject* TItemListPeer::ItemObject(int index) const {
    return VariantObject(ItemView()->model()->index(index, 0).data(ItemObjectRole));
}

void TItemListPeer::SetItemObject(int index, TObject* object) {
    ChangeItems([&] {
        QAbstractItemModel* model = ItemView()->model();
        model->setData(model->index(index, 0), ObjectVariant(object), ItemObjectRole);
    });
}

void TItemListPeer::SetOwnerDraw(TControl& control, TCanvas& canvas, TDrawItemProc draw,
                                 int itemHeight) {
    QAbstractItemView* view = ItemView();
    FOwnerDraw = new TOwnerDrawDelegate(control, canvas, std::move(draw), itemHeight, view);
    view->setItemDelegate(FOwnerDraw);
    view->setProperty(OwnerDrawnProperty, true);
}

void TItemListPeer::SetItemHeight(int itemHeight) {
    if (FOwnerDraw)
        FOwnerDraw->SetItemHeight(itemHeight);
}
