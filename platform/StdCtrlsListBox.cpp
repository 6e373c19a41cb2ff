#include "platform/StdCtrls.h"
#include "platform/StdPeers.h"

#include <QListWidget>
#include <QScrollBar>

TListBoxPeer::TListBoxPeer(TControl& control) : TStdPeer(control, new QListWidget) {
    List()->setSelectionMode(QAbstractItemView::SingleSelection);
    List()->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    Watch(List()->viewport());
    QObject::connect(List(), &QListWidget::itemSelectionChanged, this,
                     Report([this] { Notify(LBN_SELCHANGE); }));
    QObject::connect(List(), &QListWidget::itemDoubleClicked, this,
                     Report([this](QListWidgetItem*) { Notify(LBN_DBLCLK); }));
}

QListWidget* TListBoxPeer::List() const {
    return static_cast<QListWidget*>(Widget());
}

QAbstractItemView* TListBoxPeer::ItemView() const {
    return List();
}

int TListBoxPeer::FocusedRow() const {
    return List()->currentRow();
}

int TListBoxPeer::SelectedRow() const {
    QList<QListWidgetItem*> selected = List()->selectedItems();
    return selected.isEmpty() ? -1 : List()->row(selected.first());
}

void TListBoxPeer::FocusRow(int row) {
    QSignalBlocker blocker(List());
    List()->setCurrentRow(row, QItemSelectionModel::NoUpdate);
}

void TListBoxPeer::SelectRow(int row) {
    QSignalBlocker blocker(List());
    if (row < 0) {
        List()->clearSelection();
        List()->setCurrentRow(-1);
        return;
    }
    List()->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    List()->scrollToItem(List()->item(row));
}

void TListBoxPeer::SetMultiSelect(bool multiSelect) {
    QSignalBlocker blocker(List());
    List()->setSelectionMode(multiSelect ? QAbstractItemView::ExtendedSelection
                                         : QAbstractItemView::SingleSelection);
}

bool TListBoxPeer::RowSelected(int row) const {
    return List()->item(row)->isSelected();
}

void TListBoxPeer::SetRowSelected(int row, bool selected) {
    QSignalBlocker blocker(List());
    List()->item(row)->setSelected(selected);
}

int TListBoxPeer::SelectedCount() const {
    return static_cast<int>(List()->selectedItems().size());
}

int TListBoxPeer::TopRow() const {
    return List()->verticalScrollBar()->value();
}

void TListBoxPeer::SetTopRow(int row) {
    if (QListWidgetItem* item = List()->item(row))
        List()->scrollToItem(item, QAbstractItemView::PositionAtTop);
}

int TListBoxPeer::RowAt(const TPoint& point) const {
    QModelIndex index =
        List()->indexAt(List()->viewport()->mapFrom(List(), QPoint(point.x, point.y)));
    return index.isValid() ? index.row() : -1;
}

TRect TListBoxPeer::RowRect(int row) const {
    QListWidgetItem* item = List()->item(row);
    if (!item)
        return TRect{};
    QRect r = List()->visualItemRect(item);
    QPoint topLeft = List()->viewport()->mapTo(List(), r.topLeft());
    return Bounds(topLeft.x(), topLeft.y(), r.width(), r.height());
}

void TListBoxPeer::InsertItem(int index, const String& text) {
    auto* item = new QListWidgetItem(DisplayText(text));
    ChangeItems([&] { List()->insertItem(index, item); });
}

void TListBoxPeer::DeleteItem(int index) {
    ChangeItems([&] { delete List()->takeItem(index); });
}

void TListBoxPeer::ClearItems() {
    ChangeItems([&] { List()->clear(); });
}

void TListBoxPeer::ChangeItems(const std::function<void()>& change) {
    QSignalBlocker blocker(List());
    change();
}

// Items of one height are laid out without asking each.
void TListBoxPeer::SetOwnerDraw(TControl& control, TCanvas& canvas, TDrawItemProc draw,
                                int itemHeight) {
    List()->setUniformItemSizes(true);
    TItemListPeer::SetOwnerDraw(control, canvas, std::move(draw), itemHeight);
}

// ---- TListBox

TListBox::TListBox(TComponent* AOwner)
    : TWinControl(AOwner, MakePeer<TListBoxPeer>), TPeerOf(Peer()), FItems(TypedPeer()) {
    SetControlStyle(WithoutClickEvents(ControlStyle()));
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
}

int TListBox::ItemIndex() const {
    return FMultiSelect ? TypedPeer().FocusedRow() : TypedPeer().SelectedRow();
}

// With several selectable items only the focus moves, as the framework's list box does.
void TListBox::SetItemIndex(int value) {
    if (value < -1 || value >= FItems.Count())
        value = -1;
    if (FMultiSelect)
        TypedPeer().FocusRow(value);
    else
        TypedPeer().SelectRow(value);
}

void TListBox::SetMultiSelect(bool value) {
    FMultiSelect = value;
    TypedPeer().SetMultiSelect(value);
}

bool TListBox::Selected(int index) const {
    if (index < 0 || index >= FItems.Count())
        throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    return TypedPeer().RowSelected(index);
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
    TypedPeer().SetRowSelected(index, value);
}

int TListBox::SelCount() const {
    return FMultiSelect ? TypedPeer().SelectedCount() : -1;
}

int TListBox::TopIndex() const {
    return TypedPeer().TopRow();
}

void TListBox::SetTopIndex(int value) {
    TypedPeer().SetTopRow(value);
}

int TListBox::ItemAtPos(const TPoint& pos, bool existing) const {
    int row = TypedPeer().RowAt(pos);
    if (row >= 0)
        return row;
    return existing ? -1 : FItems.Count();
}

TRect TListBox::ItemRect(int index) const {
    return TypedPeer().RowRect(index);
}

void TListBox::WndProc(TMessage& Message) {
    // A list box clicks and double-clicks through its notifications, not its mouse messages: a
    // double click counts only on an item.
    if (Message.Msg == CN_COMMAND && NotifyCode(Message) == LBN_SELCHANGE) {
        Click();
        return;
    }
    if (Message.Msg == CN_COMMAND && NotifyCode(Message) == LBN_DBLCLK) {
        DblClick();
        return;
    }
    TWinControl::WndProc(Message);
}
