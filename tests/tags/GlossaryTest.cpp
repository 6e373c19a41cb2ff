// The glossary of phrases through its tag-bar button: the titles and phrases it shows, what New,
// Save and Delete leave in the index file and the phrase files, the clipboard commands, pasting
// into the page, the move of an older index out of the registry, and index and phrase files that
// cannot be read or written.

#include "ElementDialogSupport.h"
#include "platform/Clipbrd.h"
#include "platform/IniFiles.h"
#include "platform/Registry.h"
#include "platform/RichEdit.h"
#include "platform/StdCtrls.h"
#include "tags/HTMLGlossary.h"
#include "tags/TagButtons.h"
#include "widgets/QmToolbars.h"

#include <filesystem>
#include <sys/stat.h>
#include <vector>

using namespace ElementDialogSupport;
using MainWindowSupport::ProductKey;
using MainWindowSupport::Store;

namespace {

class GlossaryTest : public ElementDialogTest {
protected:
    void SetUp() override {
        ElementDialogTest::SetUp();
        Templates = MainWindowSupport::Folder("templates");
        Main->TemplateFolder = Templates;
        IniName = Templates + "glossary.ini";
    }
    void TearDown() override {
        delete GlossaryForm;
        GlossaryForm = nullptr;
        ElementDialogTest::TearDown();
    }

    // The glossary shown from the tag bar; act does what the user does in it and closes it.
    // Message boxes it shows take the answers in turn.
    void UseGlossary(std::function<void(TGlossaryForm&)> act, std::vector<int> answers = {}) {
        Answer<TGlossaryForm>(act);
        for (int answer : answers)
            TestHooks::AnswerMessageBox(answer);
        TestHooks::ClickMouse(*Main->TagButtons->GlossaryButton, 3, 3);
    }
    // A phrase file and its entry, in the order they are added.
    String AddPhrase(const String& title, const String& phrase) {
        const String fileName = Templates + title + ".glos";
        WriteFileAtomic(fileName, phrase);
        TIniFile(IniName).WriteString("Custom Phrases", title, fileName);
        return fileName;
    }
    static std::vector<String> Items(const TStrings& items) {
        std::vector<String> texts;
        for (int i = 0; i < items.Count(); ++i)
            texts.push_back(items[i]);
        return texts;
    }
    std::vector<String> IndexLines() const {
        TIniFile ini(IniName);
        TStringList lines;
        ini.ReadSectionValues("Custom Phrases", &lines);
        return Items(lines);
    }
    // Whether a message holding the text was shown.
    static bool Shown(const String& text) {
        for (const TestHooks::TPrompt& prompt : TestHooks::Prompts())
            if (prompt.Kind == "MessageBox" && prompt.Text.find(text) != String::npos)
                return true;
        return false;
    }

    String Templates;
    String IniName;
};

TEST_F(GlossaryTest, AnOlderRegistryIndexMovesIntoTheIndexFileOnce) {
    const String beta = Templates + "b.glos";
    const String alpha = Templates + "a.glos";
    WriteFileAtomic(beta, "beta text");
    WriteFileAtomic(alpha, "alpha text");
    Store(ProductKey + "\\Glossary", {{"Beta", beta}, {"alpha", alpha}, {"Nothing", String("")}});
    std::vector<String> shown;
    String phrase;
    UseGlossary([&](TGlossaryForm& form) {
        shown = Items(form.GlossaryCombo->Items());
        phrase = form.GlossaryMemo->Text();
        form.OKButton->Click();
    });
    EXPECT_EQ(shown, (std::vector<String>{"alpha", "Beta"}));
    EXPECT_EQ(phrase, "alpha text");
    EXPECT_EQ(IndexLines(), (std::vector<String>{"Beta=" + beta, "alpha=" + alpha}));
    EXPECT_FALSE(TRegistry().KeyExists(ProductKey + "\\Glossary"));
}

TEST_F(GlossaryTest, AnIndexFileThatCannotBeWrittenKeepsTheRegistryIndex) {
    Main->TemplateFolder = Templates + "missing";
    Store(ProductKey + "\\Glossary", {{"Beta", String("/x/b.glos")}});
    TestHooks::AnswerMessageBox(IDOK); // as the dialog shows
    UseGlossary([](TGlossaryForm& form) { form.OKButton->Click(); });
    EXPECT_TRUE(Shown("could not be moved out of the registry"));
    EXPECT_TRUE(TRegistry().KeyExists(ProductKey + "\\Glossary"));
}

TEST_F(GlossaryTest, ANewPhraseIsSavedInItsOwnFileAndSurvivesARestart) {
    UseGlossary([](TGlossaryForm& form) {
        form.NewButton->Click();
        form.GlossaryCombo->SetText("Signature");
        form.GlossaryMemo->SetText("Best wishes\r\nAnn");
        form.SaveButton->Click();
        form.GlossaryMemo->SetText("Kind regards\r\nAnn");
        form.Save1->Click();
        form.OKButton->Click();
    });
    const std::vector<String> lines = IndexLines();
    ASSERT_EQ(lines.size(), 1u);
    const String fileName = lines[0].substr(String("Signature=").size());
    EXPECT_EQ(lines[0].substr(0, 10), "Signature=");
    EXPECT_EQ(ExtractFilePath(fileName), Templates);
    EXPECT_EQ(ExtractFileName(fileName).substr(0, 3), "htm");
    EXPECT_EQ(ExtractFileExt(fileName), ".glos");
    EXPECT_EQ(ReadFileBytes(fileName), "Kind regards\r\nAnn");
    EXPECT_FALSE(FileExists(ChangeFileExt(fileName, ".tmp")));

    delete GlossaryForm;
    GlossaryForm = nullptr;
    String title;
    String phrase;
    UseGlossary([&](TGlossaryForm& form) {
        title = form.GlossaryCombo->Text();
        phrase = form.GlossaryMemo->Text();
        form.OKButton->Click();
    });
    EXPECT_EQ(title, "Signature");
    EXPECT_EQ(phrase, "Kind regards\r\nAnn");
}

// The system's unique names are unique among its ".tmp" files only; the phrase files that carry
// the next names already must stay as they are.
TEST_F(GlossaryTest, ANewPhraseNeverTakesTheNameOfAnExistingPhraseFile) {
    const String probe = GetTempFileName(Templates, "htm");
    DeleteFile(probe);
    const int last = std::stoi(ExtractFileName(probe).substr(3, 4), nullptr, 16);
    std::vector<String> planted;
    for (int step = 1; step <= 3; ++step) {
        planted.push_back(Templates + "htm" + Format("%.4X", (last + step) & 0xFFFF) + ".glos");
        WriteFileAtomic(planted.back(), "older phrase");
    }
    UseGlossary([](TGlossaryForm& form) {
        form.GlossaryCombo->SetText("New");
        form.GlossaryMemo->SetText("new phrase");
        form.SaveButton->Click();
        form.OKButton->Click();
    });
    const String fileName = TIniFile(IniName).ReadString("Custom Phrases", "New", "");
    EXPECT_EQ(ReadFileBytes(fileName), "new phrase");
    for (const String& older : planted) {
        EXPECT_NE(fileName, older);
        EXPECT_EQ(ReadFileBytes(older), "older phrase");
    }
}

TEST_F(GlossaryTest, PhraseFilesGoBesideTheIndexWhenNoTemplateFolderIsSet) {
    Main->TemplateFolder = "";
    UseGlossary([](TGlossaryForm& form) {
        form.GlossaryCombo->SetText("Mine");
        form.GlossaryMemo->SetText("text");
        form.SaveButton->Click();
        form.OKButton->Click();
    });
    TIniFile ini(Main->ProgramFolder + "glossary.ini");
    const String fileName = ini.ReadString("Custom Phrases", "Mine", "");
    EXPECT_EQ(ExtractFilePath(fileName), Main->ProgramFolder);
    EXPECT_EQ(ReadFileBytes(fileName), "text");
}

TEST_F(GlossaryTest, ATitleTypedInAnotherCaseShowsTheStoredPhrase) {
    AddPhrase("Address", "1 Main Street");
    String phrase;
    UseGlossary([&](TGlossaryForm& form) {
        form.NewButton->Click();
        TestHooks::TypeText(*form.GlossaryCombo, "ADDRESS");
        phrase = form.GlossaryMemo->Text();
        form.OKButton->Click();
    });
    EXPECT_EQ(phrase, "1 Main Street");
}

TEST_F(GlossaryTest, TypingANewTitleKeepsUnsavedTextForSavingUnderIt) {
    AddPhrase("Address", "1 Main Street");
    UseGlossary([&](TGlossaryForm& form) {
        form.GlossaryMemo->SetText("1 Main Street, changed");
        form.GlossaryMemo->SetModified(true);
        form.GlossaryCombo->SetText("");
        TestHooks::TypeText(*form.GlossaryCombo, "Home");
        form.SaveButton->Click();
        form.OKButton->Click();
    });
    TIniFile ini(IniName);
    EXPECT_EQ(ReadFileBytes(ini.ReadString("Custom Phrases", "Home", "")),
              "1 Main Street, changed");
    EXPECT_EQ(ReadFileBytes(Templates + "Address.glos"), "1 Main Street");
}

TEST_F(GlossaryTest, DeleteDropsTheEntryKeepsTheFileAndShowsTheFirstPhraseInFileOrder) {
    AddPhrase("zebra", "z");
    const String aFile = AddPhrase("ant", "a");
    AddPhrase("moth", "m");
    String title;
    String phrase;
    UseGlossary([&](TGlossaryForm& form) {
        ASSERT_EQ(form.GlossaryCombo->Text(), "ant");
        form.DeleteButton->Click();
        title = form.GlossaryCombo->Text();
        phrase = form.GlossaryMemo->Text();
        form.OKButton->Click();
    });
    EXPECT_EQ(title, "zebra");
    EXPECT_EQ(phrase, "z");
    EXPECT_EQ(IndexLines(), (std::vector<String>{"zebra=" + Templates + "zebra.glos",
                                                 "moth=" + Templates + "moth.glos"}));
    EXPECT_TRUE(FileExists(aFile));
}

TEST_F(GlossaryTest, CutAndCopyTakeTheWholePhrase) {
    AddPhrase("Two", "one two");
    String afterCut;
    String copied;
    int selStart = -1;
    int selLength = -1;
    UseGlossary([&](TGlossaryForm& form) {
        form.GlossaryMemo->SetSelStart(4);
        form.GlossaryMemo->SetSelLength(3);
        form.CopyButton->Click();
        copied = Clipboard()->AsText();
        selStart = form.GlossaryMemo->SelStart();
        selLength = form.GlossaryMemo->SelLength();
        form.GlossaryMemo->SetSelLength(1);
        Clipboard()->SetAsText("");
        form.Cut1->Click();
        afterCut = form.GlossaryMemo->Text();
        form.GlossaryMemo->SetModified(false);
        form.OKButton->Click();
    });
    EXPECT_EQ(copied, "one two");
    EXPECT_EQ(selStart, 4);
    EXPECT_EQ(selLength, 3);
    EXPECT_EQ(afterCut, "");
    EXPECT_EQ(Clipboard()->AsText(), "one two");
}

TEST_F(GlossaryTest, PasteGoesAfterTheSelection) {
    AddPhrase("Two", "one two");
    String text;
    UseGlossary([&](TGlossaryForm& form) {
        Clipboard()->SetAsText("!");
        form.GlossaryMemo->SetSelStart(0);
        form.GlossaryMemo->SetSelLength(3);
        form.PasteButton->Click();
        text = form.GlossaryMemo->Text();
        form.GlossaryMemo->SetModified(false);
        form.OKButton->Click();
    });
    EXPECT_EQ(text, "one! two");
}

TEST_F(GlossaryTest, PasteToDocumentReplacesThePagesSelectionAndCloses) {
    AddPhrase("Hi", "Hello there");
    OpenPage("<P>x</P>", 3, 1);
    UseGlossary([](TGlossaryForm& form) { form.PasteToButton->Click(); });
    EXPECT_EQ(PageText(), "<P>Hello there</P>");
    EXPECT_EQ(Caret(), 14);
    EXPECT_EQ(Editor()->SelLength(), 0);
    EXPECT_EQ(Clipboard()->AsText(), "Hello there");
}

TEST_F(GlossaryTest, PasteToDocumentWithNoPageOpenBeepsAndStays) {
    AddPhrase("Hi", "Hello there");
    bool stayed = false;
    const size_t beeps = TestHooks::Beeps().size();
    UseGlossary([&](TGlossaryForm& form) {
        form.PasteSpecial1->Click();
        stayed = form.ModalResult() == mrNone;
        form.OKButton->Click();
    });
    EXPECT_TRUE(stayed);
    EXPECT_EQ(TestHooks::Beeps().size(), beeps + 1);
}

TEST_F(GlossaryTest, OKAsksToSaveAModifiedPhrase) {
    struct Case {
        const char* Name;
        int Answer;
        const char* Stored;
    };
    const Case cases[] = {
        {"yes saves", IDYES, "changed"},
        {"no keeps the file", IDNO, "original"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        AddPhrase("Item", "original");
        UseGlossary(
            [](TGlossaryForm& form) {
                form.GlossaryMemo->SetText("changed");
                form.GlossaryMemo->SetModified(true);
                form.OKButton->Click();
            },
            {c.Answer});
        EXPECT_TRUE(Shown("The current glossary item has been modified.\r\nSave it?"));
        EXPECT_EQ(ReadFileBytes(Templates + "Item.glos"), c.Stored);
    }
}

TEST_F(GlossaryTest, APhraseThatCannotBeSavedKeepsTheDialogOpen) {
    struct Case {
        const char* Name;
        const char* Title;
        bool ReadOnlyIndex;
        const char* Message;
    };
    const Case cases[] = {
        {"no title", "", false, "You must give the new item a title"},
        {"title with =", "a=b", false, "cannot be kept in the glossary"},
        {"title with [", "[a", false, "cannot be kept in the glossary"},
        {"read-only index", "Fresh", true, "could not be saved"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        AddPhrase("Kept", "kept");
        const String indexBefore = ReadFileBytes(IniName);
        if (c.ReadOnlyIndex) {
            ASSERT_EQ(::chmod(IniName.c_str(), 0444), 0);
        }
        bool stayed = false;
        String memo;
        bool modified = false;
        UseGlossary(
            [&](TGlossaryForm& form) {
                form.NewButton->Click();
                form.GlossaryCombo->SetText(c.Title);
                form.GlossaryMemo->SetText("unsaved work");
                form.GlossaryMemo->SetModified(true);
                form.OKButton->Click();
                stayed = form.ModalResult() == mrNone;
                memo = form.GlossaryMemo->Text();
                modified = form.GlossaryMemo->Modified();
                form.SetModalResult(mrCancel);
            },
            {IDYES, IDOK});
        EXPECT_TRUE(stayed);
        EXPECT_EQ(memo, "unsaved work");
        EXPECT_TRUE(modified);
        EXPECT_TRUE(Shown(c.Message));
        ::chmod(IniName.c_str(), 0644);
        EXPECT_EQ(ReadFileBytes(IniName), indexBefore);
    }
}

TEST_F(GlossaryTest, AnIndexThatCannotBeReadIsReportedAndLeftAlone) {
    std::filesystem::create_directories(IniName); // there, but no file to read
    std::vector<String> shown{"(not shown)"};
    TestHooks::AnswerMessageBox(IDOK); // as the dialog shows
    UseGlossary([&](TGlossaryForm& form) {
        shown = Items(form.GlossaryCombo->Items());
        form.SetModalResult(mrCancel);
    });
    EXPECT_TRUE(shown.empty());
    EXPECT_TRUE(Shown("The glossary cannot be read"));
    EXPECT_TRUE(DirectoryExists(IniName));
}

TEST_F(GlossaryTest, MissingPhraseFilesAreNamed) {
    TIniFile(IniName).WriteString("Custom Phrases", "Gone", Templates + "gone.glos");
    AddPhrase("Here", "here");
    String phrase;
    TestHooks::AnswerMessageBox(IDOK); // as the dialog shows
    UseGlossary(
        [&](TGlossaryForm& form) {
            // "Gone" comes first in the list and is shown first: its file is missing.
            form.GlossaryCombo->SetText("");
            TestHooks::TypeText(*form.GlossaryCombo, "Here");
            phrase = form.GlossaryMemo->Text();
            form.GlossaryCombo->SetText("");
            TestHooks::TypeText(*form.GlossaryCombo, "Gone");
            form.OKButton->Click();
        },
        {IDOK});
    EXPECT_TRUE(Shown("Can't find file \"" + Templates + "gone.glos\""));
    EXPECT_TRUE(Shown("Can't find glossary file for \"Gone\""));
    EXPECT_EQ(phrase, "here");
}

} // namespace
