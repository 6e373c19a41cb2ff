#include "widgets/QmCombos.h"

#include "TestSupport.h"
#include "platform/TestHooks.h"

#include <gtest/gtest.h>

namespace {

// What a user does to the list: chooses an item from it.
void Choose(TComboBox& combo, int index) {
    combo.SetItemIndex(index);
    combo.Perform(CN_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), 0);
}

// Types a text into the edit of an editable box, as the edit reports it.
void TypeInto(TComboBox& combo, const String& text) {
    combo.SetText(text);
    combo.Perform(CN_COMMAND, MAKEWPARAM(0, CBN_EDITCHANGE), 0);
}

class ColorComboBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        Combo.OnChange = [this](TObject*) { Events += "change "; };
        Combo.OnClick = [this](TObject*) { Events += "click "; };
    }
    TColorComboBox Combo{nullptr};
    String Events;
};

} // namespace

TEST_F(ColorComboBoxTest, ListsTheSixteenColoursByNameAndShowsBlack) {
    const std::vector<std::pair<TColor, String>> expected = {
        {clBlack, "Black"},   {clMaroon, "Maroon"},   {clGreen, "Green"}, {clOlive, "Olive"},
        {clNavy, "Navy"},     {clPurple, "Purple"},   {clTeal, "Teal"},   {clGray, "Gray"},
        {clSilver, "Silver"}, {clRed, "Red"},         {clLime, "Lime"},   {clYellow, "Yellow"},
        {clBlue, "Blue"},     {clFuchsia, "Fuchsia"}, {clAqua, "Aqua"},   {clWhite, "White"}};
    ASSERT_EQ(Combo.Items().Count(), 16);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(Combo.Items().Get(i), expected[i].second);
        EXPECT_EQ(Combo.ItemColor(i), expected[i].first) << expected[i].second;
    }
    EXPECT_EQ(Combo.ItemIndex(), 0);
    EXPECT_EQ(Combo.ColorValue(), clBlack);
    EXPECT_TRUE(Combo.DisplayNames());
}

TEST_F(ColorComboBoxTest, ColorValueSelectsItsItemOrShowsWhatItIs) {
    struct Case {
        TComboBoxStyle Style;
        TColor Value;
        int Item;
        String Text;
    };
    for (const Case& c : {
             Case{csDropDownList, clRed, 9, "Red"},
             Case{csDropDownList, clWhite, 15, "White"},
             Case{csDropDownList, clBtnFace, -1, ""},
             Case{csDropDownList, 0x123456, -1, ""},
             Case{csDropDown, clNavy, 4, "Navy"},
             Case{csDropDown, clBtnFace, -1, "BtnFace"},
             Case{csDropDown, 0x123456, -1, "0x00123456"},
             Case{csSimple, 0xABCDEF, -1, "0x00ABCDEF"},
         }) {
        TColorComboBox combo(nullptr);
        combo.SetStyle(c.Style);
        combo.SetColorValue(c.Value);
        EXPECT_EQ(combo.ItemIndex(), c.Item) << c.Text;
        EXPECT_EQ(combo.Text(), c.Text);
        EXPECT_EQ(combo.ColorValue(), c.Value) << c.Text;
    }
}

TEST_F(ColorComboBoxTest, ATypedColourIsANameANumberOrNothing) {
    struct Case {
        String Typed;
        TColor Colour;
    };
    Combo.SetStyle(csDropDown);
    for (const Case& c : {
             Case{"teal", clTeal},
             Case{"255", 255},
             Case{"$FF", 0xFF},
             Case{"0x1F", 0x1F},
             Case{"x1F", 0x1F},
             Case{"X1f", 0x1F},
             Case{"-1", 0xFFFFFFFF},
             Case{"salmon", clTeal},
             Case{"0x", clTeal},
             Case{"123456789012", clTeal},
         }) {
        Combo.SetColorValue(clTeal);
        TypeInto(Combo, c.Typed);
        EXPECT_EQ(Combo.ColorValue(), c.Colour) << c.Typed;
    }
}

TEST_F(ColorComboBoxTest, ChoosingAnotherColourChangesOnceBeforeTheClick) {
    Choose(Combo, 9);
    EXPECT_EQ(Events, "change click ");
    EXPECT_EQ(Combo.ColorValue(), clRed);

    Events.clear();
    Choose(Combo, 9);
    EXPECT_EQ(Events, "click ");

    Events.clear();
    Combo.SetColorValue(clRed);
    EXPECT_EQ(Events, "");
    Combo.SetColorValue(clLime);
    EXPECT_EQ(Events, "change ");
}

TEST_F(ColorComboBoxTest, TypingChangesOnlyWhenTheTextReadsAsAnotherColour) {
    Combo.SetStyle(csDropDown);
    Events.clear();
    TypeInto(Combo, "Bl");
    EXPECT_EQ(Events, "");
    TypeInto(Combo, "Blue");
    EXPECT_EQ(Events, "change ");
    EXPECT_EQ(Combo.ColorValue(), clBlue);
}

TEST_F(ColorComboBoxTest, ColorNamesRenameByPositionAndKeepTheChosenColour) {
    Combo.SetColorValue(clMaroon);
    TStringList names;
    names.Add("Schwarz");
    names.Add("");
    Combo.SetColorNames(names);
    EXPECT_EQ(Combo.Items().Get(0), "Schwarz");
    EXPECT_EQ(Combo.Items().Get(1), "Maroon");
    EXPECT_EQ(Combo.Items().Get(2), "Green");
    EXPECT_EQ(Combo.ColorValue(), clMaroon);
    EXPECT_EQ(Combo.ItemIndex(), 1);
}

TEST_F(ColorComboBoxTest, ItemsAreAsHighAsTheFontAndNeverBelowNine) {
    TCanvas measure;
    measure.Font().SetName("MS Sans Serif");
    measure.Font().SetSize(8);
    Combo.Font().SetName("MS Sans Serif");
    Combo.Font().SetSize(8);
    EXPECT_EQ(Combo.ItemHeight(), measure.TextHeight("Pp") + 1);
    Combo.Font().SetHeight(-2);
    EXPECT_EQ(Combo.ItemHeight(), 9);
}

TEST(ColorToStringTest, GivesTheIdentifierOrTheNumber) {
    EXPECT_EQ(ColorToString(clRed), "clRed");
    EXPECT_EQ(ColorToString(clBtnFace), "clBtnFace");
    EXPECT_EQ(ColorToString(0x00C0FFEE), "0x00C0FFEE");
}
