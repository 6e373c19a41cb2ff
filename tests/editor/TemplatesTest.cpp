// Templates and the framework document through their commands: the template dialog, the save
// dialog, the question before the framework document is replaced, the folder browser, and what
// the pages, the files and the registry hold afterwards.

#include "editor/Templates.h"
#include "MainWindowSupport.h"
#include "TestSupport.h"
#include "platform/CommonDialogs.h"
#include "platform/TestHooks.h"
#include "services/MRULiss.h"
#include "tags/TagButtons.h"
#include "widgets/QmToolbars.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

using namespace MainWindowSupport;

namespace {

void AnswerFile(const String& name) {
    TestHooks::TDialogAnswer answer;
    answer.Accepted = true;
    answer.FileName = name;
    TestHooks::AnswerDialog(answer);
}

void AnswerFolder(const String& folder) {
    TestHooks::TDialogAnswer answer;
    answer.Accepted = true;
    answer.Folder = folder;
    TestHooks::AnswerDialog(answer);
}

String StoredTemplateFolder() {
    TRegistry reg;
    reg.OpenKeyReadOnly(ProductKey);
    return reg.ValueExists("TemplateFolder") ? reg.ReadString("TemplateFolder") : "(none)";
}

const TestHooks::TPrompt& LastPrompt() {
    return TestHooks::Prompts().back();
}

} // namespace

// A page started from a template is untitled, so saving it asks for a name and leaves the
// template as it was; a template opened for editing is saved back in place. Neither enters the
// recent files.
TEST(Templates, NewFromTemplateIsUntitledAndAnOpenedTemplateSavesInPlace) {
    const String templates = Folder("Templates");
    const String page = templates + "page.htt";
    WriteFileAtomic(page, "<HTML>\r\n<BODY>t</BODY>\r\n</HTML>");
    auto form = MakeMainWindow();
    form->TemplateFolder = templates;
    TTemplates& commands = *form->Templates;

    AnswerFile(page);
    commands.Template1->Click();
    ASSERT_TRUE(form->PageInUse(0));
    EXPECT_EQ(form->Documents->OpenDialog->Filter(),
              "Quiltmarker Templates (*.htt)|*.htt|HTML Files|*.*htm*|All files|*.*");
    EXPECT_EQ(form->Documents->OpenDialog->InitialDir(), templates);
    EXPECT_EQ(form->TabSheets[0]->Caption(),
              "[untitled" + IntToStr(form->Documents->UntitledCounter) + "]");
    EXPECT_EQ(form->FileNames[0], "[untitled]");
    EXPECT_EQ(form->Memos[0]->Text(), "<HTML>\r\n<BODY>t</BODY>\r\n</HTML>");
    form->Memos[0]->SetText("changed");
    TestHooks::AnswerDialogCancel();
    form->Documents->Save1->Click();
    EXPECT_EQ(LastPrompt().Kind, "SaveDialog");
    EXPECT_EQ(ReadFileBytes(page), "<HTML>\r\n<BODY>t</BODY>\r\n</HTML>");

    AnswerFile(page);
    commands.OpenTemplate->Click();
    ASSERT_TRUE(form->PageInUse(1));
    EXPECT_EQ(form->FileNames[1], page);
    EXPECT_EQ(form->TabSheets[1]->Caption(), "page.htt");
    form->Memos[1]->SetText("edited");
    form->Documents->Save1->Click();
    EXPECT_EQ(ReadFileBytes(page), "edited");
    EXPECT_EQ(form->Documents->MRU->Items().Count(), 0);

    TestHooks::AnswerDialogCancel();
    commands.Template1->Click();
    EXPECT_FALSE(form->PageInUse(2)) << "a cancelled template dialog opens nothing";
}

// Save As Template writes the page into the template folder under its caption with ".htt", and
// the page carries the template's name from then on.
TEST(Templates, SaveAsTemplateWritesIntoTheTemplateFolder) {
    const String templates = Folder("Templates");
    auto form = MakeMainWindow();
    form->TemplateFolder = templates;
    UsePage(*form, 0, "/site/index.html", "<P>page</P>", true);
    form->UpdateDocumentCommands();

    AnswerFile(templates + "index.htt");
    form->Templates->SaveAsTemplate->Click();
    EXPECT_EQ(form->Documents->SaveDialog->FilterIndex(), 2);
    EXPECT_EQ(form->Documents->SaveDialog->InitialDir(), templates);
    EXPECT_EQ(ReadFileBytes(templates + "index.htt"), "<P>page</P>");
    EXPECT_EQ(form->FileNames[0], templates + "index.htt");
    EXPECT_FALSE(form->Memos[0]->Modified());
}

// A new framework document is a new page holding the framework document's text up to its BODY
// start tag and a line break before the caret, and the rest after it; the whole file counts, and
// the built-in skeleton stands in for a file that gives no text.
TEST(Templates, NewFrameworkDocumentWrapsTheCaretInTheFrameworkDocument) {
    const String longBody(3000, 'x');
    struct TCase {
        const char* Name;
        std::optional<String> File;
        const char* Tab;
        String Before;
        String After;
    } cases[] = {
        {"a BODY tag with attributes, found in any case",
         String("<html><head><title>x</title></head><body bgcolor=white>hello</body></html>"), "",
         "<html><head><title>x</title></head><body bgcolor=white>\r\n", "hello</body></html>"},
        {"no BODY tag", String("<P>plain\nline</P>"), "", "<P>plain\r\nline</P>", ""},
        {"a BODY start tag never closed", String("<HTML><BODY"), "", "<HTML><BODY\r\n", ""},
        {"longer than a kilobyte", "<HTML><BODY>" + longBody + "</BODY></HTML>", "",
         "<HTML><BODY>\r\n", longBody + "</BODY></HTML>"},
        {"a NUL ends the text", String("<BODY>a\0ignored", 15), "", "<BODY>\r\n", "a"},
        {"no file", std::nullopt, "",
         "<HTML>\r\n<HEAD>\r\n<TITLE>\r\n\r\n</TITLE>\r\n</HEAD>\r\n\r\n<BODY>\r\n",
         "\r\n</BODY>\r\n</HTML>"},
        {"an empty file, tabs inserted", String(), "\t",
         "<HTML>\r\n<HEAD>\r\n\t<TITLE>\r\n\r\n\t</TITLE>\r\n</HEAD>\r\n\r\n<BODY>\r\n",
         "\r\n</BODY>\r\n</HTML>"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        auto form = MakeMainWindow();
        const String framework = form->Templates->FrameworkDocumentName();
        EXPECT_EQ(framework, form->ProgramFolder + "framewk.htm");
        DeleteFile(framework);
        if (c.File)
            WriteFileAtomic(framework, *c.File);
        form->AutoInsertTab = c.Tab;
        UsePage(*form, 0, "/site/other.html", "other");

        form->TagButtons->BasicButton->Click();
        ASSERT_TRUE(form->PageInUse(1));
        EXPECT_EQ(form->ActivePageIndex(), 1);
        EXPECT_EQ(form->TabSheets[1]->Caption().substr(0, 9), "[untitled");
        EXPECT_EQ(form->Memos[1]->Text(), c.Before + c.After);
        EXPECT_EQ(form->Memos[1]->SelStart(), static_cast<int>(c.Before.size()));
        EXPECT_EQ(form->Memos[0]->Text(), "other");
    }
}

// The menu item does what the button does; with every page in use the new page is refused and
// no page changes.
TEST(Templates, NewFrameworkDocumentFromTheMenuAndWithNoPageFree) {
    auto form = MakeMainWindow();
    WriteFileAtomic(form->Templates->FrameworkDocumentName(), "<BODY>end");
    form->TagButtons->FrameworkDocument1->Click();
    EXPECT_EQ(form->Memos[0]->Text(), "<BODY>\r\nend");

    for (int page = 0; page < THTMLEMainForm::PageCount; ++page)
        UsePage(*form, page, "/site/p" + IntToStr(page) + ".html", "kept");
    TestHooks::AnswerMessageBox(IDOK);
    form->TagButtons->BasicButton->Click();
    EXPECT_EQ(LastPrompt().Text, "Sorry, can't open more than 20 files open at a time.");
    for (int page = 0; page < THTMLEMainForm::PageCount; ++page)
        EXPECT_EQ(form->Memos[page]->Text(), "kept") << page;
}

// Yes makes the active page the framework document, whole, and the next new framework document
// is wrapped in it; No leaves the old one. The page stays as it was either way.
TEST(Templates, SaveAsFrameworkDocumentAsksThenRoundTrips) {
    const String longPage = "<HTML><BODY>\r\n" + String(2000, 'p') + "\r\n</BODY></HTML>";
    for (int answer : {IDYES, IDNO}) {
        SCOPED_TRACE(answer == IDYES ? "Yes" : "No");
        auto form = MakeMainWindow();
        const String framework = form->Templates->FrameworkDocumentName();
        WriteFileAtomic(framework, "<BODY>old");
        UsePage(*form, 0, "/site/page.html", longPage, true);
        form->UpdateDocumentCommands();

        TestHooks::AnswerMessageBox(answer);
        form->Templates->SaveAsFrameworkDocument1->Click();
        const TestHooks::TPrompt& question = LastPrompt();
        EXPECT_EQ(question.Text,
                  "Save this file as your new 'framework' document,\r\n     '" + framework + "'?");
        EXPECT_EQ(question.Caption, "Quiltmarker");
        EXPECT_EQ(question.Flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
        EXPECT_EQ(ReadFileBytes(framework), answer == IDYES ? longPage : String("<BODY>old"));
        EXPECT_EQ(form->FileNames[0], "/site/page.html");
        EXPECT_EQ(form->TabSheets[0]->Caption(), "page.html");
        EXPECT_TRUE(form->Memos[0]->Modified());

        form->TagButtons->BasicButton->Click();
        EXPECT_EQ(form->Memos[1]->Text(), answer == IDYES ? "<HTML><BODY>\r\n" + longPage.substr(12)
                                                          : String("<BODY>\r\nold"));
    }
}

// A new template folder takes the glossary file along: copied over, then deleted where it was.
// The same folder, however written, moves nothing; a copy that fails is reported and the file
// stays where it was. The folder chosen is kept either way; a cancelled browser changes nothing.
TEST(Templates, TheTemplateFolderTakesTheGlossaryAlong) {
    const String old = Folder("old");
    const String fresh = Folder("fresh");
    const String blocker = old + "afile";
    WriteFileAtomic(blocker, "");
    struct TCase {
        const char* Name;
        bool Glossary;
        String Chosen;
        bool Moved;
        bool Reported;
    } cases[] = {
        {"a new folder", true, fresh, true, false},
        {"no glossary to move", false, fresh, false, false},
        {"the same folder, given back without its separator", true, old, false, false},
        {"a folder the glossary cannot be copied into", true, blocker + "/sub", false, true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        DeleteFile(old + "glossary.ini");
        DeleteFile(fresh + "glossary.ini");
        WriteFileAtomic(fresh + "glossary.ini", "[Custom Phrases]\r\nfresh=1\r\n");
        if (c.Glossary)
            WriteFileAtomic(old + "glossary.ini", "[Custom Phrases]\r\nold=1\r\n");
        auto form = MakeMainWindow();
        form->TemplateFolder = old;
        const size_t promptsBefore = TestHooks::Prompts().size();

        AnswerFolder(c.Chosen);
        if (c.Reported)
            TestHooks::AnswerMessageBox(IDOK);
        form->Templates->TemplateFolder1->Click();
        const TestHooks::TPrompt& browser = TestHooks::Prompts()[promptsBefore];
        EXPECT_EQ(browser.Kind, "FolderBrowser");
        EXPECT_EQ(browser.Caption, "Select Template Folder");
        EXPECT_EQ(browser.Text, old);
        // The browser gives folders back without their last separator.
        const String chosen = ExcludeTrailingPathDelimiter(c.Chosen);
        EXPECT_EQ(form->TemplateFolder, chosen);
        EXPECT_EQ(StoredTemplateFolder(), chosen);
        EXPECT_EQ(FileExists(old + "glossary.ini"), c.Glossary && !c.Moved);
        if (c.Chosen == fresh) {
            EXPECT_EQ(ReadFileBytes(fresh + "glossary.ini"),
                      c.Moved ? "[Custom Phrases]\r\nold=1\r\n"
                              : "[Custom Phrases]\r\nfresh=1\r\n");
        }
        EXPECT_EQ(TestHooks::Prompts().size(), promptsBefore + (c.Reported ? 2 : 1));
        if (c.Reported) {
            EXPECT_EQ(LastPrompt().Text, "The glossary file could not be copied to " + blocker +
                                             "/sub/glossary.ini.\r\nIt stays in " + old +
                                             "glossary.ini.");
            EXPECT_EQ(LastPrompt().Icon(), static_cast<UINT>(MB_ICONWARNING));
        }
    }

    auto form = MakeMainWindow();
    form->TemplateFolder = fresh;
    TestHooks::AnswerDialogCancel();
    form->Templates->TemplateFolder1->Click();
    EXPECT_EQ(form->TemplateFolder, fresh);
    EXPECT_EQ(StoredTemplateFolder(), blocker + "/sub") << "the last folder stored stays";
}
