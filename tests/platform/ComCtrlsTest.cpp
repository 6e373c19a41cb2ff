#include "platform/ComCtrls.h"
#include "platform/DateTime.h"
#include "platform/Forms.h"
#include "platform/TestHooks.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

// A shown form with a page control of four pages, A to D.
class PageControlTest : public testing::Test {
protected:
    void SetUp() override {
        Form = new TForm(nullptr);
        Form->SetBounds(0, 0, 500, 400);
        Form->Show();
        Pages = new TPageControl(Form);
        Pages->SetParent(Form);
        Pages->SetBounds(10, 10, 400, 300);
        for (const char* name : {"A", "B", "C", "D"}) {
            auto* sheet = new TTabSheet(Form);
            sheet->SetName(name);
            sheet->SetCaption(String("Page ") + name);
            sheet->SetPageControl(Pages);
        }
        Pages->OnChange = [this](TObject*) { ++Changes; };
    }
    void TearDown() override { Form->Free(); }

    TTabSheet* Sheet(const char* name) {
        return static_cast<TTabSheet*>(Form->FindComponent(name));
    }
    String Active() const { return Pages->ActivePage() ? Pages->ActivePage()->Name() : "none"; }
    void ClickTab(int tab) {
        TRect r = Pages->TabRect(tab);
        TestHooks::ClickMouse(*Pages, r.Left + r.Width() / 2, r.Top + r.Height() / 2);
    }

    TForm* Form = nullptr;
    TPageControl* Pages = nullptr;
    int Changes = 0;
};

} // namespace

TEST_F(PageControlTest, HiddenTabsAreNotShownNorCountedAndHandTheActivePageOn) {
    struct Step {
        const char* What;
        std::function<void()> Act;
        const char* Active;
        int TabIndex;
    };
    const Step steps[] = {
        {"first page", [] {}, "A", 0},
        {"page index set", [&] { Pages->SetActivePageIndex(1); }, "B", 1},
        {"active tab hidden", [&] { Sheet("B")->SetTabVisible(false); }, "C", 1},
        {"other tab hidden", [&] { Sheet("D")->SetTabVisible(false); }, "C", 1},
        {"last shown tab hidden", [&] { Sheet("C")->SetTabVisible(false); }, "A", 0},
        {"only tab hidden", [&] { Sheet("A")->SetTabVisible(false); }, "A", -1},
        {"a tab shown again", [&] { Sheet("D")->SetTabVisible(true); }, "D", 0},
        {"page of a hidden tab made active", [&] { Pages->SetActivePage(Sheet("B")); }, "B", -1},
        {"tab index set", [&] { Pages->SetTabIndex(0); }, "D", 0},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.What);
        step.Act();
        EXPECT_EQ(Active(), step.Active);
        EXPECT_EQ(Pages->TabIndex(), step.TabIndex);
        EXPECT_EQ(Pages->PageCount(), 4);
        for (int i = 0; i < Pages->PageCount(); ++i)
            EXPECT_EQ(Pages->Pages(i)->Visible(), Pages->Pages(i) == Pages->ActivePage());
    }
    EXPECT_EQ(Changes, 0);
    EXPECT_EQ(Pages->ActivePageIndex(), 3);
    EXPECT_EQ(Sheet("D")->TabIndex(), 0);
    EXPECT_EQ(Pages->FindNextPage(Sheet("D"), true, true), Sheet("D"));
    EXPECT_EQ(Pages->FindNextPage(Sheet("D"), true, false), Sheet("A"));
}

TEST_F(PageControlTest, AClickedTabAsksOnChangingFirstAndMayBeRefused) {
    bool allow = false;
    Pages->OnChanging = [&](TObject*, bool& AllowChange) { AllowChange = allow; };
    ClickTab(2);
    EXPECT_EQ(Active(), "A");
    EXPECT_EQ(Changes, 0);
    allow = true;
    ClickTab(2);
    EXPECT_EQ(Active(), "C");
    EXPECT_EQ(Changes, 1);
    Sheet("D")->SetTabVisible(false);
    Pages->SelectNextPage(true); // round past the hidden tab
    EXPECT_EQ(Active(), "A");
    EXPECT_EQ(Changes, 2);
}

TEST_F(PageControlTest, PagesFillTheDisplayAreaAndLeaveWhenFreed) {
    auto* inner = new TWinControl(Form);
    inner->SetParent(Sheet("A"));
    inner->SetAlign(alClient);
    TRect display = Pages->DisplayRect();
    EXPECT_EQ(Sheet("A")->BoundsRect(), display);
    EXPECT_GT(display.Top, 10); // below the tabs
    EXPECT_EQ(inner->Width(), display.Width());

    Sheet("A")->Free();
    EXPECT_EQ(Pages->PageCount(), 3);
    EXPECT_EQ(Active(), "B");
    Pages->Free(); // the remaining sheets, owned by the form, are freed as its children
    EXPECT_EQ(Form->FindComponent("B"), nullptr);
}

TEST(StatusBarTest, PanelsKeepTheirTextsAndTheLastReachesTheEnd) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 600, 300);
    TStatusBar bar(&form);
    bar.SetParent(&form);
    const struct {
        const char* Text;
        int Width;
    } panels[] = {{"Line:", 95}, {"Folder:", 300}, {"File:", 150}};
    for (const auto& spec : panels) {
        TStatusPanel* panel = bar.Panels().Add();
        panel->SetText(spec.Text);
        panel->SetWidth(spec.Width);
    }
    bar.Panels().Items(1)->SetText("Folder: /home/site/");
    EXPECT_EQ(bar.Panels().Count(), 3);
    EXPECT_EQ(bar.Panels().Items(0)->Text(), "Line:");
    EXPECT_EQ(bar.Panels().Items(1)->Text(), "Folder: /home/site/");
    EXPECT_EQ(bar.PanelRect(1).Left, 95);
    EXPECT_EQ(bar.PanelRect(2).Left, 395);
    EXPECT_EQ(bar.PanelRect(2).Right, bar.ClientWidth());
    EXPECT_EQ(bar.Top() + bar.Height(), form.ClientHeight()); // along the bottom
    bar.Panels().Delete(0);
    EXPECT_EQ(bar.Panels().Items(0)->Text(), "Folder: /home/site/");
    EXPECT_THROW(bar.Panels().Items(2), EListError);
    bar.SetSimpleText("Saving...");
    EXPECT_EQ(bar.Panels().Items(1)->Text(), "File:");
}

namespace {

// An edit with an up-down of the range 1 to 100 attached, at position 5.
class UpDownTest : public testing::Test {
protected:
    void SetUp() override {
        ResetFormatSettingsForTests();
        Form = new TForm(nullptr);
        Edit = new TEdit(Form);
        Edit->SetParent(Form);
        Edit->SetBounds(10, 10, 60, 21);
        UpDown = new TUpDown(Form);
        UpDown->SetMin(1);
        UpDown->SetMax(100);
        UpDown->SetPosition(5);
        UpDown->SetAssociate(Edit);
        Edit->OnChange = [this](TObject*) { ++EditChanges; };
    }
    void TearDown() override { Form->Free(); }
    void Press(bool upper) {
        UpDown->Perform(WM_LBUTTONDOWN, MK_LBUTTON,
                        MAKELPARAM(2, upper ? 1 : UpDown->Height() - 2));
    }

    TForm* Form = nullptr;
    TEdit* Edit = nullptr;
    TUpDown* UpDown = nullptr;
    int EditChanges = 0;
};

} // namespace

TEST_F(UpDownTest, ATypedNumberCountsOnlyWithinTheRangeAndIsNeverRewritten) {
    EXPECT_EQ(Edit->Text(), "5");
    EXPECT_EQ(UpDown->Left(), 70); // at the edit's right edge
    struct Case {
        const char* Typed;
        int Position;
    };
    const Case cases[] = {{"7", 7}, {"400", 7}, {"abc", 7}, {"", 7}, {" 12 ", 12}, {"0", 12}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Typed);
        Edit->SetText(c.Typed);
        EXPECT_EQ(UpDown->Position(), c.Position);
        EXPECT_EQ(Edit->Text(), c.Typed);
    }
}

TEST_F(UpDownTest, SettingThePositionKeepsItInRangeAndWritesTheEdit) {
    UpDown->SetPosition(150);
    EXPECT_EQ(UpDown->Position(), 100);
    EXPECT_EQ(Edit->Text(), "100");
    EXPECT_EQ(EditChanges, 1);
    UpDown->SetPosition(100);
    EXPECT_EQ(EditChanges, 1); // the same text raises no change
    UpDown->SetMax(5000);
    UpDown->SetPosition(1234);
    EXPECT_EQ(Edit->Text(), "1,234");
    EXPECT_EQ(UpDown->Position(), 1234);
    UpDown->SetThousands(false);
    UpDown->SetPosition(4321);
    EXPECT_EQ(Edit->Text(), "4321");
}

TEST_F(UpDownTest, ArrowsStepFromTheTypedNumberAndStopOrWrapAtTheEnds) {
    std::vector<TUDBtnType> clicks;
    UpDown->OnClick = [&](TObject*, TUDBtnType button) { clicks.push_back(button); };
    Edit->SetText("40");
    Press(true);
    EXPECT_EQ(Edit->Text(), "41");
    Press(false);
    Press(false);
    EXPECT_EQ(Edit->Text(), "39");
    EXPECT_EQ(clicks, (std::vector<TUDBtnType>{btNext, btPrev, btPrev}));

    UpDown->SetPosition(100);
    Press(true);
    EXPECT_EQ(UpDown->Position(), 100);
    UpDown->SetWrap(true);
    Press(true);
    EXPECT_EQ(UpDown->Position(), 1);

    UpDown->OnChanging = [](TObject*, bool& AllowChange) { AllowChange = false; };
    Press(true);
    EXPECT_EQ(UpDown->Position(), 1);
    EXPECT_EQ(clicks.size(), 5u);
}
