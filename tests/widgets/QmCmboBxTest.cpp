#include "widgets/QmCmboBx.h"

#include "TestSupport.h"
#include "platform/Forms.h"
#include "platform/TestHooks.h"

#include <gtest/gtest.h>

namespace {

const std::vector<TFontFamily> Families = {
    {"Verdana", TMPF_TRUETYPE | TMPF_FIXED_PITCH},
    {"Courier New", TMPF_TRUETYPE},
    {"Fixedsys", 0},
    {"Arial", TMPF_TRUETYPE | TMPF_FIXED_PITCH},
    {"System", TMPF_FIXED_PITCH},
    {"arial narrow", TMPF_TRUETYPE | TMPF_FIXED_PITCH},
    {"Terminal", 0},
};

std::vector<String> ItemsOf(const TComboBox& combo) {
    std::vector<String> items;
    for (int i = 0; i < combo.Items().Count(); ++i)
        items.push_back(combo.Items().Get(i));
    return items;
}

class FontComboBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestHooks::SetFontFamilies(Families);
        Combo = std::make_unique<TQmFontComboBox>(nullptr);
        Combo->OnChange = [this](TObject*) { Events += "change "; };
        Combo->OnClick = [this](TObject*) { Events += "click "; };
        Combo->OnKeyPress = [this](TObject*, char&) { Events += "key "; };
    }
    void Type(char key) { Combo->Perform(WM_CHAR, static_cast<unsigned char>(key), 0); }
    std::unique_ptr<TQmFontComboBox> Combo;
    String Events;
};

} // namespace

TEST_F(FontComboBoxTest, ListsTheFamiliesOfItsKindSortedWithTheirGlyphs) {
    struct Case {
        TFontType Type;
        std::vector<String> Items;
        std::vector<String> Glyphs;
    };
    for (const Case& c : {
             Case{ftAll,
                  {"Arial", "arial narrow", "Courier New", "Fixedsys", "System", "Terminal",
                   "Verdana"},
                  {"QM_TRUETYPE", "QM_TRUETYPE", "QM_TRUETYPEFIXED", "QM_FIXEDPITCH", "",
                   "QM_FIXEDPITCH", "QM_TRUETYPE"}},
             Case{ftTrueType,
                  {"Arial", "arial narrow", "Courier New", "Verdana"},
                  {"QM_TRUETYPE", "QM_TRUETYPE", "QM_TRUETYPEFIXED", "QM_TRUETYPE"}},
             Case{ftFixedPitch,
                  {"Courier New", "Fixedsys", "Terminal"},
                  {"QM_TRUETYPEFIXED", "QM_FIXEDPITCH", "QM_FIXEDPITCH"}},
             Case{ftPrinter, {}, {}},
         }) {
        Combo->SetFontType(c.Type);
        EXPECT_EQ(ItemsOf(*Combo), c.Items);
        std::vector<String> glyphs;
        for (int i = 0; i < Combo->Items().Count(); ++i)
            glyphs.push_back(Combo->KindGlyphName(i));
        EXPECT_EQ(glyphs, c.Glyphs);
    }
}

TEST_F(FontComboBoxTest, APrinterListMarksItsOwnFonts) {
    Combo->SetFontDevice(fdPrinter);
    EXPECT_EQ(Combo->KindGlyphName(Combo->Items().IndexOf("System")), "QM_PRINTER");
}

TEST_F(FontComboBoxTest, NameInsertedAtTheTopStaysThereInTheSortedList) {
    Combo->Items().Insert(0, "serif");
    EXPECT_EQ(Combo->Items().Get(0), "serif");
    EXPECT_EQ(Combo->Items().Get(1), "Arial");
}

TEST_F(FontComboBoxTest, SelectedFontIsTheChosenFamilyAtTheSizeAndStyleAsked) {
    EXPECT_EQ(Combo->SelectedFont(), nullptr);
    EXPECT_EQ(Combo->FontName(), "");
    Combo->SetFontSize(14);
    Combo->SetFontStyle({fsBold});
    Combo->SetFontName("courier new");
    TFont* font = Combo->SelectedFont();
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->Name(), "Courier New");
    EXPECT_EQ(font->Size(), 14);
    EXPECT_EQ(font->Style(), TFontStyles{fsBold});
    EXPECT_EQ(Combo->SelectedFont(), font);
    Combo->SetFontName("Wingdings");
    EXPECT_EQ(Combo->ItemIndex(), -1);
}

TEST_F(FontComboBoxTest, TypingFindsTheFirstFamilyOfThosePrefixes) {
    struct Step {
        char Key;
        String Selected;
        String Search;
        String Events;
        size_t Beeps;
    };
    const std::vector<Step> steps = {
        {'a', "Arial", "a", "click change key ", 0},
        {'r', "Arial", "ar", "click change key ", 0},
        {'i', "Arial", "ari", "click change key ", 0},
        {'q', "Arial", "ari", "", 1},
        {' ', "Arial", "ari", "", 2},
        {'\b', "Arial", "ar", "click change key ", 2},
        {'\b', "Arial", "a", "click change key ", 2},
        {'\b', "", "", "click change key ", 2},
        {'\b', "", "", "", 4},
        {'t', "Terminal", "t", "click change key ", 4},
        {'\x1b', "", "t", "click change ", 4},
    };
    for (const Step& step : steps) {
        Events.clear();
        Type(step.Key);
        EXPECT_EQ(Combo->Text(), step.Selected) << "key " << int(step.Key);
        EXPECT_EQ(Combo->SearchText(), step.Search) << "key " << int(step.Key);
        EXPECT_EQ(Events, step.Events) << "key " << int(step.Key);
        EXPECT_EQ(TestHooks::Beeps().size(), step.Beeps) << "key " << int(step.Key);
    }
}

TEST_F(FontComboBoxTest, LeavingTheListOrMovingInItForgetsTheSearch) {
    for (UINT msg : {UINT(WM_KILLFOCUS), UINT(WM_KEYDOWN)}) {
        Type('v');
        EXPECT_EQ(Combo->SearchText(), "v");
        Combo->Perform(msg, msg == WM_KEYDOWN ? VK_DOWN : 0, 0);
        EXPECT_EQ(Combo->SearchText(), "");
    }
    Type('v');
    Combo->Perform(WM_KEYDOWN, 'V', 0);
    EXPECT_EQ(Combo->SearchText(), "v");
}

TEST_F(FontComboBoxTest, NoBeepWhenTheBoxIsToldToStayQuiet) {
    Combo->SetBeepOnInvalidKey(false);
    Type('z');
    Type('\b');
    EXPECT_TRUE(TestHooks::Beeps().empty());
}

TEST(QmCustomComboBoxTest, TypingInTheEditCompletesTheFirstMatchAndSelectsTheRest) {
    TQmCustomComboBox combo(nullptr);
    combo.SetStyle(csDropDown);
    for (const char* item : {"Verdana", "Arial", "Arial Black", "Courier"})
        combo.Items().Add(item);
    combo.Perform(WM_CHAR, 'a', 0);
    EXPECT_EQ(combo.Text(), "Arial");
    EXPECT_EQ(combo.SelStart(), 1);
    EXPECT_EQ(combo.SelLength(), 4);
    combo.Perform(WM_CHAR, 'r', 0);
    EXPECT_EQ(combo.Text(), "Arial");
    EXPECT_EQ(combo.SearchText(), "ar");
    EXPECT_EQ(combo.SelStart(), 2);
    combo.Perform(WM_CHAR, 'x', 0);
    EXPECT_EQ(combo.Text(), "Arx");
    EXPECT_EQ(combo.ItemIndex(), -1);
    combo.Perform(WM_CHAR, VK_ESCAPE, 0);
    EXPECT_EQ(combo.SearchText(), "");
}

TEST(QmCustomComboBoxTest, EditSelectionPositionsStopAt65535) {
    TQmCustomComboBox combo(nullptr);
    combo.SetStyle(csDropDown);
    combo.SetText("abc");
    combo.SetEditSelStart(1);
    combo.SetEditSelLength(2);
    EXPECT_EQ(combo.EditSelStart(), 1);
    EXPECT_EQ(combo.EditSelLength(), 2);
    EXPECT_THROW(combo.SetEditSelStart(65536), ERangeError);
    EXPECT_THROW(combo.SetEditSelStart(-1), ERangeError);
}

TEST(QmCustomComboBoxTest, APasteCompletesWhatTheEditHoldsThen) {
    TQmCustomComboBox combo(nullptr);
    combo.SetStyle(csDropDown);
    for (const char* item : {"Verdana", "Arial Black", "Courier"})
        combo.Items().Add(item);
    TestHooks::SetClipboardText("cou");
    TestHooks::PressKey(combo, 'V', {ssCtrl});
    EXPECT_EQ(combo.Text(), "Courier");
    EXPECT_EQ(combo.ItemIndex(), 2);
    EXPECT_EQ(combo.SelStart(), 3);
    EXPECT_EQ(combo.SelLength(), 4);
}

TEST(QmCustomComboBoxTest, DeleteCompletesWhatIsLeftBeforeTheCaret) {
    TQmCustomComboBox combo(nullptr);
    combo.SetStyle(csDropDown);
    for (const char* item : {"Verdana", "Arial Black"})
        combo.Items().Add(item);
    combo.SetText("Arx");
    combo.SetSelStart(2);
    combo.Perform(WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(combo.SearchText(), "Ar");
    EXPECT_EQ(combo.Text(), "Arial Black");
    EXPECT_EQ(combo.SelStart(), 2);
}

TEST_F(FontComboBoxTest, ClosingTheListIsTold) {
    int closed = 0;
    Combo->OnCloseUp = [&closed](TObject*) { ++closed; };
    Combo->Perform(CN_COMMAND, MAKEWPARAM(0, CBN_DROPDOWN), 0);
    EXPECT_EQ(closed, 0);
    Combo->Perform(CN_COMMAND, MAKEWPARAM(0, CBN_CLOSEUP), 0);
    EXPECT_EQ(closed, 1);
}
