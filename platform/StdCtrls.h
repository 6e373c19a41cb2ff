#pragma once
// The standard controls: labels, edits, buttons, check boxes, radio buttons, combo boxes, list
// boxes, group boxes and memos.
//
// Which changes raise which events, as the framework's controls raise them:
//   TEdit, TMemo     OnChange whenever the text really changes, typed or set in code.
//   TCheckBox        OnClick whenever its state changes, clicked or set in code.
//   TRadioButton     OnClick when it becomes checked, clicked or set in code; checking one
//                    unchecks the other radio buttons of its parent.
//   TComboBox        OnChange on typing and on choosing from the list; OnClick only on
//                    choosing. ItemIndex and Text set in code raise neither.
//   TListBox         OnClick when the user moves the selection; ItemIndex set in code raises
//                    none.
//   TButton          the parent form's ModalResult is set from the button's before OnClick runs.
// Properties set while a form is being built (the loading state) raise no events.
//
// User actions reach a control as the messages the system sends it, so a test plays the user
// with the same messages: a character typed is WM_CHAR; a button, check box or radio button
// clicked is CN_COMMAND with BN_CLICKED; a choice from a combo box's or list box's list is
// CN_COMMAND with CBN_SELCHANGE or LBN_SELCHANGE once the selection has moved (set ItemIndex,
// then send it); text typed into a combo box is CN_COMMAND with CBN_EDITCHANGE once the text has
// changed. Return and Escape in a form click its default and cancel buttons (Return clicks the
// focused button instead when a button has the focus): the form broadcasts CM_DIALOGKEY to its
// controls, and the button the key is meant for answers it.

#include "platform/Classes.h"
#include "platform/Controls.h"
#include "platform/Forms.h"
#include "platform/PeerOf.h"

#include <vector>

class TButtonPeer;
class TCheckBoxPeer;
class TComboBoxPeer;
class TEditPeer;
class TGroupBoxPeer;
class TItemListPeer;
class TLabelPeer;
class TListBoxPeer;
class TMemoPeer;
class TRadioButtonPeer;

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
enum TComboBoxStyle { csDropDown, csSimple, csDropDownList };

// Notification codes, in the high word of CN_COMMAND's WParam.
enum : WORD {
    BN_CLICKED = 0,
    CBN_SELCHANGE = 1,
    CBN_EDITCHANGE = 5,
    CBN_DROPDOWN = 7,
    CBN_CLOSEUP = 8,
    LBN_SELCHANGE = 1,
    LBN_DBLCLK = 2,
};

constexpr WPARAM MAKEWPARAM(int low, int high) {
    return static_cast<WPARAM>(static_cast<uint32_t>((low & 0xFFFF) | ((high & 0xFFFF) << 16)));
}

// A label: text on its parent, which never takes the focus. Its accelerator ("&Name") focuses
// FocusControl.
class TLabel : public TGraphicControl, protected TPeerOf<TLabelPeer> {
public:
    explicit TLabel(TComponent* AOwner);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    TTextLayout Layout() const { return FLayout; }
    // On: the label takes the size of its text (keeping its width when it wraps), and keeps the
    // edge its alignment holds to.
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetFocusControl(TWinControl* value);

protected:
    TCanvas* PaintCanvas() override { return nullptr; }
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Loaded() override;
    void WndProc(TMessage& Message) override;

private:
    void ShowFormat();
    void AdjustBounds();

    TAlignment FAlignment = taLeftJustify;
    TTextLayout FLayout = tlTop;
    bool FAutoSize = true;
    bool FWordWrap = false;
    bool FTransparent = false;
    bool FShowAccelChar = true;
    TWinControl* FFocusControl = nullptr;
};

// A one-line edit. Positions (SelStart, SelLength) are byte indexes into the text.
class TEdit : public TWinControl, protected TPeerOf<TEditPeer> {
public:
    explicit TEdit(TComponent* AOwner);

    // The most bytes typing may bring the text to (0: no limit); text set in code stays whole.
    void SetMaxLength(int value);
    void SetReadOnly(bool value);

    int SelStart() const;
    void SetSelStart(int value); // also empties the selection
    int SelLength() const;
    void SetSelLength(int value);
    String SelText() const;
    // Replaces the selection as typing would, whatever MaxLength; the caret ends after it.
    void SetSelText(const String& value);
    void SelectAll();

    // Handles WM_GETDLGCODE; WM_CHAR types a character (backspace deletes) when it does not
    // come from the widget.
    void DefaultHandler(TMessage& Message) override;

    TNotifyEvent OnChange;

protected:
    // An edit whose widget is another than the one-line edit's.
    TEdit(TComponent* AOwner, const TPeerFactory& makePeer);
    // The text's place in the edit, fixed when its window is made (the edit styles ES_LEFT,
    // ES_RIGHT, ES_CENTER); an edit of the framework keeps it on the left.
    void SetTextAlignment(TAlignment value);
    // Keeps typed text clear of the right edge by so many pixels (a button standing there).
    void SetRightTextMargin(int pixels);
    void WndProc(TMessage& Message) override;
    virtual void Change();

private:
    void TypeChar(char key);

    int FMaxLength = 0;
    bool FReadOnly = false;
};

// A push button. Default: Return in its form clicks it; Cancel: Escape does.
class TButton : public TWinControl, protected TPeerOf<TButtonPeer> {
public:
    explicit TButton(TComponent* AOwner);

    bool Default() const { return FDefault; }
    void SetDefault(bool value);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool value) { FCancel = value; }
    void SetModalResult(TModalResult value) { FModalResult = value; }

    // Gives the parent form the button's ModalResult, then raises OnClick.
    void Click() override;

protected:
    void WndProc(TMessage& Message) override;

private:
    bool FDefault = false;
    bool FCancel = false;
    TModalResult FModalResult = mrNone;
};

class TCheckBox : public TWinControl, protected TPeerOf<TCheckBoxPeer> {
public:
    explicit TCheckBox(TComponent* AOwner);

    bool Checked() const { return FState == cbChecked; }
    void SetChecked(bool value) { SetState(value ? cbChecked : cbUnchecked); }
    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState value);
    // Where the text stands: taRightJustify (the default) puts it right of the box.
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);

protected:
    void WndProc(TMessage& Message) override;

private:
    void Toggle();

    TCheckBoxState FState = cbUnchecked;
    TAlignment FAlignment = taRightJustify;
};

class TRadioButton : public TWinControl, protected TPeerOf<TRadioButtonPeer> {
public:
    explicit TRadioButton(TComponent* AOwner);

    bool Checked() const { return FChecked; }
    void SetChecked(bool value);

protected:
    void WndProc(TMessage& Message) override;

private:
    void UncheckSiblings();

    bool FChecked = false;
};

// The items of a combo box or list box, kept in its widget. IndexOf ignores case. With Sorted
// on, Add puts a text in its place in the order of CompareText; Insert puts it where asked.
// Every change of the items passes here, so the texts are kept here too, in the order the widget
// holds them: reading and searching them asks nothing of the widget, which would hand each text
// over as a new copy.
class TControlStrings : public TStrings {
public:
    explicit TControlStrings(TItemListPeer& items) : FItems(items) {}
    int Count() const override;
    String Get(int index) const override;
    void Put(int index, const String& s) override;
    TObject* GetObject(int index) const override;
    void PutObject(int index, TObject* object) override;
    int Add(const String& s) override;
    void Insert(int index, const String& s) override;
    void Delete(int index) override;
    void Clear() override;
    int IndexOf(const String& s) const override;
    // The item that reads exactly as s, case included; -1 when none.
    int IndexOfExactly(const String& s) const;

    bool Sorted() const { return FSorted; }
    void SetSorted(bool value);

private:
    void CheckIndex(int index, int upper) const;
    int SortedPosition(const String& s) const;

    TItemListPeer& FItems;
    std::vector<String> FTexts;
    bool FSorted = false;
};

class TComboBox : public TWinControl, protected TPeerOf<TComboBoxPeer> {
public:
    explicit TComboBox(TComponent* AOwner);

    TStrings& Items() { return FItems; }
    const TStrings& Items() const { return FItems; }
    // -1: nothing chosen. Setting it shows the item's text.
    int ItemIndex() const;
    void SetItemIndex(int value);
    // csDropDown: the edit's text; ItemIndex follows it to the item that reads exactly so, or
    // -1. csDropDownList: the chosen item's text; setting chooses the item that reads so.
    String Text() const override;
    void SetText(const String& value) override;
    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle value);
    void SetSorted(bool value) { FItems.SetSorted(value); }
    void SetDropDownCount(int value);
    bool DroppedDown() const;
    // Opens or closes the list, as the user's arrow button does.
    void SetDroppedDown(bool value);
    void SetMaxLength(int value);

    int SelStart() const;
    void SetSelStart(int value);
    int SelLength() const;
    // From SelStart on.
    void SetSelLength(int value);
    String SelText() const;

    // WM_CHAR types into the edit of a csDropDown box when it does not come from the widget.
    void DefaultHandler(TMessage& Message) override;

    TNotifyEvent OnChange;
    TNotifyEvent OnDropDown;

protected:
    void WndProc(TMessage& Message) override;
    virtual void Change();
    // For a box that draws its items itself: draw paints the item at index in rect on canvas,
    // which then has the box's font and the colours of the item's state; every item of the list
    // is itemHeight pixels high.
    void DrawItemsWith(TCanvas& canvas, std::function<void(int index, const TRect& rect)> draw,
                       int itemHeight);
    // The height of every item of a box that draws its items itself.
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int value);

private:
    friend class TComboBoxPeer;
    // Text the user typed into the edit.
    void TextTyped(const String& value);
    void MatchItemToText();
    void ShowItemText();
    void TypeChar(char key);

    TControlStrings FItems;
    TComboBoxStyle FStyle = csDropDown;
    int FMaxLength = 0;
    int FItemHeight = 0;
};

class TListBox : public TWinControl, protected TPeerOf<TListBoxPeer> {
public:
    explicit TListBox(TComponent* AOwner);

    TStrings& Items() { return FItems; }
    const TStrings& Items() const { return FItems; }
    // The item with the focus rectangle: the selected one, unless several may be selected.
    int ItemIndex() const;
    void SetItemIndex(int value);
    void SetMultiSelect(bool value);
    bool Selected(int index) const;
    void SetSelected(int index, bool value);
    int SelCount() const; // -1 unless MultiSelect, as the framework gives it
    // The first item shown.
    int TopIndex() const;
    void SetTopIndex(int value);
    void SetSorted(bool value) { FItems.SetSorted(value); }
    // The item under a point of the client area; -1 when none and existing is set, else the
    // index after the last item.
    int ItemAtPos(const TPoint& pos, bool existing) const;
    TRect ItemRect(int index) const;
    void Clear() { FItems.Clear(); }

protected:
    void WndProc(TMessage& Message) override;

private:
    TControlStrings FItems;
    bool FMultiSelect = false;
};

class TGroupBox : public TWinControl, protected TPeerOf<TGroupBoxPeer> {
public:
    explicit TGroupBox(TComponent* AOwner);

protected:
    // The caption's line is kept free of aligned children.
    void AdjustClientRect(TRect& Rect) const override;
};

// A multi-line edit. Its text has CR LF line ends.
class TMemo : public TWinControl, protected TPeerOf<TMemoPeer> {
public:
    explicit TMemo(TComponent* AOwner);

    // The memo's lines. Count leaves out the empty line after a final line end; Add puts a line
    // after the last one without ending it; Text joins the lines, each ended with CR LF.
    class TMemoStrings : public TStrings {
    public:
        explicit TMemoStrings(TMemo& memo) : FMemo(memo) {}
        int Count() const override;
        String Get(int index) const override;
        void Put(int index, const String& s) override;
        void Insert(int index, const String& s) override;
        void Delete(int index) override;
        void Clear() override;
        // The memo's text becomes text exactly.
        void SetText(const String& text) override { FMemo.SetText(text); }

    private:
        // Byte offset of a line's start, -1 past the last line (the empty last line included).
        int LineStart(int line) const;
        int LineLength(int start) const;
        TMemo& FMemo;
    };

    TStrings& Lines() { return FLines; }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle value);
    void SetWantReturns(bool value) { FWantReturns = value; }
    void SetWantTabs(bool value);
    void Clear() { SetText(""); }

    // Handles WM_GETDLGCODE.
    void DefaultHandler(TMessage& Message) override;

    TNotifyEvent OnChange;

protected:
    void WndProc(TMessage& Message) override;
    virtual void Change();

private:
    TMemoStrings FLines;
    bool FReadOnly = false;
    bool FWordWrap = true;
    TScrollStyle FScrollBars = ssNone;
    bool FWantReturns = true;
    bool FWantTabs = false;
};
