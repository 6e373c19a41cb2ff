// The date edit as a user meets it: typing, the date keys, the pop-up calendar and the date
// dialog, in the locale's date order.

#include "widgets/ToolEdit.h"

#include "platform/Forms.h"
#include "platform/TestHooks.h"
#include "services/DateUtil.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class ToolEditTest : public testing::Test {
protected:
    void SetUp() override {
        ResetFormatSettingsForTests();
        FormatSettings.ShortDateFormat = "dd/MM/yyyy";
        FormatSettings.DateSeparator = '/';
        Today = EncodeDate(2026, 12, 11);
        SetClockForTests([this] { return Today + 0.5; });
        Form = new TForm(nullptr);
        Form->SetBounds(100, 100, 300, 200);
        Edit = NewControl<TDateEdit>(Form, Form, "DateEdit", 10, 10, 120, 21);
        Other = NewControl<TEdit>(Form, Form, "Other", 10, 50, 120, 21);
        Form->Show();
        Edit->SetFocus();
    }
    void TearDown() override {
        Form->Free();
        SetClockForTests({});
        ResetFormatSettingsForTests();
    }
    TPopupCalendar& Calendar() { return dynamic_cast<TPopupCalendar&>(*Edit->Popup()); }
    void ClickDay(int col, int row) {
        TRect cell = Calendar().Calendar()->CellRect(col, row);
        TestHooks::ClickMouse(*Calendar().Calendar(), (cell.Left + cell.Right) / 2,
                              (cell.Top + cell.Bottom) / 2);
    }
    void OpenCalendar() {
        TestHooks::PressKey(*Edit, VK_DOWN, TShiftState{ssAlt});
        ASSERT_TRUE(Edit->PopupVisible());
    }

    TDateTime Today;
    TForm* Form = nullptr;
    TDateEdit* Edit = nullptr;
    TEdit* Other = nullptr;
};

} // namespace

TEST(PopupPosition, BelowOrAboveTheEditAndKeptOnTheScreen) {
    const TSize screen{1024, 768};
    const TSize popup{187, 124};
    struct {
        TRect Edit;
        TPopupAlign Align;
        TPoint At;
    } const cases[] = {
        {Bounds(300, 200, 120, 21), epaRight, {233, 221}}, // right edges together
        {Bounds(300, 200, 120, 21), epaLeft, {300, 221}},  // left edges together
        {Bounds(300, 700, 120, 21), epaRight, {233, 576}}, // above, near the bottom
        {Bounds(20, 200, 120, 21), epaRight, {20, 221}},   // would start left of the screen
        {Bounds(900, 200, 120, 21), epaLeft, {833, 221}},  // would pass the right edge
        {Bounds(-50, 200, 40, 21), epaRight, {0, 221}},
        {Bounds(1000, 200, 120, 21), epaRight, {837, 221}},
    };
    for (const auto& c : cases) {
        TPoint at = PopupPosition(c.Edit, popup, screen, c.Align);
        EXPECT_EQ(at.x, c.At.x) << c.Edit.Left << "," << c.Edit.Top << " align " << c.Align;
        EXPECT_EQ(at.y, c.At.y) << c.Edit.Left << "," << c.Edit.Top << " align " << c.Align;
    }
}

TEST_F(ToolEditTest, TheDateShowsAndReadsBackInEachDateOrder) {
    struct {
        const char* Locale;
        const char* Text;
    } const orders[] = {
        {"dd/MM/yyyy", "08/12/2026"},
        {"M/d/yyyy", "12/08/2026"},
        {"yyyy/MM/dd", "2026/12/08"},
        {"d/M/yy", "08/12/26"},
    };
    for (const auto& o : orders) {
        FormatSettings.ShortDateFormat = o.Locale;
        Edit->RefreshDateFormat();
        Edit->SetDateValue(EncodeDate(2026, 12, 8) + 0.25);
        EXPECT_EQ(Edit->Text(), o.Text) << o.Locale;
        EXPECT_EQ(Edit->GetDateValue(), EncodeDate(2026, 12, 8)) << o.Locale;
    }
}

TEST_F(ToolEditTest, DateValuesAndTheNullDate) {
    struct {
        bool DefaultToday;
        TDateTime Set;
        const char* Text;
    } const cases[] = {
        {false, NoDate, ""},
        {false, -700000.0, ""},
        {false, EncodeDate(2024, 2, 29), "29/02/2024"},
        {true, NoDate, "11/12/2026"},
        {true, -700000.0, "11/12/2026"},
        {true, EncodeDate(2024, 2, 29), "29/02/2024"},
    };
    for (const auto& c : cases) {
        Edit->SetDefaultToday(c.DefaultToday);
        Edit->SetText("01/01/2000");
        Edit->SetDateValue(c.Set);
        EXPECT_EQ(Edit->Text(), c.Text) << c.DefaultToday << " " << c.Set;
        EXPECT_TRUE(Edit->Modified());
        Edit->SetDateValue(c.Set);
        EXPECT_FALSE(Edit->Modified()) << "the same date again changes nothing";
    }
    struct {
        bool DefaultToday;
        const char* Text;
        TDateTime Date;
    } const reads[] = {
        {false, "", NoDate},
        {false, "12/  /    ", NoDate},
        {false, "31/02/2026", NoDate},
        {false, "8/3", EncodeDate(2026, 3, 8)},
        {true, "", EncodeDate(2026, 12, 11)},
        {true, "31/02/2026", EncodeDate(2026, 12, 11)},
    };
    for (const auto& r : reads) {
        Edit->SetDefaultToday(r.DefaultToday);
        Edit->SetText(r.Text);
        EXPECT_EQ(Edit->GetDateValue(), r.Date) << r.DefaultToday << " " << r.Text;
    }
}

TEST_F(ToolEditTest, TypedDatesAndTheDateKeys) {
    TestHooks::TypeText(*Edit, "24/12/2026");
    EXPECT_EQ(Edit->GetDateValue(), EncodeDate(2026, 12, 24));
    EXPECT_TRUE(Edit->Modified());

    Edit->SetText("");
    TestHooks::TypeText(*Edit, "not a date");
    EXPECT_EQ(Edit->GetDateValue(), NoDate);
    Edit->SetDefaultToday(true);
    EXPECT_EQ(Edit->GetDateValue(), Today);
    Edit->SetDefaultToday(false);

    Edit->SetText("");
    TestHooks::PressKey(*Edit, VK_ADD);
    EXPECT_EQ(Edit->Text(), "12/12/2026") << "the empty date counts as today";
    TestHooks::PressKey(*Edit, VK_SUBTRACT);
    TestHooks::PressKey(*Edit, VK_SUBTRACT);
    EXPECT_EQ(Edit->Text(), "10/12/2026");
    EXPECT_EQ(Edit->SelLength(), static_cast<int>(Edit->Text().size()));
    TestHooks::TypeText(*Edit, "+-");
    EXPECT_EQ(Edit->Text(), "10/12/2026") << "plus and minus are not typed";
    Edit->SetText("");
    TestHooks::TypeText(*Edit, "t");
    EXPECT_EQ(Edit->Text(), "11/12/2026");
}

TEST_F(ToolEditTest, WithoutDirectInputOnlyTheCalendarChangesTheDate) {
    Edit->SetDirectInput(false);
    TestHooks::TypeText(*Edit, "24/12/2026t");
    EXPECT_EQ(Edit->Text(), "");
    OpenCalendar();
    TestHooks::PressKey(*Edit, VK_RETURN);
    EXPECT_FALSE(Edit->PopupVisible());
    EXPECT_EQ(Edit->GetDateValue(), Today);
}

TEST_F(ToolEditTest, ThePopupCalendarPicksADay) {
    Edit->SetDateValue(EncodeDate(2026, 1, 31));
    OpenCalendar();
    EXPECT_TRUE(Calendar().Showing());
    EXPECT_EQ(Calendar().Calendar()->CalendarDate(), EncodeDate(2026, 1, 31));
    EXPECT_EQ(Calendar().TitleLabel()->Caption(), "January, 2026");
    TPoint under = Edit->ClientToScreen(TPoint{0, Edit->Height()});
    EXPECT_EQ(Calendar().Left(), under.x + Edit->Width() - Calendar().Width());
    EXPECT_EQ(Calendar().Top(), under.y);

    // the keys reach the calendar while the edit keeps the focus
    struct {
        WORD Key;
        TShiftState Shift;
        TDateTime Date;
    } const keys[] = {
        {VK_NEXT, {}, EncodeDate(2026, 2, 28)},
        {VK_RIGHT, {}, EncodeDate(2026, 3, 1)},
        {VK_LEFT, {}, EncodeDate(2026, 2, 28)},
        {VK_NEXT, TShiftState{ssCtrl}, EncodeDate(2027, 2, 28)},
        {VK_PRIOR, TShiftState{ssCtrl}, EncodeDate(2026, 2, 28)},
        {VK_PRIOR, {}, EncodeDate(2026, 1, 28)},
        {VK_UP, {}, EncodeDate(2026, 1, 21)},
        {VK_DOWN, {}, EncodeDate(2026, 1, 28)}, // no day below the 28th
    };
    for (const auto& k : keys) {
        TestHooks::PressKey(*Edit, k.Key, k.Shift);
        EXPECT_EQ(Calendar().Calendar()->CalendarDate(), k.Date) << "key " << k.Key;
    }
    EXPECT_TRUE(Edit->Focused());
    EXPECT_EQ(Edit->Text(), "31/01/2026") << "the text waits for the choice";

    ClickDay(0, 1); // before 1 January: empty, neither picked nor closing
    EXPECT_TRUE(Edit->PopupVisible());
    ClickDay(3, 2); // Thursday 8 January 2026
    EXPECT_FALSE(Edit->PopupVisible());
    EXPECT_FALSE(Calendar().Visible());
    EXPECT_EQ(Edit->Text(), "08/01/2026");
}

TEST_F(ToolEditTest, EscapeAndLeavingCloseWithoutTakingTheDate) {
    Edit->SetDateValue(EncodeDate(2026, 5, 5));
    OpenCalendar();
    TestHooks::PressKey(*Edit, VK_RIGHT);
    TestHooks::PressKey(*Edit, VK_ESCAPE);
    EXPECT_FALSE(Edit->PopupVisible());
    EXPECT_EQ(Edit->Text(), "05/05/2026");

    OpenCalendar();
    TestHooks::PressKey(*Edit, VK_RIGHT);
    Other->SetFocus();
    EXPECT_FALSE(Edit->PopupVisible());
    EXPECT_EQ(Edit->Text(), "05/05/2026");
}

TEST_F(ToolEditTest, OnAcceptDateChangesOrRefusesTheChosenDate) {
    Edit->SetDateValue(EncodeDate(2026, 5, 5));
    bool refuse = false;
    Edit->OnAcceptDate = [&](TObject*, TDateTime& date, bool& accept) {
        accept = !refuse;
        date += 7;
    };
    OpenCalendar();
    TestHooks::PressKey(*Edit, VK_RIGHT);
    TestHooks::PressKey(*Edit, VK_RETURN);
    EXPECT_EQ(Edit->Text(), "13/05/2026");
    refuse = true;
    OpenCalendar();
    TestHooks::PressKey(*Edit, VK_RETURN);
    EXPECT_EQ(Edit->Text(), "13/05/2026");
}

TEST_F(ToolEditTest, CheckingTheTextRaisesForNoDateAndPassesBlanks) {
    Edit->SetText("31/02/2026");
    try {
        Edit->CheckDateText();
        ADD_FAILURE() << "no error raised";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "''31/02/2026'' is not a valid date");
    }
    EXPECT_TRUE(Edit->Focused());
    Edit->SetText("  /  /    ");
    EXPECT_FALSE(Edit->HasDateText());
    EXPECT_NO_THROW(Edit->CheckDateText());
    Edit->SetText("8/3/26");
    Edit->CheckDateText();
    EXPECT_EQ(Edit->Text(), "08/03/2026");
}

TEST_F(ToolEditTest, ALocaleChangeKeepsTheDate) {
    Edit->SetDateValue(EncodeDate(2026, 7, 4));
    EXPECT_EQ(Edit->EditMask(), "!99/99/9999;1; ");
    FormatSettings.ShortDateFormat = "yyyy-MM-dd";
    FormatSettings.DateSeparator = '-';
    TMessage settingsChanged{WM_WININICHANGE, 0, 0, 0};
    CallMainWindowHooks(settingsChanged);
    EXPECT_EQ(Edit->DateFormat(), "YYYY/MM/DD");
    EXPECT_EQ(Edit->EditMask(), "!9999/99/99;1; ");
    EXPECT_EQ(Edit->Text(), "2026-07-04");
    Edit->SetYearDigits(dyTwo);
    EXPECT_EQ(Edit->Text(), "26-07-04");
    EXPECT_EQ(Edit->GetDateValue(), EncodeDate(2026, 7, 4));
}

TEST_F(ToolEditTest, TheDialogStyleAsksTheDateDialog) {
    Edit->SetCalendarStyle(csDialog);
    EXPECT_EQ(Edit->Popup(), nullptr);
    Edit->SetDateValue(EncodeDate(2026, 5, 5));
    TestHooks::AnswerModal([](TForm& form) {
        auto& dialog = dynamic_cast<TSelectDateDlg&>(form);
        EXPECT_EQ(dialog.Caption(), "Select a Date");
        EXPECT_EQ(dialog.TitleLabel->Caption(), "May, 2026");
        dialog.NextMonthBtnClick(nullptr);
        EXPECT_EQ(dialog.TitleLabel->Caption(), "June, 2026");
        TestHooks::PressKey(*dialog.Calendar, VK_RIGHT);
        dialog.OKButton->Click();
    });
    TestHooks::PressKey(*Edit, VK_DOWN, TShiftState{ssAlt});
    EXPECT_EQ(Edit->Text(), "06/06/2026");
    TestHooks::AnswerModal([](TForm& form) {
        auto& dialog = dynamic_cast<TSelectDateDlg&>(form);
        TestHooks::PressKey(*dialog.Calendar, VK_RIGHT);
        dialog.CancelButton->Click();
    });
    TestHooks::PressKey(*Edit, VK_DOWN, TShiftState{ssAlt});
    EXPECT_EQ(Edit->Text(), "06/06/2026");
    EXPECT_EQ(TestHooks::QueuedAnswers(), 0);
}

// The button drops the calendar down; pressed again it closes it with the day shown there.
TEST_F(ToolEditTest, TheButtonOpensAndClosesTheCalendar) {
    EXPECT_EQ(Edit->ButtonWidth(), 21);
    EXPECT_EQ(Edit->Button()->NumGlyphs(), 2);
    Edit->SetDateValue(EncodeDate(2026, 3, 9));
    TestHooks::ClickMouse(*Edit->Button(), 10, 8);
    ASSERT_TRUE(Edit->PopupVisible());
    TestHooks::ClickMouse(*Calendar().Buttons()[csNextMonth], 7, 7);
    TestHooks::ClickMouse(*Calendar().Buttons()[csNextYear], 7, 7);
    EXPECT_EQ(Calendar().TitleLabel()->Caption(), "April, 2027");
    TestHooks::ClickMouse(*Edit->Button(), 10, 8);
    EXPECT_FALSE(Edit->PopupVisible()) << "the press that closes is no click";
    EXPECT_EQ(Edit->Text(), "09/04/2027");

    Edit->SetReadOnly(true);
    TestHooks::ClickMouse(*Edit->Button(), 10, 8);
    EXPECT_FALSE(Edit->PopupVisible());
}

TEST_F(ToolEditTest, CalendarHintsAreKeptToFourAndEmptyLinesKeepTheButtonsOwn) {
    Edit->SetCalendarHints({"Year back", "", "Month on", "Year on", "5", "6", "7", "8", "9", "10"});
    EXPECT_EQ(Edit->CalendarHints().Count(), 4);
    const char* const expected[] = {"Year back", "Previous Month|", "Month on", "Year on"};
    for (int step = csPrevYear; step <= csNextYear; ++step)
        EXPECT_EQ(Calendar().Buttons()[step]->Hint(), expected[step]) << step;
}

TEST_F(ToolEditTest, GlyphKindsSetTheButtonsPictureAndWidth) {
    Edit->SetGlyphKind(gkDropDown);
    EXPECT_EQ(Edit->ButtonWidth(), 17);
    EXPECT_EQ(Edit->Button()->NumGlyphs(), 1);
    Edit->SetGlyphKind(gkEllipsis);
    EXPECT_EQ(Edit->Button()->Glyph().Width(), 11);
    Edit->SetButtonWidth(30);
    EXPECT_EQ(Edit->Button()->Glyph().Width(), 24);
    Edit->SetButtonWidth(500);
    EXPECT_EQ(Edit->ButtonWidth(), 30) << "no wider than the edit";
    Edit->SetGlyphKind(gkDefault);
    EXPECT_EQ(Edit->ButtonWidth(), 21);
    EXPECT_EQ(Edit->Button()->NumGlyphs(), 2);
}

// Leaving a date edit that checks on exit: no date keeps the focus and says why.
TEST_F(ToolEditTest, CheckOnExitKeepsTheFocusOnTextThatIsNoDate) {
    Edit->SetCheckOnExit(true);
    TestHooks::TypeText(*Edit, "31/02/2026");
    TestHooks::AnswerMessageBox(IDOK);
    TestHooks::PressKey(*Edit, VK_TAB);
    ASSERT_FALSE(TestHooks::Prompts().empty());
    // shown as the framework shows an error, with a full stop added
    EXPECT_EQ(TestHooks::Prompts().back().Text, "''31/02/2026'' is not a valid date.");
    EXPECT_TRUE(Edit->Focused());

    Edit->SetText("1/3/26");
    TestHooks::PressKey(*Edit, VK_TAB);
    EXPECT_TRUE(Other->Focused());
    EXPECT_EQ(Edit->Text(), "01/03/2026");
}
