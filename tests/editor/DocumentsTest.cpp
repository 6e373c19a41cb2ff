// Opening, saving and closing documents through the commands, as a user gives them: the file
// dialogs, the questions answered Yes, No or Cancel, and what the files on disk hold afterwards.

#include "MainWindowSupport.h"
#include "TestSupport.h"
#include "editor/TextFilesForm.h"
#include "platform/CommonDialogs.h"
#include "platform/FileListBox.h"
#include "platform/TestHooks.h"
#include "services/MRULiss.h"
#include "site/FilePane.h"
#include "site/ReportPane.h"
#include "widgets/QmFilSys.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace MainWindowSupport;

namespace {

String MakeFile(const String& path, const String& bytes) {
    WriteFileAtomic(path, bytes);
    return path;
}

void AnswerFiles(std::vector<String> files) {
    TestHooks::TDialogAnswer answer;
    answer.Accepted = true;
    answer.Files = std::move(files);
    TestHooks::AnswerDialog(answer);
}

void AnswerName(const String& name, int filterIndex = 0) {
    TestHooks::TDialogAnswer answer;
    answer.Accepted = true;
    answer.FileName = name;
    answer.FilterIndex = filterIndex;
    TestHooks::AnswerDialog(answer);
}

std::vector<String> PromptTexts() {
    std::vector<String> texts;
    for (const TestHooks::TPrompt& prompt : TestHooks::Prompts())
        if (prompt.Kind == "MessageBox")
            texts.push_back(prompt.Text);
    return texts;
}

} // namespace

// Several files from the Open dialog open on the free pages under their names as on disk; the
// newest is on top of the recent files; a page saved in place keeps its LF line ends.
TEST(Documents, OpenSeveralFilesThenSaveInPlace) {
    String folder = Folder("Site");
    String upper = MakeFile(folder + "Index.HTML", "<p>one</p>\n<p>two</p>\n");
    String plain = MakeFile(folder + "notes.txt", "a\r\nb");
    auto form = MakeMainWindow();
    form->FilePane->DirectoryListBox1->SetDirectory(folder);

    AnswerFiles({upper, plain});
    form->Documents->FileOpenClick(form->Documents->OpenFile1);
    ASSERT_TRUE(form->PageInUse(0));
    ASSERT_TRUE(form->PageInUse(1));
    EXPECT_EQ(TestHooks::Prompts()[0].Kind, "OpenDialog");
    EXPECT_EQ(form->Documents->OpenDialog->InitialDir(),
              form->FilePane->DirectoryListBox1->Directory());
    EXPECT_EQ(form->FileNames[0], upper);
    EXPECT_EQ(form->TabSheets[0]->Caption(), "Index.HTML");
    EXPECT_EQ(form->Memos[0]->Text(), "<p>one</p>\r\n<p>two</p>\r\n");
    EXPECT_EQ(form->PageControl1->ActivePage(), form->TabSheets[1]);
    EXPECT_EQ(form->Documents->MRU->Items()[0], plain);
    EXPECT_EQ(form->Documents->MRU->Items()[1], upper);
    EXPECT_FALSE(form->AbortRequested);

    form->PageControl1->SetActivePage(form->TabSheets[0]);
    form->Memos[0]->SetText("<p>three</p>\r\n");
    form->Memos[0]->SetModified(true);
    form->Documents->Save1Click(form->Documents->Save1);
    EXPECT_EQ(ReadFileBytes(upper), "<p>three</p>\n");
    EXPECT_FALSE(form->Memos[0]->Modified());
    EXPECT_EQ(form->FileNames[0], upper);
    EXPECT_EQ(PanelText(*form, THTMLEMainForm::FilePanel), "File: Index.HTML");
    EXPECT_EQ(PromptTexts().size(), 0u);
}

// A file open already is only brought forward, unless it was changed and the user reverts it.
TEST(Documents, OpeningAnOpenFileReusesItsPage) {
    String page = MakeFile(Folder("s") + "page.htm", "saved");
    auto form = MakeMainWindow();
    ASSERT_EQ(form->Documents->OpenDocument(page, false, true, false), 0);
    UsePage(*form, 1, "/other.htm", "x");

    EXPECT_EQ(form->Documents->OpenDocument(page, false, true, false), -1);
    EXPECT_EQ(form->PageControl1->ActivePage(), form->TabSheets[0]);
    form->Memos[0]->SetText("edited");
    form->Memos[0]->SetModified(true);
    TestHooks::AnswerMessageBox(IDNO);
    EXPECT_EQ(form->Documents->OpenDocument(page, false, true, false), -1);
    EXPECT_EQ(form->Memos[0]->Text(), "edited");
    TestHooks::AnswerMessageBox(IDYES);
    EXPECT_EQ(form->Documents->OpenDocument(page, false, true, false), 0);
    EXPECT_EQ(form->Memos[0]->Text(), "saved");
    EXPECT_FALSE(form->Memos[0]->Modified());
    EXPECT_FALSE(form->PageInUse(2));
    EXPECT_EQ(PromptTexts(), std::vector<String>(2, "Revert to saved version?"));
}

// With twenty pages in use Open, New and a file already open are all refused; the Open command
// skips the rest of its files after the first refusal.
TEST(Documents, TwentyPagesAtMost) {
    String open = MakeFile(Folder("s") + "p0.htm", "x");
    auto form = MakeMainWindow();
    for (int page = 0; page < THTMLEMainForm::PageCount; ++page)
        UsePage(*form, page, page == 0 ? open : "/p" + IntToStr(page) + ".htm", "x");
    String extra = MakeFile(Folder("s") + "extra.htm", "x");

    AnswerFiles({extra, open});
    TestHooks::AnswerMessageBox(IDOK);
    form->Documents->FileOpenClick(form->Documents->OpenFile1);
    EXPECT_FALSE(form->AbortRequested);
    TestHooks::AnswerMessageBox(IDOK);
    EXPECT_EQ(form->Documents->OpenDocument(open, false, true, false), -1);
    TestHooks::AnswerMessageBox(IDOK);
    form->Documents->FileNewButtonClick(form->Documents->BlankDocument1);
    EXPECT_TRUE(form->AbortRequested);
    EXPECT_EQ(PromptTexts(), (std::vector<String>{
                                 "Sorry, can't open more than 20 files at a time.",
                                 "Sorry, can't open more than 20 files at a time.",
                                 "Sorry, can't open more than 20 files open at a time.",
                             }));
    EXPECT_EQ(form->Documents->UntitledCounter, 0);
}

// Save As: the proposed name, the default extension added to a file name without a dot (a dot
// in a folder does not count), the name kept as typed, the recent files only for HTML, and the
// file list showing the new file.
TEST(Documents, SaveAsNamesThePageAsChosen) {
    String folder = Folder("Web");
    String dotted = Folder("Web/my.site");
    struct Case {
        String Typed;
        String Written;
        bool Recent;
    };
    const Case cases[] = {
        {"page", folder + "page.html", true},
        {"Page.Htm", folder + "Page.Htm", true},
        {dotted + "deep", dotted + "deep.html", true},
        {"notes.txt", folder + "notes.txt", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Typed);
        TestHooks::Reset();
        auto form = MakeMainWindow();
        form->DefaultExtension = "html";
        form->FilePane->DirectoryListBox1->SetDirectory(folder);
        form->Documents->FileNewButtonClick(form->Documents->BlankDocument1);
        ASSERT_EQ(form->TabSheets[0]->Caption(), "[untitled1]");
        form->Memos[0]->SetText("text");

        TestHooks::AnswerDialogCancel();
        EXPECT_FALSE(form->Documents->SaveDocument(0, true, false));
        EXPECT_EQ(form->Documents->SaveDialog->FileName(), "untitled1.html");
        EXPECT_EQ(form->Documents->SaveDialog->FilterIndex(), 1);

        AnswerName(c.Typed);
        form->Documents->SaveAs1Click(form->Documents->SaveAs1);
        EXPECT_EQ(ReadFileBytes(c.Written), "text");
        EXPECT_EQ(form->FileNames[0], c.Written);
        EXPECT_EQ(form->TabSheets[0]->Caption(), ExtractFileName(c.Written));
        EXPECT_EQ(form->Documents->MRU->Items().Count() > 0 &&
                      form->Documents->MRU->Items()[0] == c.Written,
                  c.Recent);
        // The list shows pages only ("*.*htm*").
        if (c.Recent && ExtractFilePath(c.Written) == folder) {
            EXPECT_GE(form->FilePane->FileListBox1->Items().IndexOf(ExtractFileName(c.Written)), 0);
        }
        EXPECT_EQ(form->Documents->SaveDialog->DefaultExt(), "");
    }
}

// The question before replacing a file asks about the name really written, with ".html".
TEST(Documents, SaveAsAsksBeforeReplacingTheExtendedName) {
    String folder = Folder("Web");
    String existing = MakeFile(folder + "old.html", "keep me");
    auto form = MakeMainWindow();
    form->DefaultExtension = "html";
    form->FilePane->DirectoryListBox1->SetDirectory(folder);
    UsePage(*form, 0, "[untitled1]", "new", true);

    AnswerName("old");
    TestHooks::AnswerMessageBox(IDNO);
    TestHooks::AnswerDialogCancel();
    EXPECT_FALSE(form->Documents->SaveDocument(0, true, false));
    EXPECT_EQ(ReadFileBytes(existing), "keep me");
    EXPECT_EQ(PromptTexts(),
              std::vector<String>{existing + " already exists.\r\nDo you want to replace it?"});
    EXPECT_TRUE(form->Memos[0]->Modified());
}

// A recovered page whose file is not known (a caption, no path) is named in the dialog, never
// written to a file made up from its caption; with its path known it saves in place. An autosave
// copy opened under its own name is such a page too.
TEST(Documents, APageWithoutAFileOfItsOwnIsNamedInTheDialog) {
    String folder = Folder("Recovered");
    String copy = MakeFile(TempFolder() + "ht~5.htmtmp", "copied");
    auto form = MakeMainWindow();
    form->FilePane->DirectoryListBox1->SetDirectory(folder);
    UsePage(*form, 0, "[untitled]", "recovered", true);
    form->TabSheets[0]->SetCaption("index.html");
    ASSERT_EQ(form->Documents->OpenDocument(copy, false, true, false), 1);

    for (int page : {0, 1}) {
        SCOPED_TRACE(page);
        AnswerName(folder + "named" + IntToStr(page) + ".html");
        EXPECT_TRUE(form->Documents->SaveDocument(page, false, false));
        EXPECT_EQ(form->FileNames[page], folder + "named" + IntToStr(page) + ".html");
        EXPECT_FALSE(FileExists("[untitled]"));
        EXPECT_FALSE(FileExists(folder + "index.html"));
    }
    EXPECT_EQ(ReadFileBytes(folder + "named0.html"), "recovered");
    EXPECT_EQ(ReadFileBytes(folder + "named1.html"), "copied");

    form->Memos[0]->SetText("again");
    EXPECT_TRUE(form->Documents->SaveDocument(0, false, false));
    EXPECT_EQ(ReadFileBytes(folder + "named0.html"), "again");
}

// Save As Template proposes the caption's name with ".htt" in the template folder.
TEST(Documents, SaveAsTemplateProposesATemplateName) {
    String templates = Folder("Templates");
    auto form = MakeMainWindow();
    form->TemplateFolder = templates;
    UsePage(*form, 0, "/site/index.html", "t");
    AnswerName("index.htt");
    EXPECT_TRUE(form->Documents->SaveDocument(0, true, true));
    EXPECT_EQ(form->Documents->SaveDialog->FilterIndex(), 2);
    EXPECT_EQ(form->Documents->SaveDialog->InitialDir(), templates);
    EXPECT_EQ(ReadFileBytes(templates + "index.htt"), "t");
    EXPECT_EQ(form->FileNames[0], templates + "index.htt");
}

// A write that fails (a vanished folder, a folder that is a file) is shown; the page keeps its
// name, caption and modified flag, and Close All goes on with the other pages.
TEST(Documents, AFailedSaveKeepsThePageAndCloseAllGoesOn) {
    String sandbox = Folder("s");
    String vanished = sandbox + "gone/page.htm";
    String underFile = MakeFile(sandbox + "afile", "") + "/page.htm";
    String good = MakeFile(sandbox + "good.htm", "old");
    auto form = MakeMainWindow();
    UsePage(*form, 0, vanished, "one", true);
    UsePage(*form, 1, underFile, "two", true);
    UsePage(*form, 2, good, "three", true);

    for (int answer : {IDYES, IDOK, IDYES, IDOK, IDYES})
        TestHooks::AnswerMessageBox(answer);
    form->Documents->CloseAll1Click(form->Documents->CloseAll1);
    EXPECT_TRUE(form->CloseCancelled);
    EXPECT_EQ(ReadFileBytes(good), "three");
    EXPECT_FALSE(form->PageInUse(2));
    for (int page : {0, 1}) {
        ASSERT_TRUE(form->PageInUse(page));
        EXPECT_TRUE(form->Memos[page]->Modified());
        EXPECT_EQ(form->TabSheets[page]->Caption(), "page.htm");
    }
    EXPECT_EQ(form->FileNames[0], vanished);
    EXPECT_EQ(form->FileNames[1], underFile);
    std::vector<String> texts = PromptTexts();
    ASSERT_EQ(texts.size(), 5u);
    EXPECT_NE(Pos(vanished, texts[1]), 0) << texts[1];
    EXPECT_NE(Pos(underFile, texts[3]), 0) << texts[3];
    EXPECT_FALSE(FileExists(vanished));
}

// Exit: Cancel keeps the program and every page's state, the page answered No still marked;
// answered through, the window closes and the autosave copies go.
TEST(Documents, ExitAsksForEveryModifiedPage) {
    String sandbox = Folder("s");
    String first = MakeFile(sandbox + "first.htm", "old");
    String second = MakeFile(sandbox + "second.htm", "old");
    String copy = MakeFile(sandbox + "ht~1.htmtmp", "copy");
    auto form = MakeMainWindow();
    bool closed = false;
    form->OnClose = [&](TObject*, TCloseAction& action) {
        closed = true;
        action = caHide;
    };
    UsePage(*form, 0, first, "new 1", true);
    UsePage(*form, 1, second, "new 2", true);
    UsePage(*form, 2, "/third.htm", "new 3", true);
    form->AutosaveNames[1] = copy;

    for (int answer : {IDYES, IDNO, IDCANCEL})
        TestHooks::AnswerMessageBox(answer);
    form->Exit1Click(form->Exit1);
    EXPECT_FALSE(closed);
    EXPECT_EQ(ReadFileBytes(first), "new 1");
    EXPECT_FALSE(form->Memos[0]->Modified());
    EXPECT_TRUE(form->Memos[1]->Modified());
    EXPECT_TRUE(form->Memos[2]->Modified());
    EXPECT_TRUE(FileExists(copy));

    TestHooks::AnswerMessageBox(IDNO);
    TestHooks::AnswerMessageBox(IDNO);
    form->Exit1Click(form->Exit1);
    EXPECT_TRUE(closed);
    EXPECT_FALSE(form->AnyDocumentOpen());
    EXPECT_EQ(ReadFileBytes(second), "old");
    EXPECT_FALSE(FileExists(copy));
    EXPECT_EQ(PromptTexts().size(), 5u);
}

// After a close, the nearest page below becomes active, else the nearest above.
TEST(Documents, ClosingActivatesTheNearestPage) {
    auto form = MakeMainWindow();
    for (int page : {2, 5, 9})
        UsePage(*form, page, "/p" + IntToStr(page) + ".htm", "x");
    form->PageControl1->SetActivePage(form->TabSheets[5]);
    form->Documents->Close1Click(form->Documents->Close1);
    EXPECT_EQ(form->PageControl1->ActivePage(), form->TabSheets[2]);
    form->Documents->Close1Click(form->Documents->Close1);
    EXPECT_EQ(form->PageControl1->ActivePage(), form->TabSheets[9]);
    form->Documents->Close1Click(form->Documents->Close1);
    EXPECT_FALSE(form->PageControl1->Visible());
}

// The file dialogs start in the folder of the file list that a feature shows, wherever the current
// folder has gone since, though a feature without a list comes first.
TEST(Documents, FileDialogsStartInTheWorkingFolder) {
    String site = Folder("site");
    String elsewhere = Folder("elsewhere");
    THTMLEMainForm::SetFeatureMaker([](THTMLEMainForm& window) {
        window.AddFeature(std::make_unique<TMainFormFeature>(window));
        MakeMainFormFeatures(window);
    });
    auto form = std::make_unique<THTMLEMainForm>(nullptr);
    form->FilePane->DirectoryListBox1->SetDirectory(site);
    ASSERT_TRUE(SetCurrentDir(elsewhere));
    TestHooks::AnswerDialogCancel();
    form->Documents->FileOpenClick(form->Documents->OpenFile1);
    EXPECT_EQ(form->Documents->OpenDialog->InitialDir(), ExcludeTrailingPathDelimiter(site));
}

// The recent files: newest first, at most twelve, a name listed before it is tested, and a
// vanished file reported when chosen.
TEST(Documents, RecentFiles) {
    String folder = Folder("s");
    std::vector<String> files;
    for (int i = 0; i < 13; ++i)
        files.push_back(MakeFile(folder + "f" + IntToStr(i) + ".htm", "x"));
    auto form = MakeMainWindow();
    AnswerFiles(files);
    form->Documents->FileOpenClick(form->Documents->OpenFile1);
    ASSERT_EQ(form->Documents->MRU->Items().Count(), 12);
    EXPECT_EQ(form->Documents->MRU->Items()[0], files[12]);
    EXPECT_EQ(form->Documents->MRU->Items()[11], files[1]);

    String vanished = MakeFile(folder + "gone.htm", "x");
    ASSERT_EQ(form->Documents->OpenDocument(vanished, false, true, false), 13);
    form->Documents->Close1Click(form->Documents->Close1);
    DeleteFile(vanished);
    String noText = folder + "index";
    TestHooks::AnswerMessageBox(IDOK);
    form->Documents->OpenDocument(noText, false, true, false);
    EXPECT_EQ(form->Documents->MRU->Items()[0], noText);
    EXPECT_FALSE(form->PageInUse(13));

    TestHooks::AnswerMessageBox(IDOK);
    form->Documents->MRU->OnMRUItemClick(nullptr, vanished);
    EXPECT_EQ(form->Documents->MRU->Items()[0], vanished);
    EXPECT_FALSE(form->PageInUse(13));
    ASSERT_EQ(PromptTexts().size(), 2u);
    EXPECT_NE(Pos(noText, PromptTexts()[0]), 0) << PromptTexts()[0];
    EXPECT_NE(Pos(vanished, PromptTexts()[1]), 0) << PromptTexts()[1];
    EXPECT_EQ(form->FilePane->FileListBox1->Mask(), form->FilePane->FilterCombo->Text());
}

// Files dropped on the shown window open in order until one is not a text file; a path is taken
// whole.
TEST(Documents, DroppedFiles) {
    String deep = Folder("s/" + String(200, 'd'));
    String a = MakeFile(deep + "a.htm", "a");
    String b = MakeFile(deep + "b.gif", "b");
    String c = MakeFile(deep + "c.htm", "c");
    auto form = MakeMainWindow();
    form->Show();
    TestHooks::AnswerMessageBox(IDOK);
    ASSERT_TRUE(TestHooks::DropFiles(*form, {a, b, c}));
    EXPECT_EQ(form->FileNames[0], a);
    EXPECT_FALSE(form->PageInUse(1));
    ASSERT_EQ(TestHooks::Prompts().size(), 1u);
    EXPECT_EQ(TestHooks::Prompts()[0].Text, "Can only open HTML and text files in Quiltmarker");
    EXPECT_EQ(TestHooks::Prompts()[0].Caption, Application->Title());
}

// The Text Files dialog: entries added and deleted, OK stores them in order.
TEST(Documents, TextFileTypes) {
    auto form = MakeMainWindow();
    TestHooks::AnswerModal([](TForm& shown) {
        auto& dialog = dynamic_cast<TTextFilesForm&>(shown);
        EXPECT_EQ(dialog.Caption(), "Quiltmarker - Text Files");
        EXPECT_EQ(dialog.Extensions(),
                  (std::vector<String>{".htm", ".html", ".shtml", ".txt", ".htt"}));
        EXPECT_FALSE(dialog.AddButton->Enabled());
        TestHooks::TypeText(*dialog.AddEdit, ".php");
        EXPECT_TRUE(dialog.AddButton->Enabled());
        dialog.AddButton->Click();
        dialog.ListBox1->SetItemIndex(1);
        char key = '.';
        dialog.ListBox1KeyPress(dialog.ListBox1, key);
        dialog.ListBox1->SetItemIndex(0);
        dialog.DeleteButtonClick(dialog.DeleteButton);
        dialog.OKButton->Click();
    });
    form->Documents->TextFiles1Click(form->Documents->TextFiles1);
    EXPECT_EQ(form->Documents->TextFileExtensions, ".shtml .txt .htt .php ");
    EXPECT_EQ(ReadTextFileTypes(), (std::vector<String>{".shtml", ".txt", ".htt", ".php"}));
    struct Case {
        const char* Name;
        bool Text;
    };
    for (const Case& c : {Case{"/a/b.php", true}, Case{"/a/b.HTM", false}, Case{"/a/b.shtml", true},
                          Case{"/a.txt/readme", false}, Case{"/a/b.ht", true}})
        EXPECT_EQ(form->Documents->IsTextFile(c.Name), c.Text) << c.Name;

    TestHooks::AnswerModalResult(mrCancel);
    form->Documents->TextFiles1Click(form->Documents->TextFiles1);
    EXPECT_EQ(ReadTextFileTypes().size(), 4u);
}

TEST(Documents, IsHTMLFile) {
    struct Case {
        const char* Name;
        bool HTML;
    };
    for (const Case& c : {Case{"a.htm", true}, Case{"A.HTML", true}, Case{"a.shtml", true},
                          Case{"a.html.bak", true}, Case{"notes.txt", false}, Case{"htm", false}})
        EXPECT_EQ(TDocuments::IsHTMLFile(c.Name), c.HTML) << c.Name;
}

// Odd input loses nothing: NUL bytes and a name that is not UTF-8 come back byte for byte; a
// folder where a file is expected, or a file that vanished, is reported and opens nothing.
TEST(Documents, OddFilesRoundTripOrAreReported) {
    String folder = Folder("s");
    String nul = MakeFile(folder + "nul.htm", String("a\0b\r\nc", 6));
    String latin = MakeFile(folder + "caf\xE9.htm", "caf\xE9\r\n");
    std::filesystem::create_directories(folder + "dir.htm");
    auto form = MakeMainWindow();
    for (const String& file : {nul, latin}) {
        int page = form->Documents->OpenDocument(file, false, true, false);
        ASSERT_GE(page, 0) << file;
        form->Memos[page]->SetModified(true);
        String before = ReadFileBytes(file);
        EXPECT_TRUE(form->Documents->SaveDocument(page, false, false));
        EXPECT_EQ(ReadFileBytes(file), before) << file;
    }
    EXPECT_EQ(form->TabSheets[1]->Caption(), "caf\xE9.htm");

    for (const String& bad : {folder + "dir.htm", folder + "gone/x.htm"}) {
        TestHooks::AnswerMessageBox(IDOK);
        EXPECT_EQ(form->Documents->OpenDocument(bad, false, true, false), -1) << bad;
    }
    EXPECT_FALSE(form->PageInUse(2));
    EXPECT_EQ(PromptTexts().size(), 2u);
}

// While the report pane is shown, Save As writes the report (as the framework document with
// that filter) and Close closes the pane instead of a page.
TEST(Documents, ReportPaneSaveAsAndClose) {
    auto form = MakeMainWindow();
    UsePage(*form, 0, "/a.htm", "page");
    form->ReportPane->PagesVisibleBeforeReport = true;
    form->PageControl1->SetVisible(false);
    form->ReportPane->ReportPanel->Show();
    form->ReportPane->ReportForm->Show();
    form->ReportPane->ReportForm->SetText("report\r\n");

    AnswerName("anything", 3);
    TestHooks::AnswerMessageBox(IDYES);
    form->Documents->SaveAs1Click(form->Documents->SaveAs1);
    EXPECT_EQ(ReadFileBytes(form->ProgramFolder + "framewk.htm"), "report\r\n");
    EXPECT_EQ(PromptTexts(), std::vector<String>{"Save this as your new 'framework' document?"});

    form->Documents->Close1Click(form->Documents->Close1);
    EXPECT_FALSE(form->ReportPane->ReportForm->Visible());
    EXPECT_FALSE(form->ReportPane->ReportPanel->Visible());
    EXPECT_TRUE(form->PageControl1->Visible());
    EXPECT_TRUE(form->PageInUse(0));
}

// A page opened from its file is written back with the file's own line ends, as loaded and
// after a line typed in the middle; a last line without a line end stays without one. Mixed
// line ends are told once, on opening, and saved as the kind most of them have (CR LF, then LF,
// on a tie).
TEST(Documents, SavingKeepsTheLineEndsOfTheFile) {
    struct Case {
        const char* Situation;
        String File;
        String Text;   // as the page holds it
        String Saved;  // saved as it was opened
        String Edited; // saved after "x" and Enter at the start of the second line
        String Kind;   // told on opening; empty when the line ends are all of one kind
    };
    const Case cases[] = {
        {"CR LF", "a\r\nb\r\nc", "a\r\nb\r\nc", "a\r\nb\r\nc", "a\r\nx\r\nb\r\nc", ""},
        {"LF", "a\nb\nc", "a\r\nb\r\nc", "a\nb\nc", "a\nx\nb\nc", ""},
        {"CR", "a\rb\rc\r", "a\r\nb\r\nc\r\n", "a\rb\rc\r", "a\rx\rb\rc\r", ""},
        {"mostly LF, some CR LF", "a\r\nb\nc\n", "a\r\nb\r\nc\r\n", "a\nb\nc\n", "a\nx\nb\nc\n",
         "LF"},
        {"mostly CR LF, some CR", "a\r\nb\r\nc\r", "a\r\nb\r\nc\r\n", "a\r\nb\r\nc\r\n",
         "a\r\nx\r\nb\r\nc\r\n", "CR LF"},
        {"mostly CR, some CR LF", "a\rb\r\nc\rd", "a\r\nb\r\nc\r\nd", "a\rb\rc\rd", "a\rx\rb\rc\rd",
         "CR"},
        {"as many LF as CR LF", "a\nb\r\nc", "a\r\nb\r\nc", "a\r\nb\r\nc", "a\r\nx\r\nb\r\nc",
         "CR LF"},
        {"as many CR as LF", "a\rb\nc", "a\r\nb\r\nc", "a\nb\nc", "a\nx\nb\nc", "LF"},
    };
    String folder = Folder("ends");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Situation);
        TestHooks::Reset();
        String file = MakeFile(folder + "page.htm", c.File);
        auto form = MakeMainWindow();
        AnswerFiles({file});
        if (!c.Kind.empty())
            TestHooks::AnswerMessageBox(IDOK);
        form->Documents->FileOpenClick(form->Documents->OpenFile1);
        ASSERT_TRUE(form->PageInUse(0));
        TRichEdit* editor = form->Memos[0];
        EXPECT_EQ(editor->Text(), c.Text);
        EXPECT_EQ(PromptTexts(), c.Kind.empty()
                                     ? std::vector<String>()
                                     : std::vector<String>{file +
                                                           " has mixed line ends.\r\nSaving it "
                                                           "will write every line end as " +
                                                           c.Kind + "."});

        form->Documents->Save1Click(form->Documents->Save1);
        EXPECT_EQ(ReadFileBytes(file), c.Saved);
        editor->SetSelStart(editor->Lines().Get(0).size() + 2);
        TestHooks::TypeText(*editor, "x");
        TestHooks::PressKey(*editor, VK_RETURN);
        form->Documents->Save1Click(form->Documents->Save1);
        EXPECT_EQ(ReadFileBytes(file), c.Edited);
    }
}
