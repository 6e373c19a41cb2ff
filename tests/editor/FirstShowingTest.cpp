// The main window's first showing: the splash goes, the command line's file opens, once.

#include "MainWindowSupport.h"
#include "TestSupport.h"
#include "editor/HTMLSplash.h"
#include "platform/FileUtils.h"

#include <gtest/gtest.h>

using namespace MainWindowSupport;

namespace {

struct CommandLineCase {
    const char* Name;
    bool Exists;
    bool Opens;
};

class FirstShowing : public testing::TestWithParam<CommandLineCase> {
protected:
    void TearDown() override { StartupCommandLine.clear(); }
};

} // namespace

TEST_P(FirstShowing, FreesTheSplashAndOpensTheCommandLineFileOnlyOnce) {
    const CommandLineCase& param = GetParam();
    String page = TestSupport::Sandbox(param.Name);
    if (param.Exists)
        WriteFileAtomic(page, "<p>\n");
    StartupCommandLine = page;
    Splash = new TSplash(nullptr);
    Splash->Show();
    auto form = MakeMainWindow();
    ASSERT_TRUE(form->FirstShowPending);

    form->Show();
    EXPECT_EQ(Splash, nullptr);
    EXPECT_FALSE(form->FirstShowPending);
    EXPECT_EQ(form->PageInUse(0), param.Opens);
    EXPECT_EQ(form->FileNames[0], param.Opens ? page : String());

    // Showing again after the page closed opens nothing more.
    form->Hide();
    form->Memos[0]->SetModified(false);
    form->Close1Click(nullptr);
    form->Show();
    EXPECT_FALSE(form->PageInUse(0));
    EXPECT_FALSE(form->PageInUse(1));
}

INSTANTIATE_TEST_SUITE_P(CommandLines, FirstShowing,
                         testing::Values(CommandLineCase{"Page.html", true, true},
                                         CommandLineCase{"missing.html", false, false},
                                         CommandLineCase{"picture.png", true, false}),
                         [](const auto& info) {
                             return info.index == 0   ? "ExistingPage"
                                    : info.index == 1 ? "MissingFile"
                                                      : "NotText";
                         });
