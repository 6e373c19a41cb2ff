#pragma once
// What the element dialogs' tests share: the main window with a page open in the sandbox, the
// shared routines form, and a dialog answered through the modal-form hook.

#include "TestSupport.h"
#include "editor/MainWindowSupport.h"
#include "platform/FileUtils.h"
#include "platform/TestHooks.h"
#include "tags/HTMLGlobal.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace ElementDialogSupport {

class ElementDialogTest : public testing::Test {
protected:
    void SetUp() override {
        GlobalForm = new TGlobalForm(nullptr);
        Main = MainWindowSupport::MakeMainWindow();
        Folder = IncludeTrailingPathDelimiter(TestSupport::CurrentSandbox);
    }
    void TearDown() override {
        Main.reset();
        delete GlobalForm;
        GlobalForm = nullptr;
    }

    // The page's text with a selection, as the user left it.
    void OpenPage(const String& text, int selStart, int selLength,
                  const String& fileName = "page.htm") {
        MainWindowSupport::UsePage(*Main, 0, Folder + fileName, text);
        Editor()->SetSelStart(selStart);
        Editor()->SetSelLength(selLength);
    }
    TRichEdit* Editor() const { return Main->Memos[0]; }
    String PageText() const { return Editor()->Text(); }
    int Caret() const { return Editor()->SelStart(); }

    // The dialog of type TDialog, when it shows, is filled and closed by answer.
    template <typename TDialog> static void Answer(std::function<void(TDialog&)> answer) {
        TestHooks::AnswerModal([answer](TForm& form) { answer(dynamic_cast<TDialog&>(form)); });
    }

    std::unique_ptr<THTMLEMainForm> Main;
    String Folder;
};

} // namespace ElementDialogSupport
