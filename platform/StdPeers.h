#pragma once
// The Qt side shared by the peers of the standard and common controls, for the platform's own
// .cpp files only: the base peers, the one-line edit and the item lists counted in bytes, and the
// peers that controls of other units build on.

#include "platform/Peer.h"
#include "platform/StdCtrls.h"
#include "platform/Win32Draw.h"

#include <functional>
#include <memory>
#include <utility>

class QAbstractItemView;
class QLineEdit;
class QListWidget;
class TComboWidget;
class TOwnerDrawDelegate;

template <typename P> std::unique_ptr<TControlPeer> MakePeer(TControl& control) {
    return std::make_unique<P>(control);
}

// The buttons and lists raise OnClick from their notifications, not from the mouse.
inline TControlStyle WithoutClickEvents(TControlStyle style) {
    return style - TControlStyle{csClickEvents};
}

inline WORD NotifyCode(const TMessage& message) {
    return HIWORD(message.WParam);
}

// The widget's horizontal alignment for a text aligned so.
Qt::Alignment QtAlignment(TAlignment alignment);

// What a key typed over the selection of a one-line text makes of it: backspace deletes, other
// control characters do nothing, a character that would pass maxLength (0: none) is refused.
struct TTyped {
    String Text;
    int Caret = 0;
};
bool TypeKey(const String& text, int selStart, int selLength, char key, int maxLength,
             TTyped& result);
String ReplaceSelection(const String& text, int selStart, int selLength, const String& value);
String SelectedBytes(const String& text, int start, int length);
// Widget positions count characters; the controls' positions count bytes.
int WidgetIndex(const String& text, int byteIndex);
int ByteIndex(const String& text, int widgetIndex);
// A multi-line widget keeps LF line ends where the control's text has CR LF (or a lone CR).
String WithLF(const String& text);
// Shows a text's lines in a multi-line widget without reporting it as the user's edit; false
// when the widget shows them already.
template <typename E> bool ShowLines(E& editor, const String& text) {
    QString shown = DisplayText(WithLF(text));
    if (editor.toPlainText() == shown)
        return false;
    QSignalBlocker blocker(&editor);
    editor.setPlainText(shown);
    return true;
}

// A window that draws itself (panels, status bars) and, unlike an edit, never takes the focus.
class TPaintedPeer : public TControlPeer {
public:
    explicit TPaintedPeer(TControl& control) : TControlPeer(control, new QWidget) {
        Widget()->setFocusPolicy(Qt::NoFocus);
    }
};

// The peer of a control whose widget reports the user's actions through signals. It tells
// whether a message comes from the widget's own input, and stops reporting once its control is
// being freed.
class TStdPeer : public TControlPeer {
public:
    using TControlPeer::TControlPeer;
    bool Translating() const { return FTranslating > 0; }
    // Sends the control CN_COMMAND with a notification code; false when the control was freed
    // by what the notification ran.
    bool Notify(WORD code);

protected:
    bool TranslateEvent(QWidget* watched, QEvent* event) override;
    // A slot that runs action while the control lives.
    template <typename F> auto Report(F action) {
        return [this, action](auto&&... args) {
            if (!Detached())
                action(std::forward<decltype(args)>(args)...);
        };
    }

private:
    int FTranslating = 0;
};

// The one-line edit of an edit or a combo box, with its selection counted in bytes of the
// control's text. A combo box's edit comes and goes with its style; without one, nothing is
// selected and nothing changes.
class TLineEditing {
public:
    virtual ~TLineEditing() = default;
    void ShowText(const String& text);
    int SelStart(const String& text) const;
    int SelLength(const String& text) const;
    void Select(const String& text, int start, int length);
    void SelectAll();
    // The most characters typing may bring the text to; 0: no limit.
    void SetMaxLength(int maxLength);

protected:
    virtual QLineEdit* LineEdit() const = 0;
};

// What an edit asks of its widget, with positions counted in bytes of the edit's text: the
// one-line edit's widget, or the grid editor's, which holds the lines of a cell.
class TEditPeer : public TStdPeer {
public:
    using TStdPeer::TStdPeer;
    virtual void SetReadOnly(bool readOnly) = 0;
    virtual void SetTextAlignment(TAlignment alignment) = 0;
    virtual int SelStart(const String& text) const = 0;
    virtual int SelLength(const String& text) const = 0;
    virtual void Select(const String& text, int start, int length) = 0;
    virtual void SelectAll() = 0;
    // The most characters typing may bring the text to; 0: no limit.
    virtual void SetMaxLength(int maxLength) = 0;
    // Typed text stays clear of so many pixels at the right edge.
    virtual void SetRightTextMargin(int /*pixels*/) {}
};

// Where an item of a combo box or list box keeps its object, beside the text it shows.
constexpr int ItemObjectRole = Qt::UserRole + 1;

// Paints one item of a list the control draws itself: index, in rect of the list's client area.
using TDrawItemProc = std::function<void(int index, const TRect& rect)>;

// The items of a combo box or list box, kept in its widget: the text shown, with the object of
// each item beside it. Their bytes are kept by the control's item list (TControlStrings), through
// which every change passes.
// The item view of a list whose items its control draws carries this property, set to true.
inline constexpr const char* OwnerDrawnProperty = "qmOwnerDrawn";

class TItemListPeer {
public:
    virtual ~TItemListPeer() = default;
    void SetItemText(int index, const String& text);
    TObject* ItemObject(int index) const;
    void SetItemObject(int index, TObject* object);
    virtual void InsertItem(int index, const String& text) = 0;
    virtual void DeleteItem(int index) = 0;
    virtual void ClearItems() = 0;
    // The control draws the items: draw paints on canvas, which has the control's font and the
    // colours of the item's selection state; every item is itemHeight pixels high.
    virtual void SetOwnerDraw(TControl& control, TCanvas& canvas, TDrawItemProc draw,
                              int itemHeight);
    void SetItemHeight(int itemHeight);

protected:
    virtual QAbstractItemView* ItemView() const = 0;
    // Runs a change of the items with the widget's signals held back and its state kept.
    virtual void ChangeItems(const std::function<void()>& change) = 0;

private:
    TOwnerDrawDelegate* FOwnerDraw = nullptr;
};

class TGroupBoxPeer : public TControlPeer {
public:
    explicit TGroupBoxPeer(TControl& control);
    void SetText(const String& text) override;
    // The height of the caption's line, in the control's font.
    int CaptionHeight() const;
};

class TListBoxPeer : public TStdPeer, public TItemListPeer {
public:
    explicit TListBoxPeer(TControl& control);

    // The row with the focus rectangle, and the first selected row; -1 for none.
    int FocusedRow() const;
    int SelectedRow() const;
    // Moves the focus rectangle alone, leaving the selection as it is.
    void FocusRow(int row);
    // Selects row alone and scrolls it into view; -1 selects none.
    void SelectRow(int row);
    void SetMultiSelect(bool multiSelect);
    bool RowSelected(int row) const;
    void SetRowSelected(int row, bool selected);
    int SelectedCount() const;
    // The first row shown.
    int TopRow() const;
    void SetTopRow(int row);
    // The row under a point of the client area, -1 for none; a row's rectangle in the client
    // area, empty for a row that does not exist.
    int RowAt(const TPoint& point) const;
    TRect RowRect(int row) const;

    void InsertItem(int index, const String& text) override;
    void DeleteItem(int index) override;
    void ClearItems() override;
    void SetOwnerDraw(TControl& control, TCanvas& canvas, TDrawItemProc draw,
                      int itemHeight) override;

protected:
    QAbstractItemView* ItemView() const override;
    void ChangeItems(const std::function<void()>& change) override;

private:
    QListWidget* List() const;
};

class TComboBoxPeer : public TStdPeer, public TItemListPeer, public TLineEditing {
public:
    explicit TComboBoxPeer(TControl& control);

    // With an edit to type in (csDropDown) or without (csDropDownList).
    void SetEditable(bool editable);
    void SetText(const String& text) override;
    int CurrentIndex() const;
    // Chooses an item, or none (-1); with keepText the edit's text stays as it is.
    void SetCurrent(int index, bool keepText);
    // The most items the list shows before it scrolls.
    void SetDropDownCount(int count);
    bool DroppedDown() const;
    void SetDroppedDown(bool value);

    void InsertItem(int index, const String& text) override;
    void DeleteItem(int index) override;
    void ClearItems() override;

protected:
    QAbstractItemView* ItemView() const override;
    // Changes of the list leave the edit's text alone, as the framework's do.
    void ChangeItems(const std::function<void()>& change) override;
    QLineEdit* LineEdit() const override;

private:
    TComboWidget* Combo() const;
    TComboBox& Box() const;
};
