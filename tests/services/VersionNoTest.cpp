// The version number: the label it fills, the texts made from templates and parts, and the
// compile date and time it reads.

#include "services/VersionNo.h"

#include "platform/DateTime.h"
#include "platform/StdCtrls.h"
#include "platform/TestHooks.h"

#include <gtest/gtest.h>

namespace {

// As the main window's version number is set: 3.0d.
void SetMainWindowVersion(TVersionNo& version) {
    version.SetVerMajor(3);
    version.SetVerMinor("0");
    version.SetVerSubType(vtLetter);
    version.SetVerSub("d");
}

} // namespace

TEST(VersionNo, TheLabelShowsItsFormatFilledInAndFollowsEveryChange) {
    TComponent owner(nullptr);
    auto* label = new TLabel(&owner);
    TVersionNo version(nullptr);
    version.SetAssociatedLabel(label);
    EXPECT_EQ(label->Caption(), "Version 1.0 Build 0");

    SetMainWindowVersion(version);
    version.SetLabelFormat("Version %1.%2%3");
    EXPECT_EQ(label->Caption(), "Version 3.0d");

    version.SetVerSubType(vtNumber);
    EXPECT_EQ(label->Caption(), "Version 3.04");
    version.SetVerSubType(vtLetter);
    version.SetLabelFormat("%1.%2%3 build %4.%5");
    version.SetVerBuild(7);
    version.SetVerBuildSub(18);
    version.SetPadVerMinor(true);
    version.SetVerMinor("5");
    EXPECT_EQ(label->Caption(), "3.05d build 7.18");
    version.SetCopyrightName("Someone Else");
    EXPECT_EQ(label->Caption(), "3.05d build 7.18") << "the copyright is not on the label";

    delete label;
    version.SetVerMajor(4); // the freed label is forgotten, not written
    EXPECT_EQ(version.AssociatedLabel(), nullptr);
}

TEST(VersionNo, TemplatesAndChosenPartsMakeTheVersionTexts) {
    ResetFormatSettingsForTests();
    TVersionNo version(nullptr);
    SetMainWindowVersion(version);
    version.SetVerBuildSub(18);
    version.SetCopyrightName("Olvane Software");
    version.SetCopyrightYear("1998-2002");
    version.SetCompiledDate("30-7-02");
    version.SetCompiledTime("2:44:05");

    const std::pair<const char*, const char*> templates[] = {
        {"%1.%2%3.%4", "3.0d.0"},
        {"%12", "2"},
        {"%7x", "x"},
        {"v%", "v"},
        {"%c/%N/%Y", "Olvane Software/Olvane Software/1998-2002"},
        {"%D %t", "30 Jul 2002 02:44:05"},
        {"%x%", ""},
    };
    for (auto [format, text] : templates) {
        SCOPED_TRACE(format);
        EXPECT_EQ(version.MakeVerText(format, "0"), text);
    }
    EXPECT_EQ(version.MakeVerText("%1.%2.%3.%4", "FileVersion"), "3.0.4.0");

    EXPECT_EQ(version.ShowVersionNumber(true, true, true), "3.0d");
    EXPECT_EQ(version.ShowVersionNumber(true, true, true, true, true), "3.0d.0.18");
    EXPECT_EQ(version.ShowVersionNumber(), "3.0");
    EXPECT_EQ(version.GetVersion(), "v.3.0d");
    EXPECT_EQ(version.GetVersionNoShort(), "3");
    version.SetVerBuild(9);
    EXPECT_EQ(version.GetVersionNoLong(), "3.0d.9");
    version.SetVerSubType(vtNumber);
    EXPECT_EQ(version.GetVersion(true), "3.0.4");

    const std::pair<const char*, const char*> infos[] = {
        {"%J.%N%S b%B", "3.04 b9"},
        {"%X", "%X"},
        {"100%", "100%"},
        {"%CN|%cy|%CM|%Cx", "Olvane Software|1998-2002|Copyright \xA9 Olvane Software "
                            "1998-2002|Copyright \xA9 Olvane Software 1998-2002x"},
        {"[%D'd mmm yyyy hh:nn:ss']", "[30 Jul 2002 02:44:05]"},
        {"%Dyyyy%J", "2002J"},
    };
    for (auto [format, text] : infos) {
        SCOPED_TRACE(format);
        EXPECT_EQ(version.GetVersionInfoFormatted(format), text);
    }

    EXPECT_EQ(version.ShowVersionInfo(false, "Quiltmarker", "Thanks"),
              "Quiltmarker\r\n\nVersion 3.0.4.9 (Build 18)\r\nCompiled: Tue 30 July 2002 at "
              "02:44:05\r\n\nCopyright \xA9 Olvane Software 1998-2002\r\n\nThanks");
}

TEST(VersionNo, CompileDateAndTimeAreReadInTheirOrderOrRefusedWithAMessage) {
    ResetFormatSettingsForTests();
    struct Case {
        TDateType Order;
        const char* Text;
        const char* Shown;   // CompiledDate afterwards
        const char* Message; // the forms the refusal names; none when the text is read
    };
    const Case cases[] = {
        {dmy, "30-7-02", "30-7-02", nullptr},
        {dmy, "1/2/99", "1-2-99", nullptr},
        {dmy, "5.6.50", "5-6-50", nullptr},
        {mdy, "7/30/02", "7-30-02", nullptr},
        {ymd, "02.7.30", "02-7-30", nullptr},
        {dmy, "30-7", "", "d-m-yy, d/m/yy or d.m.yy"},
        {mdy, "30 July", "", "m-d-yy, m/d/yy or m.d.yy"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text);
        TVersionNo version(nullptr);
        version.SetDateType(c.Order);
        String before = version.CompiledDate();
        if (c.Message)
            TestHooks::AnswerMessageBox(IDOK);
        version.SetCompiledDate(c.Text);
        if (!c.Message) {
            EXPECT_EQ(version.CompiledDate(), c.Shown);
            continue;
        }
        EXPECT_EQ(version.CompiledDate(), before);
        EXPECT_EQ(TestHooks::Prompts().back().Text,
                  "Invalid Compile Date - please use one of the following forms:\r\n" +
                      String(c.Message));
    }

    TVersionNo version(nullptr);
    version.SetCompiledDate("30-7-02");
    EXPECT_THROW(version.SetCompiledDate("31-2-03"), EConvertError);
    EXPECT_EQ(version.GetDateCompiled("d mmmm yyyy"), "30 July 2002");
    version.SetDateType(ymd);
    EXPECT_EQ(version.CompiledDate(), "02-7-30");

    version.SetCompiledTime("2:44");
    EXPECT_EQ(version.CompiledTime(), "02:44:00");
    TestHooks::AnswerMessageBox(IDOK);
    version.SetCompiledTime("2.44");
    EXPECT_EQ(TestHooks::Prompts().back().Text,
              "Invalid compile time. Please format time as h:m:s");
    EXPECT_EQ(version.CompiledTime(), "02:44:00");
    FormatSettings.TimeSeparator = '.';
    EXPECT_EQ(version.GetDateCompiled("hh:nn"), "02:44");
    ResetFormatSettingsForTests();
}
