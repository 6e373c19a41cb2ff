#include "platform/Menus.h"
#include "platform/Forms.h"
#include "platform/RichEdit.h"
#include "platform/StdCtrls.h"
#include "platform/TestHooks.h"

#include <gtest/gtest.h>

#include <vector>

TEST(ShortCutTest, TextsAreWrittenAndReadAsTheFrameworkWritesThem) {
    struct Case {
        TShortCut ShortCut;
        const char* Text;
    };
    const Case cases[] = {
        {ShortCut('O', {ssCtrl}), "Ctrl+O"},
        {ShortCut(VK_F4, {ssCtrl, ssShift}), "Shift+Ctrl+F4"},
        {49372, "Ctrl+Alt+\\"},
        {ShortCut(VK_TAB, {ssCtrl}), "Ctrl+Tab"},
        {ShortCut(VK_DELETE, {ssShift}), "Shift+Del"},
        {ShortCut(VK_OEM_COMMA, {ssCtrl}), "Ctrl+,"},
        {ShortCut('0', {ssAlt}), "Alt+0"},
        {ShortCut(VK_SPACE, {ssCtrl}), "Ctrl+Space"},
        {ShortCut(VK_RETURN, {ssShift}), "Shift+Enter"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text);
        EXPECT_EQ(ShortCutToText(c.ShortCut), c.Text);
        EXPECT_EQ(TextToShortCut(c.Text), c.ShortCut);
    }
    EXPECT_EQ(TextToShortCut("ctrl+SHIFT+tab"), ShortCut(VK_TAB, {ssCtrl, ssShift}));
    EXPECT_EQ(TextToShortCut("Ctrl+Nothing"), 0);
    EXPECT_EQ(TextToShortCut(""), 0);
}

namespace {

// A shown form with a File menu, a hidden menu of shortcuts only, and an edit with the focus,
// as the main window has them.
class MenuShortCutTest : public testing::Test {
protected:
    void SetUp() override {
        Form = new TForm(nullptr);
        Form->Show();
        Menu = new TMainMenu(Form);
        File = Item(Menu->Items(), "&File", 0, "File");
        Open = Item(File, "&Open...", ShortCut('O', {ssCtrl}), "Open");
        Hidden = Item(Menu->Items(), "Invisible", 0, "Hidden");
        Hidden->SetVisible(false);
        Next = Item(Hidden, "Next tab", ShortCut(VK_TAB, {ssCtrl}), "Next");
        Form->SetMenu(Menu);
        Edit = new TEdit(Form);
        Edit->SetParent(Form);
        Edit->OnKeyDown = [this](TObject*, WORD& key, TShiftState) {
            Log.push_back("Edit key " + IntToStr(key));
        };
        Edit->SetFocus();
    }
    void TearDown() override { Form->Free(); }

    TMenuItem* Item(TMenuItem* parent, const char* caption, TShortCut shortCut, const char* name) {
        auto* item = new TMenuItem(Form);
        item->SetCaption(caption);
        item->SetShortCut(shortCut);
        item->OnClick = [this, name](TObject* Sender) {
            Log.push_back(String(name) + (Sender == Form->FindComponent(name) ? "" : "?"));
        };
        item->SetName(name);
        parent->Add(item);
        return item;
    }

    std::vector<String> Log;
    TForm* Form = nullptr;
    TMainMenu* Menu = nullptr;
    TMenuItem* File = nullptr;
    TMenuItem* Open = nullptr;
    TMenuItem* Hidden = nullptr;
    TMenuItem* Next = nullptr;
    TEdit* Edit = nullptr;
};

} // namespace

TEST_F(MenuShortCutTest, ClickRaisesOnClickWithTheItemAsSender) {
    Open->Click();
    EXPECT_EQ(Log, std::vector<String>{"Open"});
    Open->SetEnabled(false);
    Open->Click();
    EXPECT_EQ(Log, std::vector<String>{"Open"});
}

TEST_F(MenuShortCutTest, AShortCutKeyClicksTheMenuAboveThenTheItemAndNeverReachesTheControl) {
    TestHooks::PressKey(*Edit, 'O', {ssCtrl});
    EXPECT_EQ(Log, (std::vector<String>{"File", "Open"}));
}

TEST_F(MenuShortCutTest, ShortCutsOfAHiddenMenuWork) {
    TestHooks::PressKey(*Edit, VK_TAB, {ssCtrl});
    EXPECT_EQ(Log, (std::vector<String>{"Hidden", "Next"}));
}

TEST_F(MenuShortCutTest, ADisabledItemLeavesTheKeyToTheControlUnlessTheMenuAboveEnablesIt) {
    Open->SetEnabled(false);
    TestHooks::PressKey(*Edit, 'O', {ssCtrl});
    EXPECT_EQ(Log, (std::vector<String>{"File", "Edit key 79"}));

    Log.clear();
    File->OnClick = [this](TObject*) { Open->SetEnabled(true); };
    TestHooks::PressKey(*Edit, 'O', {ssCtrl});
    EXPECT_EQ(Log, std::vector<String>{"Open"});
}

TEST_F(MenuShortCutTest, TheControlsPopupMenuComesFirstAndTheMainFormsMenuWorksFromOtherForms) {
    auto* popup = new TPopupMenu(Form);
    Item(popup->Items(), "Local open", ShortCut('O', {ssCtrl}), "LocalOpen");
    Edit->SetPopupMenu(popup);
    TestHooks::PressKey(*Edit, 'O', {ssCtrl});
    EXPECT_EQ(Log, std::vector<String>{"LocalOpen"});

    Log.clear();
    auto* mainForm = Application->CreateForm<TForm>();
    auto* mainMenu = new TMainMenu(mainForm);
    Item(mainMenu->Items(), "Save", ShortCut('S', {ssCtrl}), "Save");
    mainForm->SetMenu(mainMenu);
    TestHooks::PressKey(*Edit, 'S', {ssCtrl});
    mainForm->Free();
    EXPECT_EQ(Log, std::vector<String>{"Save"});
}

// Keys that the rich edit would take for itself (undo, line breaks, deleting, typing) run the
// items first, and a shifted key is matched on the key itself, as a US keyboard reports it.
TEST_F(MenuShortCutTest, ShortCutsComeBeforeTheRichEditsOwnKeysAndMatchTheUnshiftedKey) {
    auto* editor = new TRichEdit(Form);
    editor->SetParent(Form);
    editor->SetText("ab");
    editor->SetSelStart(2);
    editor->SetFocus();
    TestHooks::TypeText(*editor, "c");
    ASSERT_EQ(editor->Text(), "abc");
    struct Case {
        const char* Name;
        WORD Key;
        TShiftState Shift;
    };
    const Case cases[] = {
        {"Undo", 'Z', {ssCtrl}},
        {"Paragraph", VK_RETURN, {ssCtrl}},
        {"Break", VK_RETURN, {ssShift}},
        {"DelwoBin", VK_DELETE, {ssShift}},
        {"LeftAngle2", VK_OEM_COMMA, {ssCtrl, ssShift}},
        {"User10", '0', {ssShift, ssAlt}},
        {"Bold", 'B', {ssCtrl}},
    };
    for (const Case& c : cases)
        Item(Hidden, c.Name, ShortCut(c.Key, c.Shift), c.Name);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Log.clear();
        TestHooks::PressKey(*editor, c.Key, c.Shift);
        EXPECT_EQ(Log, (std::vector<String>{"Hidden", c.Name}));
        EXPECT_EQ(editor->Text(), "abc");
        EXPECT_EQ(editor->SelStart(), 3);
    }
    Log.clear();
    TestHooks::PressKey(*editor, VK_TAB, {ssCtrl});
    EXPECT_EQ(Log, (std::vector<String>{"Hidden", "Next"}));
}

TEST_F(MenuShortCutTest, ADeletedItemIsKeptButItsShortCutIsGone) {
    File->Delete(File->IndexOf(Open));
    EXPECT_EQ(File->Count(), 0);
    TestHooks::PressKey(*Edit, 'O', {ssCtrl});
    EXPECT_EQ(Log, std::vector<String>{"Edit key 79"});
    Hidden->Insert(0, Open);
    EXPECT_EQ(Hidden->Items(0), Open);
    EXPECT_EQ(Open->Parent(), Hidden);
    EXPECT_THROW(File->Add(Open), EMenuError);
}

TEST_F(MenuShortCutTest, FreeingAMenuTakesItsItemsAndTheFormsMenuBarWithIt) {
    struct Watcher : TComponent {
        using TComponent::TComponent;
        int Freed = 0;
        void Notification(TComponent* component, TOperation operation) override {
            TComponent::Notification(component, operation);
            if (operation == opRemove && component->Owner() != this)
                ++Freed;
        }
    } watcher(nullptr);
    watcher.FreeNotification(Open);
    watcher.FreeNotification(Next);
    Menu->Free();
    EXPECT_EQ(watcher.Freed, 2);
    EXPECT_EQ(Form->Menu(), nullptr);
}

TEST(MenuItemTest, CheckingARadioItemUnchecksTheOthersOfItsGroupOnly) {
    TPopupMenu menu(nullptr);
    std::vector<TMenuItem*> items;
    struct Spec {
        bool Radio;
        int Group;
    };
    for (Spec spec : {Spec{true, 1}, Spec{true, 1}, Spec{true, 1}, Spec{true, 2}, Spec{false, 1}}) {
        auto* item = new TMenuItem(&menu);
        item->SetRadioItem(spec.Radio);
        item->SetGroupIndex(spec.Group);
        item->SetChecked(true);
        menu.Items()->Add(item);
        items.push_back(item);
    }
    items[1]->SetChecked(true);
    std::vector<bool> checked;
    for (TMenuItem* item : items)
        checked.push_back(item->Checked());
    EXPECT_EQ(checked, (std::vector<bool>{false, true, false, true, true}));
}

TEST(PopupMenuTest, RightClickRaisesOnPopupThenShowsTheMenuForTheControl) {
    auto* form = new TForm(nullptr);
    form->SetBounds(0, 0, 300, 200);
    form->Show();
    auto* edit = new TEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 10, 100, 20);
    auto* menu = new TPopupMenu(form);
    edit->SetPopupMenu(menu);
    size_t shownBefore = 1;
    menu->OnPopup = [&](TObject*) {
        shownBefore = TestHooks::Popups().size();
        EXPECT_EQ(menu->PopupComponent(), edit);
    };
    edit->Perform(WM_CONTEXTMENU, 0, MAKELPARAM(-1, -1));
    EXPECT_EQ(shownBefore, 0u);
    ASSERT_EQ(TestHooks::Popups().size(), 1u);
    EXPECT_EQ(TestHooks::Popups()[0].Point, edit->ClientToScreen(Point(50, 10)));

    menu->SetAutoPopup(false);
    edit->Perform(WM_CONTEXTMENU, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(TestHooks::Popups().size(), 1u);
    form->Free();
}

TEST(MenuItemTest, F1OnAHighlightedItemAsksForTheNearestHelpTopicOutwards) {
    TForm form(nullptr);
    auto* menu = new TMainMenu(&form);
    auto make = [&](TMenuItem* parent, const char* caption, int helpContext) {
        auto* item = new TMenuItem(&form);
        item->SetCaption(caption);
        item->SetHelpContext(helpContext);
        parent->Add(item);
        return item;
    };
    TMenuItem* help = make(menu->Items(), "&Help", 1010);
    TMenuItem* contents = make(help, "&Contents", 1020);
    TMenuItem* about = make(help, "&About", 0);
    form.SetMenu(menu);

    struct Case {
        TMenuItem* Item;
        uintptr_t Topic;
    };
    for (Case c : {Case{contents, 1020}, Case{about, 1010}, Case{help, 1010}}) {
        SCOPED_TRACE(c.Item->Caption());
        size_t before = TestHooks::HelpRequests().size();
        TestHooks::PressKeyInMenu(*c.Item, VK_F1);
        ASSERT_EQ(TestHooks::HelpRequests().size(), before + 1);
        EXPECT_EQ(TestHooks::HelpRequests().back().Command, static_cast<UINT>(HELP_CONTEXT));
        EXPECT_EQ(TestHooks::HelpRequests().back().Data, c.Topic);
    }
}
