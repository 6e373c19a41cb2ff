// The twenty pages, their accessors, the status bar, and a file handed over by a second copy.

#include "MainWindowSupport.h"
#include "TestSupport.h"
#include "editor/Templates.h"
#include "platform/FileUtils.h"
#include "platform/TestHooks.h"
#include "widgets/QmToolbars.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace MainWindowSupport;

namespace {

String Lines(int count) {
    String text;
    for (int line = 0; line < count; ++line)
        text += "line " + IntToStr(line) + "\r\n";
    return text;
}

} // namespace

TEST(DocumentPages, StatusBarTextsFollowThePagesInUse) {
    struct Case {
        const char* Situation;
        std::function<void(THTMLEMainForm&)> Arrange;
        std::array<const char*, 6> Panels;
    };
    const Case cases[] = {
        {"no page, character positions",
         [](THTMLEMainForm&) {},
         {"Char:", "Folder:", "File:", "", "", "No files open/None modified"}},
        {"no page, line numbers",
         [](THTMLEMainForm& form) { form.ShowLineNumbers = true; },
         {"Line:", "Folder:", "File:", "", "", "No files open/None modified"}},
        {"one unmodified page",
         [](THTMLEMainForm& form) { UsePage(form, 4, "/Site/Index.HTML", "<p>\r\n"); },
         {"Char: 1", "Folder: /Site/", "File: Index.HTML", "", "",
          "1 file open / No files modified"}},
        {"three pages, the active one modified",
         [](THTMLEMainForm& form) {
             UsePage(form, 0, "/a.htm", "a");
             UsePage(form, 9, "/b.htm", "b");
             UsePage(form, 2, "/web/c.htm", "c", true);
         },
         {"Char: 1", "Folder: /web/", "File: c.htm", "", "Modified",
          "3 files open / 1 file modified"}},
        {"two modified pages",
         [](THTMLEMainForm& form) {
             UsePage(form, 0, "/a.htm", "a", true);
             UsePage(form, 1, "/b.htm", "b", true);
         },
         {"Char: 1", "Folder: /", "File: b.htm", "", "Modified",
          "2 files open / 2 files modified"}},
        {"an untitled page",
         [](THTMLEMainForm& form) { UsePage(form, 0, "[untitled3]", ""); },
         {"Char: 1", "Folder: ", "File: [untitled3]", "", "", "1 file open / No files modified"}},
        {"caret at the start with line numbers",
         [](THTMLEMainForm& form) {
             form.ShowLineNumbers = true;
             UsePage(form, 0, "/a.htm", "ab\r\ncd");
         },
         {"Line:    1:    1", "Folder: /", "File: a.htm", "", "",
          "1 file open / No files modified"}},
        {"line 12, column 3",
         [](THTMLEMainForm& form) {
             form.ShowLineNumbers = true;
             UsePage(form, 0, "/a.htm", Lines(20));
             form.Memos[0]->SetSelStart(static_cast<int>(Lines(11).size()) + 2);
         },
         {"Line:   12:    3", "Folder: /", "File: a.htm", "", "",
          "1 file open / No files modified"}},
        {"line 1234, column 7, the end of a selection counts",
         [](THTMLEMainForm& form) {
             form.ShowLineNumbers = true;
             UsePage(form, 0, "/a.htm", Lines(1300));
             form.Memos[0]->SetSelStart(static_cast<int>(Lines(1233).size()));
             form.Memos[0]->SetSelLength(6);
         },
         {"Line: 1234:    7", "Folder: /", "File: a.htm", "", "",
          "1 file open / No files modified"}},
        {"character position counts CR LF as two",
         [](THTMLEMainForm& form) {
             UsePage(form, 0, "/a.htm", "ab\r\ncd");
             form.Memos[0]->SetSelStart(5);
         },
         {"Char: 6", "Folder: /", "File: a.htm", "", "", "1 file open / No files modified"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Situation);
        auto form = MakeMainWindow();
        c.Arrange(*form);
        form->UpdateStatusBar();
        // The insert panel follows the editor's focus; it is checked only where no page is open.
        for (int panel = 0; panel < 6; ++panel)
            if (panel != THTMLEMainForm::InsertPanel || !form->AnyDocumentOpen()) {
                EXPECT_EQ(PanelText(*form, panel), c.Panels[panel]) << "panel " << panel;
            }
        if (form->AnyDocumentOpen()) {
            EXPECT_TRUE(form->Documents->Save1->Enabled());
            EXPECT_TRUE(form->EditCommands->CutButton->Enabled());
        }
    }
}

// After the last page closed, -1 still names the editor of the page that was active last; only
// the page-in-use test tells that no page is open.
TEST(DocumentPages, GetMemoOfTheActivePageOutlivesTheLastPage) {
    auto form = MakeMainWindow();
    UsePage(*form, 6, "/a.htm", "text");
    ASSERT_EQ(form->GetMemo(-1), form->Memos[6]);
    form->Documents->Close1Click(form->Documents->Close1);
    EXPECT_FALSE(form->AnyDocumentOpen());
    EXPECT_FALSE(form->PageInUse(-1));
    EXPECT_EQ(form->GetMemo(-1), form->Memos[6]);
    EXPECT_EQ(form->GetMemo(-1)->Text(), "");
    EXPECT_EQ(form->ActiveFileName(), "");
    EXPECT_FALSE(form->PageControl1->Visible());
    EXPECT_FALSE(form->Documents->Save1->Enabled());
    EXPECT_EQ(PanelText(*form, THTMLEMainForm::CountPanel), "No files open/None modified");
}

// With word wrap a line of the text takes several lines on screen; the view is kept by the text's
// own line, and restored whatever the rewrite did to the scrolling.
TEST(DocumentPages, RestoreEditorViewScrollsToTheLineItSaved) {
    String longLines;
    for (int line = 0; line < 300; ++line)
        longLines += "line " + IntToStr(line) + " " + String(400, 'x') + "\r\n";
    const std::pair<const char*, String> cases[] = {{"short lines", Lines(300)},
                                                    {"wrapped lines", longLines}};
    for (const auto& [kind, text] : cases) {
        SCOPED_TRACE(kind);
        auto form = MakeMainWindow();
        form->SetBounds(0, 0, 800, 600);
        form->Show();
        UsePage(*form, 0, "/a.htm", text);
        Application->ProcessMessages();
        TRichEdit* editor = form->Memos[0];
        editor->SetSelStart(30);
        editor->SetSelLength(4);
        int screenLine = editor->ScreenLineOfDocumentLine(50);
        form->ScrollToLine(editor, screenLine);
        ASSERT_EQ(form->FirstVisibleLine(editor), screenLine);
        int selStart = -1;
        int selLength = -1;
        int first = form->SaveEditorView(editor, &selStart, &selLength);
        EXPECT_EQ(first, static_cast<int>(editor->Perform(EM_LINEINDEX, 50, 0)));
        EXPECT_FALSE(editor->Enabled());
        // A rewrite that leaves the view elsewhere than at the top.
        editor->SetText(text);
        form->ScrollToLine(editor, screenLine + 70);
        form->RestoreEditorView(editor, first, selStart, selLength);
        EXPECT_EQ(form->FirstVisibleLine(editor), screenLine);
        EXPECT_EQ(editor->SelStart(), 30);
        EXPECT_EQ(editor->SelLength(), 4);
        EXPECT_TRUE(editor->Enabled());
    }
}

TEST(DocumentPages, TagNameAtCaret) {
    const std::pair<const char*, const char*> cases[] = {
        {"<TABLE border=1|>", "TABLE"},
        {"<tr></t|d>", "/td"},
        {"<|b>", "b"},
        {"<!-- a| -->", "!--"},
        {"<p>te|xt", ""},
        {"x <b|r>", "br"},
        {"|<b>", ""},
        {"<a<b|", ""},
        {"a<b| c", "b"},
    };
    auto form = MakeMainWindow();
    for (auto [marked, name] : cases) {
        SCOPED_TRACE(marked);
        String text = marked;
        size_t caret = text.find('|');
        text.erase(caret, 1);
        UsePage(*form, 0, "/a.htm", text);
        form->Memos[0]->SetSelStart(static_cast<int>(caret));
        EXPECT_EQ(form->TagNameAtCaret(), name);
    }
}

TEST(DocumentPages, TabSteppingGoesRoundThePagesInUse) {
    auto form = MakeMainWindow();
    form->TabsRight(form->TabsRight1); // nothing open: nothing happens
    EXPECT_FALSE(form->AnyDocumentOpen());
    for (int page : {2, 5, 17})
        UsePage(*form, page, "/p" + IntToStr(page) + ".htm", "x");
    form->TabsRight(form->TabsRight1);
    EXPECT_EQ(form->PageControl1->ActivePage(), form->TabSheets[2]);
    form->TabsLeft1Click(form->TabsLeft1);
    EXPECT_EQ(form->PageControl1->ActivePage(), form->TabSheets[17]);
    form->TabsLeft1Click(form->TabsLeft1);
    EXPECT_EQ(form->PageControl1->ActivePage(), form->TabSheets[5]);
}

TEST(DocumentPages, AHandedOverFileOpensOnAFreePageOnce) {
    String folder = TestSupport::Sandbox("Site/");
    std::filesystem::create_directories(folder);
    String page = folder + "Index.html";
    WriteFileAtomic(page, "<html>\n</html>\n");
    auto form = MakeMainWindow();
    UsePage(*form, 0, "/other.htm", "x");

    form->OpenHandedOverFile(page);
    ASSERT_TRUE(form->PageInUse(1));
    EXPECT_EQ(form->PageControl1->ActivePage(), form->TabSheets[1]);
    EXPECT_EQ(form->FileNames[1], page);
    EXPECT_EQ(form->TabSheets[1]->Caption(), "Index.html");
    EXPECT_EQ(form->Memos[1]->Text(), "<html>\r\n</html>\r\n");
    EXPECT_FALSE(form->Memos[1]->Modified());
    EXPECT_EQ(PanelText(*form, THTMLEMainForm::CountPanel), "2 files open / No files modified");

    // The same file again only brings its page forward; a missing file or one that is no text
    // opens nothing.
    form->PageControl1->SetActivePage(form->TabSheets[0]);
    String picture = folder + "logo.png";
    WriteFileAtomic(picture, "PNG");
    // The missing file and the picture are each named in a message.
    TestHooks::AnswerMessageBox(IDOK);
    TestHooks::AnswerMessageBox(IDOK);
    for (const String& name : {page, folder + "missing.html", picture, String()})
        form->OpenHandedOverFile(name);
    ASSERT_EQ(2u, TestHooks::Prompts().size());
    EXPECT_EQ(folder + "missing.html was not opened: there is no such file.",
              TestHooks::Prompts()[0].Text);
    EXPECT_EQ(1, Pos(picture, TestHooks::Prompts()[1].Text));
    EXPECT_EQ(form->PageControl1->ActivePage(), form->TabSheets[1]);
    EXPECT_FALSE(form->PageInUse(2));
}

TEST(DocumentPages, ATwentyFirstHandedOverFileIsRefused) {
    auto form = MakeMainWindow();
    for (int page = 0; page < THTMLEMainForm::PageCount; ++page)
        UsePage(*form, page, "/p" + IntToStr(page) + ".htm", "x");
    String extra = TestSupport::Sandbox("extra.htm");
    WriteFileAtomic(extra, "x");
    TestHooks::AnswerMessageBox(IDOK);
    form->OpenHandedOverFile(extra);
    ASSERT_EQ(TestHooks::Prompts().size(), 1u);
    EXPECT_EQ(TestHooks::Prompts()[0].Text, "Sorry, can't open more than 20 files at a time.");
    EXPECT_EQ(TestHooks::Prompts()[0].Caption, "Quiltmarker");
    EXPECT_EQ(TestHooks::Prompts()[0].Icon(), static_cast<UINT>(MB_ICONERROR));
    EXPECT_TRUE(form->AbortRequested);
    EXPECT_EQ(std::find(form->FileNames.begin(), form->FileNames.end(), extra),
              form->FileNames.end());
}

TEST(DocumentPages, CommandsThatNeedAPageStartDisabledAndFollowTheFirstPage) {
    auto form = MakeMainWindow();
    EXPECT_FALSE(form->Documents->Save1->Enabled());
    EXPECT_FALSE(form->Documents->FileSaveButton->Enabled());
    UsePage(*form, 0, "/site/index.html", "<p>");
    form->UpdateDocumentCommands();
    EXPECT_TRUE(form->Documents->Save1->Enabled());
    EXPECT_TRUE(form->Documents->FileSaveButton->Enabled());
}

// The documents' and the edit commands' items and buttons follow the pages as the other
// commands that need a page do; their menus, as they open, take them back when there is no page
// (and no help-pointer mode), whatever the clipboard holds or forced them on.
TEST(DocumentPages, DocumentAndEditCommandsFollowThePagesAndTheirMenus) {
    auto form = MakeMainWindow();
    const TDocuments& documents = *form->Documents;
    const TEditCommands& edit = *form->EditCommands;
    const TTemplates& templates = *form->Templates;
    const std::vector<TMenuItem*> fileMenuItems = {documents.Save1, documents.SaveAs1,
                                                   templates.SaveAsTemplate, documents.Close1,
                                                   documents.CloseAll1};
    std::vector<TMenuItem*> items = fileMenuItems;
    for (TMenuItem* item : {templates.SaveAsFrameworkDocument1, edit.Undo1, edit.Cut1, edit.Copy1,
                            edit.Paste1, edit.SelectAll2})
        items.push_back(item);
    const std::vector<TQmToolbarButton*> buttons = {documents.FileSaveButton, documents.CloseButton,
                                                    documents.CloseAllButton, edit.CutButton,
                                                    edit.CopyButton,          edit.PasteButton};
    auto expectAll = [&](bool enabled) {
        for (TMenuItem* item : items)
            EXPECT_EQ(item->Enabled(), enabled) << item->Name();
        for (TQmToolbarButton* button : buttons)
            EXPECT_EQ(button->Enabled(), enabled) << button->Name();
    };

    expectAll(false);
    TestHooks::SetClipboardText("clip");
    form->Edit1->Click();
    EXPECT_FALSE(edit.Paste1->Enabled()) << "no page to paste into";
    form->EnableDocumentCommands();
    expectAll(true);
    form->File1->Click();
    for (TMenuItem* item : fileMenuItems)
        EXPECT_FALSE(item->Enabled()) << item->Name();
    EXPECT_TRUE(templates.SaveAsFrameworkDocument1->Enabled());

    form->ForceCommandsEnabled = false;
    UsePage(*form, 0, "/site/index.html", "<p>");
    form->File1->Click();
    expectAll(true);
}

// A drag from an editor that ends where nothing takes it leaves no drag cursor behind.
TEST(DocumentPages, TheEndOfADragFromAnEditorRestoresTheCursor) {
    auto form = MakeMainWindow();
    UsePage(*form, 0, "/site/index.html", "<p>");
    Screen->SetCursor(crDrag);
    EXPECT_FALSE(TestHooks::DragAndDrop(*form->Memos[0], *form->StatusBar1, 1, 1));
    EXPECT_EQ(Screen->Cursor(), crDefault);
}
