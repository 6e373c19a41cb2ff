#include "publish/CodeExpansion.h"

#include "platform/Registry.h"
#include "platform/TestHooks.h"
#include "platform/TimeZone.h"

#include "LargestAllocation.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

// Monday 15 January 2024 and Monday 15 July 2024, 14:05:09, in London unless a case says else.
TDateTime Winter() {
    return EncodeDate(2024, 1, 15) + EncodeTime(14, 5, 9, 0);
}
TDateTime Summer() {
    return EncodeDate(2024, 7, 15) + EncodeTime(14, 5, 9, 0);
}

class CodeExpansionTest : public testing::Test {
protected:
    void SetUp() override {
        FSaved = FormatSettings;
        ResetFormatSettingsForTests();
        SetTimeZoneForTests("Europe/London");
        SetMoment(Winter());
        FContext.SourcePath = "/site/pages/index.shtml";
        FContext.DestinationKey = "/srv/www.example.com/upload";
    }
    void TearDown() override {
        FormatSettings = FSaved;
        SetClockForTests({});
        SetTimeZoneForTests("");
    }

    // The time zone reads the program's clock; the expansion is given the same one.
    void SetMoment(TDateTime moment) {
        SetClockForTests([moment] { return moment; });
        FContext.Clock = [moment] { return moment; };
    }

    void AddCode(const String& name, const String& text) {
        FContext.ReplaceCodes.Names.push_back(name);
        FContext.ReplaceCodes.Texts.push_back(text);
    }

    TExpansionContext FContext;

private:
    TFormatSettings FSaved;
};

struct ZoneCase {
    const char* Zone;
    TDateTime Moment;
    const char* Text;
    const char* Expected;
};

TEST_F(CodeExpansionTest, BuiltInCodesGiveNamesDatesAndTheZone) {
    const ZoneCase cases[] = {
        {"Europe/London", Winter(), "Page: {{filename}}", "Page: index.shtml"},
        {"Europe/London", Winter(), "{{FullPath}}", "/site/pages/index.shtml"},
        {"Europe/London", Winter(), "{{d mmmm yyyy}}, {{hh:mm}}", "15 January 2024, 14:05"},
        {"Europe/London", Winter(), "{{dddd 'at' h:nn am/pm}}", "Monday at 2:05 pm"},
        {"Europe/London", Winter(), "<{{}}>", "<1/15/2024 2:05:09 PM>"},
        // The name ends at the first "}", and the two characters after it are skipped.
        {"Europe/London", Winter(), "{{yyyy}x!", "2024!"},
        {"Europe/London", Winter(), "a { b } {c} {", "a { b } {c} {"},
        {"Europe/London", Winter(), "{{hh:nn}} {{GMT}}", "14:05 GMT"},
        {"Europe/London", Summer(), "{{hh:nn}} {{GMT}}", "14:05 BST"},
        {"Europe/London", Winter(), "{{convgmt}}{{hh:nn}}", "14:05"},
        {"Europe/London", Summer(), "{{convgmt}}{{hh:nn}} {{hh:nn}}", "13:05 14:05"},
        {"America/New_York", Winter(), "{{convgmt}}{{hh:nn}}", "19:05"},
        {"America/New_York", Summer(), "{{convgmt}}{{d hh:nn}}", "15 18:05"},
        {"Europe/London", Winter(), "{{gmtadjust}}{{hh:nn}}", "14:05"},
        {"Europe/London", Summer(), "{{gmtadjust}}{{GMT}} {{hh:nn}} {{hh:nn}}", "BST 13:05 14:05"},
        {"Europe/London", Summer(), "{{convgmt}}{{gmtadjust}}{{hh:nn}}", "12:05"},
        {"Europe/London", Winter(), "{{last major revision}}",
         "Last revision: 15 January 2024 at 14:05 GMT"},
    };
    for (const ZoneCase& c : cases) {
        SetTimeZoneForTests(c.Zone);
        SetMoment(c.Moment);
        EXPECT_EQ(ExpandCodes(c.Text, FContext), c.Expected) << c.Zone << " " << c.Text;
    }
}

struct VariantCase {
    const char* Text;
    const char* Destination;
    bool Preview;
    const char* Expected;
};

TEST_F(CodeExpansionTest, ReplaceCodesExpandWithTheirVariants) {
    AddCode("filename", "custom name");
    AddCode("Sig", "Line one\\nLine two");
    AddCode("Host", "[[example.com]]Example\\n[[default]]Elsewhere");
    AddCode("Nested", "Made {{yyyy}} by {{Sig}}");
    AddCode("Pic", "[[Browser]]<img src=\"local.gif\">\\n[[default]]<img src=\"remote.gif\">");
    const VariantCase cases[] = {
        {"{{FILENAME}}", "/srv/a", false, "custom name"},
        {"{{sig}}.", "/srv/a", false, "Line one\r\nLine two."},
        {"{{Host}}", "/srv/www.EXAMPLE.com/upload", false, "Example"},
        {"{{Host}}", "/srv/other/upload", false, "Elsewhere"},
        {"{{Nested}}", "/srv/a", false, "Made 2024 by Line one\r\nLine two"},
        {"{{Pic}}", "myisp", true, "<img src=\"local.gif\">\r\n"},
        {"{{Pic}}", "myisp", false, "<img src=\"remote.gif\">"},
        // A browser section is left out of a preview only, and only up to its exact end marker.
        {"x{{browser#}}y{{#Browser}}z", "/srv/a", false, "xyz"},
        {"x{{browser#}}y{{#Browser}}z", "/srv/a", true, "xz"},
        {"x{{browser#}}y{{#browser}}z", "/srv/a", true, "x"},
    };
    for (const VariantCase& c : cases) {
        FContext.DestinationKey = c.Destination;
        FContext.BrowserPreview = c.Preview;
        EXPECT_EQ(ExpandCodes(c.Text, FContext), c.Expected) << c.Text << " " << c.Preview;
    }
}

TEST_F(CodeExpansionTest, UnclosedOrEndlessCodesStopTheRunWithAMessage) {
    AddCode("Loop", "again {{loop}}");
    AddCode("Broken", "{{hh:nn");
    AddCode("Twice", "{{twice}}{{twice}}");
    const char* const pages[] = {"abc {{hh:nn", "{{broken}} rest", "<p>{{Loop}}</p>", "{{Twice}}"};
    for (const char* page : pages) {
        TestHooks::Reset();
        TestHooks::AnswerMessageBox(IDOK);
        EXPECT_THROW(ExpandCodes(page, FContext), EAbort) << page;
        ASSERT_EQ(TestHooks::Prompts().size(), 1u) << page;
        const TestHooks::TPrompt& shown = TestHooks::Prompts()[0];
        EXPECT_EQ(shown.Text, "Syntax error: Unclosed {{");
        EXPECT_EQ(shown.Caption, "Ferrydock 95");
        EXPECT_EQ(shown.Icon(), UINT(MB_ICONERROR));
    }
}

// A code naming itself eight hundred times multiplies the page by eight hundred in every pass: the
// third pass would reach gigabytes. It stops at the bound with the message, asking no more of the
// heap than the bound allows.
TEST_F(CodeExpansionTest, ACodeGrowingThePageWithinOnePassStopsAtTheBound) {
    String selfCopies;
    for (int i = 0; i < 800; ++i)
        selfCopies += "{{a}}";
    AddCode("a", selfCopies);
    TestHooks::AnswerMessageBox(IDOK);
    const String page = "<p>{{a}}</p>";
    ResetLargestAllocation();
    EXPECT_THROW(ExpandCodes(page, FContext), EAbort);
    EXPECT_LE(LargestAllocation(), page.size() + MaxCodeGrowth + 1); // with the closing zero
    ASSERT_EQ(TestHooks::Prompts().size(), 1u);
    EXPECT_EQ(TestHooks::Prompts()[0].Text, "Syntax error: Unclosed {{");

    // Two passes that stay well within it: 800 copies of a text of 800 characters.
    AddCode("b", StringReplace(selfCopies, "{{a}}", "{{c}}", rfReplaceAll));
    AddCode("c", String(800, 'x'));
    EXPECT_EQ(ExpandCodes("{{b}}", FContext), String(800 * 800, 'x'));
}

TEST_F(CodeExpansionTest, TheFirstApplyingVariantIsSelected) {
    const VariantCase cases[] = {
        {"[[alpha]]A[[beta]]B[[default]]D", "/srv/beta-site", false, "B"},
        {"[[alpha]]A[[beta]]B[[default]]D", "/srv/gamma", false, "D"},
        {"[[default]]D[[alpha]]A", "/srv/alpha", false, "D"},
        {"[[alpha]]A", "/srv/beta", false, ""},
        // An empty key is found nowhere.
        {"[[]]Empty[[default]]D", "/srv/x", false, "D"},
        {"[[ALPHA]]A\\n\\n \r\n[[x]]X", "/srv/Alpha", false, "A"},
        {"[[alpha]]A \r\n\\n[[x]]X", "/srv/alpha", false, "A \r\n"},
        {"[[alpha]]\n", "/srv/alpha", false, "\n"},
        {"[[Browser]]{{Local}} tail[[default]]D", "/srv/x", true, "{{Local}}"},
        {"[[Browser]]{{Local", "/srv/x", true, ""},
        {"[[Browser]]", "/srv/x", true, ""},
        {"[[Browser]]B \r\n", "/srv/x", true, "B"},
        {"[[Browser]]B[[default]]D", "/srv/x", false, "D"},
    };
    for (const VariantCase& c : cases) {
        FContext.DestinationKey = c.Destination;
        FContext.BrowserPreview = c.Preview;
        EXPECT_EQ(SelectDestinationText(c.Text, FContext), c.Expected) << c.Text;
    }
}

TEST_F(CodeExpansionTest, AnUnclosedVariantKeyIsReportedAndGivesNothing) {
    FContext.DestinationKey = "/srv/beta";
    TestHooks::AnswerMessageBox(IDOK);
    EXPECT_EQ(SelectDestinationText("[[alpha]]A[[beta", FContext), "");
    ASSERT_EQ(TestHooks::Prompts().size(), 1u);
    EXPECT_EQ(TestHooks::Prompts()[0].Text, "Syntax error: Unclosed \"[[\"");
    EXPECT_EQ(TestHooks::Prompts()[0].Caption, "Publish Document");
    EXPECT_EQ(TestHooks::Prompts()[0].Icon(), UINT(MB_ICONERROR));
}

struct StampCase {
    const char* Page;
    const char* Kind;
    const char* Expected;
};

TEST_F(CodeExpansionTest, RevisionTextsComeFromTheStamps) {
    // 45306.5 is 15 January 2024 at 12:00, 45307.75 the next day at 18:00.
    const char* const major = "Last major revision: 15 January 2024 at 12:00 {{GMT}}";
    const char* const minor = "Minor revisions: 16 January 2024 at 18:00 {{GMT}}";
    const StampCase cases[] = {
        {"</html>\r\n<!-- LR45307.75LR -->\r\n<!-- LMR45306.5LMR -->\r\n", "major", major},
        {"</html>\r\n<!-- LR45307.75LR -->\r\n<!-- LMR45306.5LMR -->\r\n", "minor", minor},
        {"</html>\r\n<!-- LR45307,75LR -->\r\n<!-- LMR45306,5LMR -->\r\n", "minor", minor},
        {"</html>\r\n<!-- LR45306.5LR -->\r\n<!-- LMR45306.5LMR -->\r\n", "minor", ""},
        {"</html>\r\n<!-- LMR45306.5LMR -->\r\n", "major", major},
        {"</html>\r\n<!-- LMR45306.5LMR -->\r\n", "minor", ""},
        {"</html>\r\n<!-- LR45307.75LR -->\r\n", "minor",
         "Minor revisions: 16 January 2024 at 18:00 {{GMT}}"},
        {"<p>{{Last Minor Revision}}</p></html>\r\n<!-- LR45307.75LR -->", "major", ""},
        {"</html>", "major", "Last revision: {{d mmmm yyyy}} at {{hh:nn}} {{GMT}}"},
        {"</html>", "minor", ""},
        {"</html>\r\n<!-- LR45307.75LR -->\r\n<!-- LMR45306.5LMR -->\r\n", "other", ""},
    };
    for (const StampCase& c : cases)
        EXPECT_EQ(RevisionStampText(c.Page, c.Kind), c.Expected) << c.Page << " " << c.Kind;
    EXPECT_THROW(RevisionStampText("<!-- LMRsoonLMR -->", "major"), EConvertError);
}

TEST_F(CodeExpansionTest, ReplaceCodesAreReadFromTheRegistry) {
    EXPECT_TRUE(ReadReplaceCodes().Names.empty());
    TRegistry registry;
    ASSERT_TRUE(registry.KeyExists("Software\\Olvane\\Quiltmarker\\Replace Codes"));

    ASSERT_TRUE(registry.OpenKey("Software\\Olvane\\Quiltmarker\\Replace Codes", false));
    registry.WriteString("Sig", "[[default]]Yours");
    registry.WriteInteger("Count", 3);
    registry.WriteString("Host", "example");
    const TReplaceCodes codes = ReadReplaceCodes();
    EXPECT_EQ(codes.Names, (std::vector<String>{"Sig", "Host"}));
    EXPECT_EQ(codes.Texts, (std::vector<String>{"[[default]]Yours", "example"}));
    EXPECT_EQ(codes.IndexOf("HOST"), 1);
    EXPECT_EQ(codes.IndexOf("Count"), -1);
}

} // namespace
