// Closing the main window: every modified page is asked about; Cancel keeps that page and the
// program; the system browser's settings go back only when the window really closes.

#include "MainWindowSupport.h"
#include "TestSupport.h"
#include "platform/FileUtils.h"
#include "platform/TestHooks.h"
#include "publish/InternalBrowser.h"

#include <gtest/gtest.h>

using namespace MainWindowSupport;

namespace {

const String BrowserKey = "\\Software\\Microsoft\\Internet Explorer\\Main";

} // namespace

TEST(MainClose, ModifiedPagesAnsweredYesNoAndCancel) {
    Store(BrowserKey, {{"Display Inline Images", String("no")}, {"GlobalUserOffline", 0}});
    String saved = TestSupport::Sandbox("saved.htm");
    String dropped = TestSupport::Sandbox("dropped.htm");
    String kept = TestSupport::Sandbox("kept.htm");
    for (const String& name : {saved, dropped, kept})
        WriteFileAtomic(name, "old");
    auto form = MakeMainWindow();
    EXPECT_EQ(form->InternalBrowser->SavedInlineImages, "no");
    UsePage(*form, 0, saved, "new 1", true);
    UsePage(*form, 3, dropped, "new 2", true);
    UsePage(*form, 5, "/unchanged.htm", "same");
    UsePage(*form, 8, kept, "new 3", true);
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKeyReadOnly(BrowserKey));
        EXPECT_EQ(reg.ReadString("Display Inline Images"), "yes");
        EXPECT_TRUE(reg.ReadBool("GlobalUserOffline"));
    }

    TestHooks::AnswerMessageBox(IDYES);
    TestHooks::AnswerMessageBox(IDNO);
    TestHooks::AnswerMessageBox(IDCANCEL);
    bool canClose = true;
    form->FormCloseQuery(form.get(), canClose);
    TCloseAction action = caHide;
    form->FormClose(form.get(), action);

    const auto& prompts = TestHooks::Prompts();
    ASSERT_EQ(prompts.size(), 3u);
    EXPECT_EQ(prompts[0].Text, "saved.htm has changed. Save it?");
    EXPECT_EQ(prompts[2].Text, "kept.htm has changed. Save it?");
    EXPECT_EQ(prompts[0].Caption, "Quiltmarker");
    EXPECT_EQ(prompts[0].Buttons(), static_cast<UINT>(MB_YESNOCANCEL));
    EXPECT_EQ(prompts[0].Icon(), static_cast<UINT>(MB_ICONQUESTION));
    EXPECT_FALSE(canClose);
    EXPECT_EQ(action, caNone);
    EXPECT_EQ(ReadFileBytes(saved), "new 1");
    EXPECT_EQ(ReadFileBytes(dropped), "old");
    EXPECT_EQ(ReadFileBytes(kept), "old");
    for (int page : {0, 3, 5})
        EXPECT_FALSE(form->PageInUse(page)) << page;
    ASSERT_TRUE(form->PageInUse(8));
    EXPECT_EQ(form->Memos[8]->Text(), "new 3");
    EXPECT_TRUE(form->Memos[8]->Modified());
    EXPECT_TRUE(TestHooks::HelpRequests().empty());
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKeyReadOnly(BrowserKey));
        EXPECT_EQ(reg.ReadString("Display Inline Images"), "yes");
    }

    // Asked again, the page left is let go without saving and the window closes.
    TestHooks::AnswerMessageBox(IDNO);
    form->FormCloseQuery(form.get(), canClose);
    form->FormClose(form.get(), action);
    EXPECT_TRUE(canClose);
    EXPECT_EQ(action, caFree);
    EXPECT_FALSE(form->AnyDocumentOpen());
    EXPECT_EQ(ReadFileBytes(kept), "old");
    ASSERT_EQ(TestHooks::HelpRequests().size(), 1u);
    EXPECT_EQ(TestHooks::HelpRequests()[0].HelpFile, form->HelpFileName);
    EXPECT_EQ(TestHooks::HelpRequests()[0].Command, static_cast<UINT>(HELP_QUIT));
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly(BrowserKey));
    EXPECT_EQ(reg.ReadString("Display Inline Images"), "no");
    EXPECT_FALSE(reg.ReadBool("GlobalUserOffline"));
}

// The browser settings that were not there are neither overridden nor written back.
TEST(MainClose, AbsentBrowserSettingsStayAbsent) {
    auto form = MakeMainWindow();
    bool canClose = false;
    form->FormCloseQuery(form.get(), canClose);
    TCloseAction action = caHide;
    form->FormClose(form.get(), action);
    EXPECT_TRUE(canClose);
    EXPECT_EQ(action, caFree);
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly(BrowserKey));
    EXPECT_FALSE(reg.ValueExists("Display Inline Images"));
    EXPECT_FALSE(reg.ValueExists("GlobalUserOffline"));
}
