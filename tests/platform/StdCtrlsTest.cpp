#include "platform/StdCtrls.h"
#include "platform/ComCtrls.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/TestHooks.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

LRESULT Notify(TControl& control, WORD code) {
    return control.Perform(CN_COMMAND, MAKEWPARAM(0, code), 0);
}

// A shown form holding one of each control that raises change and click events, each event
// writing its name to the log.
struct EventBench {
    EventBench() {
        Form = new TForm(nullptr);
        Form->SetBounds(0, 0, 640, 480);
        Form->Show();
        Edit = Place(new TEdit(Form), 0);
        Memo = Place(new TMemo(Form), 30);
        Check = Place(new TCheckBox(Form), 130);
        RadioA = Place(new TRadioButton(Form), 150);
        RadioB = Place(new TRadioButton(Form), 170);
        RadioB->SetChecked(true);
        Combo = Place(new TComboBox(Form), 190);
        List = Place(new TListBox(Form), 220);
        for (const char* item : {"one", "two", "three"}) {
            Combo->Items().Add(item);
            List->Items().Add(item);
        }
        Group = new TRadioGroup(Form);
        Group->SetParent(Form);
        Group->SetBounds(300, 0, 200, 100);
        Group->Items().Add("first");
        Group->Items().Add("second");
        Group->SetItemIndex(0);
        Pages = new TPageControl(Form);
        Pages->SetParent(Form);
        Pages->SetBounds(300, 120, 300, 200);
        for (const char* caption : {"Alpha", "Beta"}) {
            auto* sheet = new TTabSheet(Form);
            sheet->SetCaption(caption);
            sheet->SetPageControl(Pages);
        }
        Edit->OnChange = Record("Edit.OnChange");
        Memo->OnChange = Record("Memo.OnChange");
        Check->OnClick = Record("Check.OnClick");
        RadioA->OnClick = Record("RadioA.OnClick");
        RadioB->OnClick = Record("RadioB.OnClick");
        Combo->OnChange = Record("Combo.OnChange");
        Combo->OnClick = Record("Combo.OnClick");
        List->OnClick = Record("List.OnClick");
        Group->OnClick = Record("Group.OnClick");
        Pages->OnChange = Record("Pages.OnChange");
        Pages->OnChanging = [this](TObject*, bool&) { Log.push_back("Pages.OnChanging"); };
    }
    ~EventBench() { Form->Free(); }

    template <typename T> T* Place(T* control, int top) {
        control->SetParent(Form);
        control->SetTop(top);
        return control;
    }
    TNotifyEvent Record(const char* name) {
        return [this, name](TObject*) { Log.push_back(name); };
    }

    std::vector<String> Log;
    TForm* Form;
    TEdit* Edit;
    TMemo* Memo;
    TCheckBox* Check;
    TRadioButton* RadioA;
    TRadioButton* RadioB;
    TComboBox* Combo;
    TListBox* List;
    TRadioGroup* Group;
    TPageControl* Pages;
};

TPoint Centre(const TRect& r) {
    return Point(r.Left + r.Width() / 2, r.Top + r.Height() / 2);
}

} // namespace

TEST(EventSemanticsTest, WhatRaisesWhichEvent) {
    using Strings = std::vector<String>;
    struct Case {
        const char* What;
        std::function<void(EventBench&)> Act;
        Strings Expected;
    };
    const Case cases[] = {
        {"edit text set to a new value",
         [](EventBench& b) { b.Edit->SetText("new"); },
         {"Edit.OnChange"}},
        {"edit text set to what it is", [](EventBench& b) { b.Edit->SetText(""); }, {}},
        {"edit typed into",
         [](EventBench& b) { TestHooks::TypeText(*b.Edit, "xy"); },
         {"Edit.OnChange", "Edit.OnChange"}},
        {"edit sent a character",
         [](EventBench& b) { b.Edit->Perform(WM_CHAR, 'x', 0); },
         {"Edit.OnChange"}},
        {"memo line added", [](EventBench& b) { b.Memo->Lines().Add("line"); }, {"Memo.OnChange"}},
        {"memo typed into",
         [](EventBench& b) { TestHooks::TypeText(*b.Memo, "m"); },
         {"Memo.OnChange"}},
        {"check box checked in code",
         [](EventBench& b) { b.Check->SetChecked(true); },
         {"Check.OnClick"}},
        {"check box set to its own state", [](EventBench& b) { b.Check->SetChecked(false); }, {}},
        {"check box clicked",
         [](EventBench& b) { TestHooks::ClickMouse(*b.Check, 6, 8); },
         {"Check.OnClick"}},
        {"radio button checked in code",
         [](EventBench& b) { b.RadioA->SetChecked(true); },
         {"RadioA.OnClick"}},
        {"radio button unchecked in code", [](EventBench& b) { b.RadioB->SetChecked(false); }, {}},
        {"checked radio button clicked", [](EventBench& b) { Notify(*b.RadioB, BN_CLICKED); }, {}},
        {"combo box item index set", [](EventBench& b) { b.Combo->SetItemIndex(1); }, {}},
        {"combo box text set", [](EventBench& b) { b.Combo->SetText("three"); }, {}},
        {"combo box item chosen",
         [](EventBench& b) {
             b.Combo->SetItemIndex(2);
             Notify(*b.Combo, CBN_SELCHANGE);
         },
         {"Combo.OnClick", "Combo.OnChange"}},
        {"combo box typed into",
         [](EventBench& b) { TestHooks::TypeText(*b.Combo, "t"); },
         {"Combo.OnChange"}},
        {"combo box sent a character",
         [](EventBench& b) { b.Combo->Perform(WM_CHAR, 't', 0); },
         {"Combo.OnChange"}},
        {"list box item index set", [](EventBench& b) { b.List->SetItemIndex(1); }, {}},
        {"list box selection moved by a key",
         [](EventBench& b) { TestHooks::PressKey(*b.List, VK_DOWN); },
         {"List.OnClick"}},
        {"radio group item index set",
         [](EventBench& b) { b.Group->SetItemIndex(1); },
         {"Group.OnClick"}},
        {"radio group set to its own index", [](EventBench& b) { b.Group->SetItemIndex(0); }, {}},
        {"radio group button clicked",
         [](EventBench& b) { Notify(*b.Group->Buttons(1), BN_CLICKED); },
         {"Group.OnClick"}},
        {"active page set in code",
         [](EventBench& b) { b.Pages->SetActivePage(b.Pages->Pages(1)); },
         {}},
        {"tab clicked",
         [](EventBench& b) {
             TPoint at = Centre(b.Pages->TabRect(1));
             TestHooks::ClickMouse(*b.Pages, at.x, at.y);
         },
         {"Pages.OnChanging", "Pages.OnChange"}},
        {"active tab clicked",
         [](EventBench& b) {
             TPoint at = Centre(b.Pages->TabRect(0));
             TestHooks::ClickMouse(*b.Pages, at.x, at.y);
         },
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        EventBench bench;
        c.Act(bench);
        EXPECT_EQ(bench.Log, c.Expected);
    }
}

TEST(EventSemanticsTest, PropertiesSetWhileAFormIsBuiltRaiseNothing) {
    auto* form = new TForm(nullptr);
    int events = 0;
    TNotifyEvent count = [&](TObject*) { ++events; };
    form->BuildForm([&] {
        auto* edit = new TEdit(form);
        edit->OnChange = count;
        edit->SetText("start");
        auto* check = new TCheckBox(form);
        check->OnClick = count;
        check->SetChecked(true);
        auto* radio = new TRadioButton(form);
        radio->OnClick = count;
        radio->SetChecked(true);
    });
    EXPECT_EQ(events, 0);
    form->Free();
}

// ---- Buttons and the keys of dialogs

TEST(ButtonTest, ModalResultReachesTheFormBeforeOnClickWhichMayKeepItOpen) {
    auto* form = new TForm(nullptr);
    auto* ok = new TButton(form);
    ok->SetParent(form);
    ok->SetModalResult(mrOk);
    std::vector<TModalResult> seen;
    ok->OnClick = [&](TObject*) {
        seen.push_back(form->ModalResult());
        if (seen.size() == 1)
            form->SetModalResult(mrNone); // the first click finds the input wanting
    };
    TestHooks::AnswerModal([&](TForm&) { TestHooks::ClickMouse(*ok, 10, 10); });
    TestHooks::AnswerModal([&](TForm&) { ok->Click(); });
    EXPECT_EQ(form->ShowModal(), mrOk);
    EXPECT_EQ(seen, (std::vector<TModalResult>{mrOk, mrOk}));
    form->Free();
}

TEST(ButtonTest, ReturnAndEscapeClickTheDefaultAndCancelButtonsUnlessTheControlWantsThem) {
    struct Case {
        const char* What;
        bool InMemo;
        bool WantReturns;
        WORD Key;
        TShiftState Shift;
        const char* Clicked;
    };
    const Case cases[] = {
        {"return in an edit", false, true, VK_RETURN, {}, "OK"},
        {"escape in an edit", false, true, VK_ESCAPE, {}, "Cancel"},
        {"shift and return in an edit", false, true, VK_RETURN, {ssShift}, ""},
        {"return in a memo", true, true, VK_RETURN, {}, ""},
        {"return in a memo without returns", true, false, VK_RETURN, {}, "OK"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        auto* form = new TForm(nullptr);
        form->Show();
        String clicked;
        auto button = [&](const char* caption, int left) {
            auto* b = new TButton(form);
            b->SetParent(form);
            b->SetLeft(left);
            b->OnClick = [&clicked, caption](TObject*) { clicked = caption; };
            return b;
        };
        button("OK", 0)->SetDefault(true);
        button("Cancel", 100)->SetCancel(true);
        TWinControl* target = nullptr;
        if (c.InMemo) {
            auto* memo = new TMemo(form);
            memo->SetWantReturns(c.WantReturns);
            target = memo;
        } else {
            target = new TEdit(form);
        }
        target->SetParent(form);
        target->SetTop(50);
        TestHooks::PressKey(*target, c.Key, c.Shift);
        EXPECT_EQ(clicked, c.Clicked);
        form->Free();
    }
}

// ---- Edits

TEST(EditTest, TypingGoesInAtTheCaretAndKeepsToMaxLengthAndReadOnly) {
    TEdit edit(nullptr);
    edit.SetText("ac");
    edit.SetSelStart(1);
    edit.Perform(WM_CHAR, 'b', 0);
    EXPECT_EQ(edit.Text(), "abc");
    EXPECT_EQ(edit.SelStart(), 2);
    edit.Perform(WM_CHAR, '\b', 0);
    EXPECT_EQ(edit.Text(), "ac");
    edit.SetMaxLength(2);
    edit.Perform(WM_CHAR, 'x', 0);
    EXPECT_EQ(edit.Text(), "ac");
    edit.SetMaxLength(0);
    edit.SetReadOnly(true);
    edit.Perform(WM_CHAR, 'x', 0);
    EXPECT_EQ(edit.Text(), "ac");
}

TEST(EditTest, SelectionCountsBytesOfUtf8AndWindows1252Texts) {
    struct Case {
        const char* What;
        String Text;
        int Start;
        int Length;
        String Selected;
    };
    const Case cases[] = {
        {"UTF-8", "a\xC3\xA9 b", 3, 1, " "},
        {"UTF-8 character", "a\xC3\xA9 b", 1, 2, "\xC3\xA9"},
        {"Windows-1252", "a\xE9 b", 2, 1, " "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        TEdit edit(nullptr);
        edit.SetText(c.Text);
        edit.SetSelStart(c.Start);
        edit.SetSelLength(c.Length);
        EXPECT_EQ(edit.SelStart(), c.Start);
        EXPECT_EQ(edit.SelLength(), c.Length);
        EXPECT_EQ(edit.SelText(), c.Selected);
        edit.SetSelText("[]");
        EXPECT_EQ(edit.Text(),
                  c.Text.substr(0, c.Start) + "[]" + c.Text.substr(c.Start + c.Length));
    }
}

TEST(EditTest, ACharacterTypedIntoAUtf8TextGoesInAsUtf8) {
    TEdit edit(nullptr);
    edit.SetText("\xC3\xA9");
    edit.SetSelStart(2);
    edit.Perform(WM_CHAR, static_cast<WPARAM>(0xE8), 0);
    EXPECT_EQ(edit.Text(), "\xC3\xA9\xC3\xA8");
    edit.Perform(WM_CHAR, '\b', 0);
    EXPECT_EQ(edit.Text(), "\xC3\xA9");
}

// ---- Item lists of combo boxes and list boxes

namespace {

template <typename Box> void CheckItemLists() {
    Box box(nullptr);
    TStrings& items = box.Items();
    EXPECT_EQ(items.Add("Beta"), 0);
    EXPECT_EQ(items.Add("alpha"), 1);
    items.Insert(0, "gamma");
    EXPECT_EQ(items.Text(), "gamma\r\nBeta\r\nalpha\r\n");
    EXPECT_EQ(items.IndexOf("ALPHA"), 2);
    EXPECT_EQ(items.IndexOf("delta"), -1);
    TObject marker;
    items.PutObject(1, &marker);
    items.Delete(0);
    EXPECT_EQ(items.Count(), 2);
    EXPECT_EQ(items.GetObject(0), &marker);
    EXPECT_EQ(items[0], "Beta");
    EXPECT_THROW(items.Get(2), EStringListError);
    EXPECT_THROW(items.Insert(3, "x"), EStringListError);

    items.SetText("b\r\nc\na");
    EXPECT_EQ(items.Count(), 3);
    box.SetSorted(true);
    EXPECT_EQ(items.Text(), "a\r\nb\r\nc\r\n");
    EXPECT_EQ(items.Add("B2"), 2);
    items.Clear();
    EXPECT_EQ(items.Count(), 0);
}

} // namespace

TEST(ItemListTest, ComboBoxItemsAreStrings) {
    CheckItemLists<TComboBox>();
}

TEST(ItemListTest, ListBoxItemsAreStrings) {
    CheckItemLists<TListBox>();
}

TEST(ComboBoxTest, ItemIndexAndTextFollowEachOther) {
    TComboBox combo(nullptr);
    for (const char* item : {"red", "green", "blue"})
        combo.Items().Add(item);
    EXPECT_EQ(combo.ItemIndex(), -1); // adding to an empty box chooses nothing
    EXPECT_EQ(combo.Text(), "");
    combo.SetItemIndex(1);
    EXPECT_EQ(combo.Text(), "green");
    combo.SetText("blue");
    EXPECT_EQ(combo.ItemIndex(), 2);
    combo.SetText("Blue");
    EXPECT_EQ(combo.ItemIndex(), -1);
    EXPECT_EQ(combo.Text(), "Blue");
    combo.Items().Clear();
    EXPECT_EQ(combo.Text(), "Blue"); // clearing the list keeps the typed text
    EXPECT_EQ(combo.ItemIndex(), -1);
}

TEST(ComboBoxTest, ADropDownListShowsOnlyItsItems) {
    TComboBox combo(nullptr);
    combo.SetStyle(csDropDownList);
    combo.Items().Add("Left");
    combo.Items().Add("Right");
    combo.SetText("right");
    EXPECT_EQ(combo.ItemIndex(), 1);
    EXPECT_EQ(combo.Text(), "Right");
    combo.SetText("middle");
    EXPECT_EQ(combo.ItemIndex(), -1);
    EXPECT_EQ(combo.Text(), "");
    combo.Perform(WM_CHAR, 'x', 0);
    EXPECT_EQ(combo.Text(), "");
}

// Keys typed while the list is open still reach the box, which may take them for itself.
TEST(ComboBoxTest, ItsListOpensAndClosesInCodeAndKeysStillReachTheBox) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 100);
    auto* combo = NewControl<TComboBox>(&form, &form, "Combo", 0, 0, 150, 21);
    combo->Items().Add("one");
    form.Show();
    int dropped = 0;
    combo->OnDropDown = [&](TObject*) { ++dropped; };
    String pressed;
    combo->OnKeyPress = [&](TObject*, char& key) {
        if (combo->DroppedDown()) {
            pressed += key;
            key = 0;
        }
    };
    combo->SetDroppedDown(true);
    EXPECT_TRUE(combo->DroppedDown());
    EXPECT_EQ(dropped, 1);
    TestHooks::TypeText(*combo, "ab");
    EXPECT_EQ(pressed, "ab");
    EXPECT_EQ(combo->Text(), "");
    combo->SetDroppedDown(false);
    EXPECT_FALSE(combo->DroppedDown());
    TestHooks::TypeText(*combo, "c");
    EXPECT_EQ(combo->Text(), "c");
}

TEST(ListBoxTest, SeveralItemsSelectedOnlyWithMultiSelect) {
    TListBox list(nullptr);
    for (const char* item : {"a", "b", "c"})
        list.Items().Add(item);
    list.SetSelected(1, true);
    list.SetSelected(2, true); // one at a time without MultiSelect
    EXPECT_FALSE(list.Selected(1));
    EXPECT_EQ(list.ItemIndex(), 2);
    EXPECT_EQ(list.SelCount(), -1);
    list.SetMultiSelect(true);
    list.SetSelected(0, true);
    list.SetSelected(2, true);
    EXPECT_TRUE(list.Selected(0));
    EXPECT_TRUE(list.Selected(2));
    EXPECT_EQ(list.SelCount(), 2);
    EXPECT_THROW(list.Selected(3), EListError);
}

TEST(ListBoxTest, ADoubleClickOnAnItemChoosesItThenRaisesOnDblClick) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 200);
    auto* list = NewControl<TListBox>(&form, &form, "List", 0, 0, 150, 150);
    for (const char* item : {"a", "b", "c"})
        list->Items().Add(item);
    form.Show();
    int chosen = -2;
    list->OnDblClick = [&](TObject*) { chosen = list->ItemIndex(); };
    int secondItem = list->ItemRect(1).Top + 2;
    TestHooks::ClickMouse(*list, 5, secondItem);
    TestHooks::DoubleClickMouse(*list, 5, secondItem);
    EXPECT_EQ(chosen, 1);
}

// ---- Memos

TEST(MemoTest, LinesAddedKeepTheTextsOwnLastLineEnd) {
    struct Case {
        const char* What;
        String Start;
        int Count;
        String AfterAdd;
    };
    const Case cases[] = {
        {"empty", "", 0, "new"},
        {"one line", "a", 1, "a\r\nnew"},
        {"ended line", "a\r\n", 1, "a\r\nnew\r\n"},
        {"empty line inside", "a\r\n\r\nb", 3, "a\r\n\r\nb\r\nnew"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        TMemo memo(nullptr);
        memo.SetText(c.Start);
        EXPECT_EQ(memo.Lines().Count(), c.Count);
        memo.Lines().Add("new");
        EXPECT_EQ(memo.Text(), c.AfterAdd);
    }
}

TEST(MemoTest, LinesAreInsertedReplacedAndDeletedInTheText) {
    TMemo memo(nullptr);
    memo.SetText("one\r\nthree");
    memo.Lines().Insert(1, "two");
    EXPECT_EQ(memo.Text(), "one\r\ntwo\r\nthree");
    memo.Lines().Put(0, "ONE");
    memo.Lines().Delete(2);
    EXPECT_EQ(memo.Text(), "ONE\r\ntwo\r\n");
    EXPECT_EQ(memo.Lines().Text(), "ONE\r\ntwo\r\n");
    EXPECT_THROW(memo.Lines().Get(2), EStringListError);
}

// ---- Labels

TEST(LabelTest, AutoSizeFitsTheCaptionAndKeepsTheEdgeItIsAlignedTo) {
    TForm form(nullptr);
    TLabel left(&form);
    left.SetParent(&form);
    left.SetBounds(100, 0, 10, 10);
    left.SetCaption("A much longer caption");
    EXPECT_EQ(left.Left(), 100);
    EXPECT_GT(left.Width(), 40);
    EXPECT_GT(left.Height(), 5);

    TLabel right(&form);
    right.SetParent(&form);
    right.SetAlignment(taRightJustify);
    right.SetBounds(100, 20, 10, 10);
    right.SetCaption("A much longer caption");
    EXPECT_EQ(right.Left() + right.Width(), 110);
    EXPECT_EQ(right.Width(), left.Width());
}
