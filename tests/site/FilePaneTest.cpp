// The file pane as a user drives it: masks typed and edited, folders remembered across a restart,
// files dropped on the list, the file operations on real files with their questions answered,
// files selected by their times, and the properties report.

#include "site/FilePane.h"
#include "TestSupport.h"
#include "editor/HTMLLocationForm.h"
#include "editor/MainWindowSupport.h"
#include "platform/DateTime.h"
#include "platform/FileListBox.h"
#include "platform/IniFiles.h"
#include "platform/RichEdit.h"
#include "platform/ShellApi.h"
#include "platform/TestHooks.h"
#include "publish/InternalBrowser.h"
#include "services/JCopy.h"
#include "services/MRULiss.h"
#include "site/HTMLCustomAmendedForm.h"
#include "site/HTMLDetailsForm.h"
#include "site/HTMLMaskForm.h"
#include "site/SiteAnalysing.h"
#include "tags/HTMLGlobal.h"
#include "tags/TagInsertion.h"
#include "widgets/QmFilSys.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace MainWindowSupport;

namespace {

class FilePaneTest : public testing::Test {
protected:
    void SetUp() override {
        Site = IncludeTrailingPathDelimiter(TestSupport::Sandbox("site"));
        std::filesystem::create_directories(Site);
    }

    void MakeWindow() {
        Form = MakeMainWindow();
        Form->FilePane->DirectoryListBox1->SetDirectory(Site);
        Form->FilePane->FileListBox1->SetMask("*.*");
    }

    String Make(const String& name, const String& bytes = "x") {
        WriteFileAtomic(Site + name, bytes);
        return Site + name;
    }

    std::vector<String> Listed() const {
        std::vector<String> names;
        for (int i = 0; i < Form->FilePane->FileListBox1->Items().Count(); ++i)
            names.push_back(Form->FilePane->FileListBox1->Items()[i]);
        return names;
    }

    void Select(std::initializer_list<String> names) { SelectListedFiles(*Form, names); }

    void TypeMask(const String& mask) {
        Form->FilePane->FilterCombo->SetText(mask);
        WORD enter = 13;
        Form->FilePane->FilterCombo->OnKeyDown(Form->FilePane->FilterCombo, enter, {});
    }

    static String Stored(const String& key, const String& name) {
        TRegistry reg;
        if (!reg.OpenKeyReadOnly(key) || !reg.ValueExists(name))
            return "<none>";
        return reg.ReadString(name);
    }

    static std::vector<String> MessageTexts() {
        std::vector<String> texts;
        for (const TestHooks::TPrompt& prompt : TestHooks::Prompts())
            if (prompt.Kind == "MessageBox")
                texts.push_back(prompt.Text);
        return texts;
    }

    String Site;
    std::unique_ptr<THTMLEMainForm> Form;
};

} // namespace

// A typed mask filters the list without regard to case, by any of its parts; a new one goes in
// as the third item and is stored with the first 16, an old one in other letters stores nothing.
TEST_F(FilePaneTest, TypedMasksFilterAndAreStored) {
    for (const char* name : {"a.HTM", "b.css", "c.gif", "d.txt", "caf\xE9.htm"})
        Make(name);
    MakeWindow();
    TypeMask("*.CSS;*.htm");
    EXPECT_EQ(Listed(), (std::vector<String>{"a.HTM", "b.css", "caf\xE9.htm"}));
    EXPECT_EQ(Form->FilePane->FilterCombo->Items()[2], "*.CSS;*.htm");
    TStrings& masks = Form->FilePane->FilterCombo->Items();
    String expected;
    for (int i = 0; i < 16 && i < masks.Count(); ++i)
        expected += (i ? "\xA7" : "") + masks[i];
    EXPECT_EQ(Stored(ProductKey + "\\LatestFiles", "Masks"), expected);
    EXPECT_EQ(Stored(ProductKey + "\\LatestFiles", "LastMask"), "*.CSS;*.htm");

    TRegistry reg;
    reg.OpenKey(ProductKey + "\\LatestFiles", true);
    reg.DeleteValue("LastMask");
    int count = masks.Count();
    TypeMask("*.GIF");
    EXPECT_EQ(Listed(), (std::vector<String>{"c.gif"}));
    EXPECT_EQ(masks.Count(), count);
    EXPECT_EQ(Stored(ProductKey + "\\LatestFiles", "LastMask"), "<none>");

    // A name without a wildcard lists that file alone; an empty text does nothing.
    TypeMask("d.txt");
    EXPECT_EQ(Listed(), (std::vector<String>{"d.txt"}));
    TypeMask("");
    EXPECT_EQ(Listed(), (std::vector<String>{"d.txt"}));
}

// The File Masks dialog lists each mask once; OK puts its list in the combo and stores it,
// Cancel after changes leaves everything as it was.
TEST_F(FilePaneTest, FileMasksDialog) {
    MakeWindow();
    Form->FilePane->FilterCombo->Items().Assign(TStringList());
    for (const char* mask : {"*.htm", "*.gif", "*.HTM", "*.txt"})
        Form->FilePane->FilterCombo->Items().Add(mask);
    TestHooks::AnswerModal([](TForm& form) {
        auto& dialog = dynamic_cast<TMaskForm&>(form);
        dialog.ListBox->SetItemIndex(1);
        dialog.BitBtn2Click(nullptr);
        dialog.TextEdit->SetText("*.css");
        dialog.BitBtn1Click(nullptr);
        form.SetModalResult(mrCancel);
    });
    Form->FilePane->FileMasks1->Click();
    EXPECT_EQ(Form->FilePane->FilterCombo->Items().Count(), 4);
    EXPECT_EQ(Stored(ProductKey + "\\LatestFiles", "LastMask"), "<none>");

    TestHooks::AnswerModal([](TForm& form) {
        auto& dialog = dynamic_cast<TMaskForm&>(form);
        ASSERT_EQ(dialog.ListBox->Items().Count(), 3);
        dialog.ListBox->SetItemIndex(2);
        dialog.UpButtonClick(nullptr);
        form.SetModalResult(mrOk);
    });
    Form->FilePane->FileMasks1->Click();
    EXPECT_EQ(Stored(ProductKey + "\\LatestFiles", "Masks"), "*.htm\xA7*.txt\xA7*.gif");
    EXPECT_EQ(Stored(ProductKey + "\\LatestFiles", "LastMask"), "*.htm");
    EXPECT_EQ(Form->FilePane->FileListBox1->Mask(), "*.htm");
}

// The folder and the recent folders come back after a restart; a recent folder that went away
// is named and the list stays where it was.
TEST_F(FilePaneTest, FoldersAreRememberedAcrossARestart) {
    String other = IncludeTrailingPathDelimiter(TestSupport::Sandbox("other"));
    std::filesystem::create_directories(other);
    MakeWindow();
    Form->FilePane->DirectoryListBox1->SetDirectory(other);
    EXPECT_EQ(Stored(ProductKey, "LastDir"), ExcludeTrailingPathDelimiter(other));
    Form->FilePane->FilterCombo->SetText("*.css");
    TCloseAction action = caHide;
    Form->FormClose(nullptr, action);
    Form.reset();

    Form = MakeMainWindow();
    EXPECT_EQ(Form->FilePane->DirectoryListBox1->Directory(), ExcludeTrailingPathDelimiter(other));
    EXPECT_EQ(Form->FilePane->FileListBox1->Mask(), "*.css");
    ASSERT_EQ(Form->FilePane->MRUFolderList->Items().Count(), 2);
    EXPECT_EQ(Form->FilePane->MRUFolderList->Items()[1], ExcludeTrailingPathDelimiter(Site));

    std::filesystem::remove_all(Site);
    TestHooks::AnswerMessageBox(IDOK);
    Form->FilePane->MRUFolderListMRUItemClick(nullptr, ExcludeTrailingPathDelimiter(Site));
    EXPECT_EQ(MessageTexts().back(), "Error changing to " + ExcludeTrailingPathDelimiter(Site));
    EXPECT_EQ(Form->FilePane->DirectoryListBox1->Directory(), ExcludeTrailingPathDelimiter(other));
    // The folder shown goes away: Refresh names it and moves up to the folder that is left.
    std::filesystem::remove_all(other);
    TestHooks::AnswerMessageBox(IDOK);
    Form->FilePane->UpdateListing->Click();
    EXPECT_EQ(MessageTexts().back(),
              "The folder " + ExcludeTrailingPathDelimiter(other) + " is no longer there.");
    EXPECT_EQ(Form->FilePane->DirectoryListBox1->Directory(),
              ExtractFileDir(ExcludeTrailingPathDelimiter(other)));
}

// A folder that can be entered but not read is named with the reason, and the pane goes on.
TEST_F(FilePaneTest, AFolderThatCannotBeReadIsReported) {
    std::filesystem::create_directories(Site + "locked");
    WriteFileAtomic(Site + "locked/page.htm", "<p>");
    MakeWindow();
    TestHooks::RefuseFolderReading(Site + "locked");
    TestHooks::AnswerMessageBox(IDOK);
    Form->FilePane->DirectoryListBox1->SetDirectory(Site + "locked");
    EXPECT_EQ(MessageTexts().back(),
              "The files of " + Site + "locked cannot be listed: Permission denied");
    EXPECT_TRUE(Listed().empty());
}

// Include Images from the main menu toggles; from the pop-up it always switches on, with its own
// order of masks; HTML only stores both switches off.
TEST_F(FilePaneTest, FilterCommands) {
    MakeWindow();
    Form->FilePane->ShowImages1->Click();
    EXPECT_EQ(Form->FilePane->FilterCombo->Text(),
              "*.*htm*;*.cgi;*.pl;*.log;*.gif;*.jpg;*.png;*.bmp");
    EXPECT_TRUE(Form->FilePane->ShowImages2->Checked());
    Form->FilePane->ShowImages1->Click();
    EXPECT_EQ(Form->FilePane->FilterCombo->Text(), Form->FilePane->FilterCombo->Items()[0]);
    EXPECT_FALSE(Form->FilePane->ShowImages1->Checked());
    Form->FilePane->ShowImages2->Click();
    Form->FilePane->ShowImages2->Click();
    EXPECT_EQ(Form->FilePane->FileListBox1->Mask(),
              "*.*htm*;*.cgi;*.pl;*.log;*.gif;*.jpg;*.bmp;*.png");
    Form->FilePane->ShowMultimedia1->Click();
    EXPECT_TRUE(Form->FilePane->IncludeMultimedia1->Checked());
    Form->FilePane->ShowHTMLonly1->Click();
    EXPECT_FALSE(Form->FilePane->ShowMultimedia1->Checked());
    TRegistry reg;
    reg.OpenKeyReadOnly(ProductKey);
    EXPECT_FALSE(reg.ReadBool("ShowImages"));
    EXPECT_FALSE(reg.ReadBool("ShowMultiMedia"));
}

// A right-click keeps a selection it falls in, replaces one it falls outside, and below the last
// file changes nothing; the pop-up's items follow the selection and the current file's kind.
TEST_F(FilePaneTest, RightClickSelectionAndPopupState) {
    for (const char* name : {"a.htm", "b.htm", "c.GIF"})
        Make(name);
    MakeWindow();
    Form->Show();
    TFileListBox& list = *Form->FilePane->FileListBox1;
    auto rightClick = [&](int index) {
        TRect rect = list.ItemRect(index < 0 ? 2 : index);
        int y = index < 0 ? rect.Bottom + 40 : rect.Top + 1;
        Form->FilePane->FileListBox1MouseDown(&list, mbRight, {}, 2, y);
        Form->FilePane->FileListBoxMenuPopup(nullptr);
    };
    Select({"a.htm", "b.htm"});
    rightClick(1);
    EXPECT_EQ(list.SelCount(), 2);
    EXPECT_FALSE(Form->FilePane->ViewasBackground1->Visible());
    rightClick(2);
    EXPECT_EQ(list.SelCount(), 1);
    EXPECT_TRUE(list.Selected(2));
    EXPECT_TRUE(Form->FilePane->ViewasBackground1->Visible());
    rightClick(-1);
    EXPECT_EQ(list.SelCount(), 1);
    list.SetSelected(2, false);
    Form->FilePane->FileListBoxMenuPopup(nullptr);
    EXPECT_FALSE(Form->FilePane->Copy2->Enabled());
}

// The pane's items stand where the window has always had them: after the File menu's own items,
// Include Multimedia before Work Offline and the list's items last in the View menu, File Masks
// last in Preferences.
TEST_F(FilePaneTest, TheItemsKeepTheirPlacesInTheMenus) {
    MakeWindow();
    auto names = [](TMenuItem* menu, int first, int count) {
        std::vector<String> found;
        for (int i = first; i < first + count; ++i)
            found.push_back(menu->Items(i)->Name());
        return found;
    };
    TMenuItem* file = Form->File1;
    EXPECT_EQ(names(file, file->Count() - 4, 4),
              (std::vector<String>{"Exit1", "FileManagement1", "Details2", "ViewasBackground2"}));
    TMenuItem* view = Form->View1;
    EXPECT_EQ(names(view, view->IndexOf(Form->InternalBrowser->WorkOffline1) - 1, 2),
              (std::vector<String>{"IncludeMultimedia1", "WorkOffline1"}));
    EXPECT_EQ(names(view, view->Count() - 5, 5),
              (std::vector<String>{"HTMLonly1", "ShowImages1", "ShowAllFiles1", "UpdateListing",
                                   "SelectModified2"}));
    TMenuItem* preferences = Form->Preferences1;
    EXPECT_EQ(names(preferences, preferences->Count() - 2, 2),
              (std::vector<String>{"TextFiles1", "FileMasks1"}));
}

// As the File menu drops down, Properties and Analyse are offered for the list's current file, or
// in help-pointer mode; Analyse never while an analysis runs.
TEST_F(FilePaneTest, TheFileMenuOffersTheCurrentFilesCommands) {
    Make("a.htm");
    MakeWindow();
    TFileListBox& list = *Form->FilePane->FileListBox1;
    list.Update();
    struct TCase {
        const char* Name;
        int ItemIndex;
        TCursor Cursor;
        int Analyses;
        bool Properties;
        bool Analyse;
    } cases[] = {
        {"no current file", -1, crDefault, 0, false, false},
        {"a current file", 0, crDefault, 0, true, true},
        {"help-pointer mode", -1, crHelp, 0, true, true},
        {"an analysis running", 0, crDefault, 1, true, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        list.SetItemIndex(c.ItemIndex);
        Screen->SetCursor(c.Cursor);
        Form->SiteAnalyser->AnalysisDepth = c.Analyses;
        Form->File1->Click();
        EXPECT_EQ(Form->FilePane->Details2->Enabled(), c.Properties);
        EXPECT_EQ(Form->SiteAnalyser->Analyse1->Enabled(), c.Analyse);
    }
    Screen->SetCursor(crDefault);
    Form->SiteAnalyser->AnalysisDepth = 0;
}

// A recent file chosen in the File menu opens and the list takes the filter's text as its mask,
// a text typed there and not yet entered too.
TEST_F(FilePaneTest, ARecentFileListsTheFilterText) {
    for (const char* name : {"a.htm", "b.css"})
        Make(name);
    const String page = Make("c.htm");
    MakeWindow();
    Form->FilePane->FilterCombo->SetText("*.css");
    Form->Documents->MRU->OnMRUItemClick(Form->Documents->MRU, page);
    EXPECT_EQ(Form->FileNames[0], page);
    EXPECT_EQ(Listed(), (std::vector<String>{"b.css"}));
}

// Dropped files are copied into the list's folder; one that is gone is reported and the rest
// still arrive.
TEST_F(FilePaneTest, FilesDroppedOnTheListAreCopiedIn) {
    String outside = IncludeTrailingPathDelimiter(TestSupport::Sandbox("outside"));
    std::filesystem::create_directories(outside);
    WriteFileAtomic(outside + "new.htm", "dropped");
    MakeWindow();
    Form->Show();
    TestHooks::AnswerMessageBox(IDOK);
    ASSERT_TRUE(TestHooks::DropFiles(*Form->FilePane->FileListBox1,
                                     {outside + "gone.htm", outside + "new.htm"}));
    EXPECT_EQ(ReadFileBytes(Site + "new.htm"), "dropped");
    EXPECT_EQ(Listed(), (std::vector<String>{"new.htm"}));
    EXPECT_EQ(MessageTexts().size(), 1u);
}

// The question names the count and the Trash; Yes sends the files there with their restore
// information, Shift deletes for good, No touches nothing.
TEST_F(FilePaneTest, DeleteAsksThenUsesTheTrashOrNot) {
    for (const char* name : {"a.htm", "b.htm", "c.htm", "d.htm"})
        Make(name);
    MakeWindow();
    Form->Show();
    Form->FilePane->FileListBox1->SetFocus();
    struct Case {
        std::initializer_list<String> Names;
        bool Shift;
        int Answer;
        const char* Question;
    };
    const Case cases[] = {
        {{"a.htm"}, false, IDNO, "Are you sure you want to send this file to the Recycle Bin?"},
        {{"a.htm"}, false, IDYES, "Are you sure you want to send this file to the Recycle Bin?"},
        {{"b.htm", "c.htm", "d.htm"},
         true,
         IDYES,
         "Are you sure you want to delete these 3 files?"},
    };
    for (const Case& c : cases) {
        Select(c.Names);
        TestHooks::SetKeyDown(VK_SHIFT, c.Shift);
        TestHooks::AnswerMessageBox(c.Answer);
        Form->FilePane->Delete1->Click();
        EXPECT_EQ(MessageTexts().back(), c.Question);
        EXPECT_EQ(FileExists(Site + *c.Names.begin()), c.Answer == IDNO);
    }
    TestHooks::SetKeyDown(VK_SHIFT, false);
    // The hidden Del w/o Bin item deletes for good without Shift.
    Make("e.htm");
    Select({"e.htm"});
    TestHooks::AnswerMessageBox(IDYES);
    Form->TagInsertion->DelwoBin1->Click();
    EXPECT_EQ(MessageTexts().back(), "Are you sure you want to delete this file?");
    EXPECT_FALSE(FileExists(Site + "e.htm"));
    // With a page focused, Delete cuts the page's selection and no file is touched.
    Make("f.htm");
    Select({"f.htm"});
    UsePage(*Form, 0, Site + "p.htm", "keep cut");
    Form->Memos[0]->SetFocus();
    Form->Memos[0]->SetSelStart(5);
    Form->Memos[0]->SetSelLength(3);
    Form->FilePane->Delete1->Click();
    EXPECT_EQ(Form->Memos[0]->Text(), "keep ");
    EXPECT_TRUE(FileExists(Site + "f.htm"));
    String trash = TestSupport::Sandbox("xdg-data/Trash");
    EXPECT_TRUE(FileExists(trash + "/files/a.htm"));
    EXPECT_FALSE(FileExists(trash + "/files/b.htm"));
    EXPECT_EQ(Pos("Path=" + Site + "a.htm\n", ReadFileBytes(trash + "/info/a.htm.trashinfo")), 14);
    EXPECT_EQ(Listed(), (std::vector<String>{"f.htm"}));
    EXPECT_TRUE(Form->FilePane->JCopy1->ConfirmFiles());
}

// Copying onto a file that is there asks first: No keeps the old file, and the run ends with
// what was copied and what was not.
TEST_F(FilePaneTest, CopyNeverOverwritesWithoutYesAndReportsAHalfDoneRun) {
    String upload = IncludeTrailingPathDelimiter(TestSupport::Sandbox("upload"));
    std::filesystem::create_directories(upload);
    WriteFileAtomic(upload + "b.htm", "old");
    Make("a.htm", "new a");
    Make("b.htm", "new b");
    Make("c.htm", "new c");
    MakeWindow();
    Select({"a.htm", "b.htm", "c.htm"});
    DeleteFile(Site + "c.htm");
    TestHooks::TDialogAnswer folder;
    folder.Accepted = true;
    folder.Folder = upload;
    TestHooks::AnswerDialog(folder);
    TestHooks::AnswerMessageBox(IDNO);
    TestHooks::AnswerMessageBox(IDOK);
    TestHooks::AnswerMessageBox(IDOK);
    Form->FilePane->Copy2->Click();
    EXPECT_EQ(ReadFileBytes(upload + "a.htm"), "new a");
    EXPECT_EQ(ReadFileBytes(upload + "b.htm"), "old");
    EXPECT_FALSE(FileExists(upload + "c.htm"));
    EXPECT_EQ(MessageTexts().back(), "Copied:\r\na.htm\r\n\r\nNot copied:\r\nb.htm\r\nc.htm");
}

// Rename onto a name that is taken asks; No leaves both files. A change of case alone works.
TEST_F(FilePaneTest, RenameAsksBeforeReplacingAndChangesCaseAlone) {
    Make("a.htm", "a");
    Make("b.htm", "b");
    MakeWindow();
    auto renameTo = [&](const String& current, const String& name, int answer) {
        Select({current});
        TestHooks::AnswerModal([name](TForm& form) {
            dynamic_cast<TLocationForm&>(form).LocEdit->SetText(name);
            form.SetModalResult(mrOk);
        });
        if (answer)
            TestHooks::AnswerMessageBox(answer);
        Form->FilePane->Rename1->Click();
    };
    renameTo("a.htm", "b.htm", IDNO);
    EXPECT_EQ(ReadFileBytes(Site + "a.htm"), "a");
    EXPECT_EQ(ReadFileBytes(Site + "b.htm"), "b");
    EXPECT_EQ(MessageTexts().back(), "File \"" + Site + "b.htm\" already exists. Overwrite it?");
    renameTo("a.htm", "A.htm", 0);
    EXPECT_EQ(Listed(), (std::vector<String>{"A.htm", "b.htm"}));
    EXPECT_EQ(Form->FilePane->FileListBox1->FileName(), Site + "A.htm");
}

// Re-casing: a capital first letter lower-cases all, a small one capitals the part up to the
// first "."; a name whose new spelling another file has is left alone and named.
TEST_F(FilePaneTest, ChangeFilenameCaseNeverMergesFiles) {
    for (const char* name : {"Index.HTML", "page.Old.HTM", "README", "notes.txt", "NOTES.txt"})
        Make(name, name);
    MakeWindow();
    Select({"Index.HTML", "page.Old.HTM", "README", "NOTES.txt"});
    TestHooks::AnswerMessageBox(IDOK);
    Form->FilePane->ChangeFilenameCase1->Click();
    EXPECT_EQ(Listed(), (std::vector<String>{"index.html", "NOTES.txt", "notes.txt", "PAGE.old.htm",
                                             "readme"}));
    EXPECT_EQ(ReadFileBytes(Site + "NOTES.txt"), "NOTES.txt");
    EXPECT_EQ(ReadFileBytes(Site + "notes.txt"), "notes.txt");
    EXPECT_FALSE(FileExists(Site + "~00HTML~.TMP"));
    EXPECT_NE(Pos("\r\nNOTES.txt", MessageTexts().back()), 0);
}

// Deleting the open folder is refused; a folder that holds files is asked about and then kept,
// with the system's reason.
TEST_F(FilePaneTest, DeleteFolder) {
    std::filesystem::create_directories(Site + "full");
    Make("full/page.htm");
    MakeWindow();
    TQmDirectoryListBox& folders = *Form->FilePane->DirectoryListBox1;
    folders.SetItemIndex(folders.Items().IndexOf("site"));
    TestHooks::AnswerMessageBox(IDOK);
    Form->FilePane->DeleteFolder1->Click();
    EXPECT_EQ(MessageTexts().back(),
              "Cannot delete current folder.\r\nPlease change to another one");

    folders.SetItemIndex(folders.Items().Count() - 1);
    TestHooks::AnswerMessageBox(IDYES);
    TestHooks::AnswerMessageBox(IDOK);
    Form->FilePane->DeleteFolder1->Click();
    EXPECT_EQ(TestHooks::Prompts().back().Caption, "Deletion Failed");
    EXPECT_EQ(TestHooks::Prompts().back().Text, "Directory not empty");
    EXPECT_TRUE(FileExists(Site + "full/page.htm"));
}

// The files written at or after the start of the period are selected, the rest deselected, and
// the count is told.
TEST_F(FilePaneTest, SelectModifiedFilesByTheirTimes) {
    TDateTime today = EncodeDate(2026, 5, 20);
    SetClockForTests([today] { return today + EncodeTime(15, 0, 0, 0); });
    const std::pair<const char*, TDateTime> files[] = {
        {"midnight.htm", today},
        {"before.htm", today - EncodeTime(0, 0, 1, 0)},
        {"week.htm", today - 6.5},
        {"old.htm", today - 40},
    };
    for (auto [name, time] : files)
        FileSetTimes(Make(name), time, time);
    MakeWindow();
    auto selected = [&] {
        std::vector<String> names;
        for (int i = 0; i < Form->FilePane->FileListBox1->Items().Count(); ++i)
            if (Form->FilePane->FileListBox1->Selected(i))
                names.push_back(Form->FilePane->FileListBox1->Items()[i]);
        return names;
    };
    // The file pop-up's items and the View menu's, by their names.
    struct Case {
        const char* Item;
        std::vector<String> Selected;
    };
    const Case cases[] = {
        {"Today1", {"midnight.htm"}},
        {"N7days2", {"before.htm", "midnight.htm", "week.htm"}},
        {"Today2", {"midnight.htm"}},
        {"L1", {"before.htm", "midnight.htm", "week.htm"}},
        {"Last24hours2", {"before.htm", "midnight.htm"}},
        {"N7days1", {"before.htm", "midnight.htm", "week.htm"}},
    };
    for (const Case& c : cases) {
        auto* item = dynamic_cast<TMenuItem*>(Form->FindComponent(c.Item));
        ASSERT_NE(item, nullptr) << c.Item;
        TestHooks::AnswerModalResult(mrOk);
        item->Click();
        EXPECT_EQ(selected(), c.Selected) << c.Item;
        EXPECT_EQ(TestHooks::Prompts().back().Kind, "Form");
    }
    FileSetTimes(Site + "midnight.htm", today - 2, today - 2);
    TestHooks::AnswerModalResult(mrOk);
    Form->FilePane->Today1Click(nullptr);
    EXPECT_TRUE(selected().empty());

    // Sessions come from sessions.ini; one that was never recorded selects nothing.
    TIniFile sessions(ProgramFolder() + "sessions.ini");
    int total = sessions.ReadInteger("Sessions", "Total", 0);
    sessions.WriteString("Sessions", "S" + IntToStr(total), "garbage");
    TestHooks::AnswerMessageBox(IDOK);
    Form->FilePane->ThisSession1Click(nullptr);
    EXPECT_EQ(MessageTexts().back(), "Can't find Session Record");
    sessions.WriteString("Sessions", "S" + IntToStr(total), FloatToStr(today - 7));
    TestHooks::AnswerModalResult(mrOk);
    Form->FilePane->ThisSession1Click(nullptr);
    EXPECT_EQ(selected(), (std::vector<String>{"before.htm", "midnight.htm", "week.htm"}));
    SetClockForTests({});
}

// The Custom dialog holds a number of sessions to the sessions recorded and other units to 999;
// 36 hours reach back a day and a half.
TEST_F(FilePaneTest, CustomPeriod) {
    TDateTime now = EncodeDate(2026, 5, 20) + EncodeTime(15, 0, 0, 0);
    SetClockForTests([now] { return now; });
    FileSetTimes(Make("inside.htm"), now - 1.49, now - 1.49);
    FileSetTimes(Make("outside.htm"), now - 1.51, now - 1.51);
    MakeWindow();
    int total = TIniFile(ProgramFolder() + "sessions.ini").ReadInteger("Sessions", "Total", 0);
    TestHooks::AnswerModal([total](TForm& form) {
        auto& dialog = dynamic_cast<TCustomAmendedForm&>(form);
        dialog.SetValue(total + 5);
        EXPECT_EQ(dialog.Value(), total);
        dialog.DaysButton->SetChecked(true);
        dialog.SessionButtonClick(nullptr);
        dialog.SetValue(500);
        EXPECT_EQ(dialog.Value(), 500);
        dialog.HoursButton->SetChecked(true);
        dialog.SetValue(36);
        form.SetModalResult(mrOk);
    });
    TestHooks::AnswerModalResult(mrOk);
    Form->FilePane->Custom1Click(nullptr);
    SetClockForTests({});
    EXPECT_TRUE(Form->FilePane->FileListBox1->Selected(0));
    EXPECT_FALSE(Form->FilePane->FileListBox1->Selected(1));
    EXPECT_EQ(Form->FilePane->FileListBox1->Items()[0], "inside.htm");
}

// The properties report of a page and of an image, line by line, captions in blue.
TEST_F(FilePaneTest, PropertiesReport) {
    String gif = "GIF89a";
    gif += String("\x20\x00\x10\x00", 4) + String(100, '\0');
    Make("pic.gif", gif);
    String page = Make("page.htm", String(1440, 'p'));
    TDateTime midnight = EncodeDate(2024, 3, 5);
    FileSetTimes(page, midnight + EncodeTime(14, 7, 9, 0), midnight);
    GlobalForm = new TGlobalForm(nullptr);
    MakeWindow();
    std::vector<String> lines[2];
    for (int i = 0; i < 2; ++i) {
        Select({i == 0 ? "page.htm" : "pic.gif"});
        TestHooks::AnswerModal([&lines, i](TForm& form) {
            auto& details = dynamic_cast<TDetailsForm&>(form);
            for (int l = 0; l < details.DetailsRE->Lines().Count(); ++l)
                lines[i].push_back(details.DetailsRE->Lines()[l]);
            details.DetailsRE->SetSelStart(2 + 3);
            details.DetailsRE->SetSelLength(1);
            EXPECT_EQ(details.DetailsRE->SelAttributes().Color(), 0xFF0000);
            form.SetModalResult(mrOk);
        });
        Form->FilePane->Details1->Click();
        Form->FilePane->FileListBox1->SetSelected(Form->FilePane->FileListBox1->ItemIndex(), false);
    }
    delete GlobalForm;
    GlobalForm = nullptr;
    ASSERT_EQ(lines[0].size(), 13u);
    EXPECT_EQ(lines[0][1], "File Name:\tpage.htm");
    EXPECT_EQ(lines[0][2], "(DOS File Name:\tpage.htm)");
    EXPECT_EQ(lines[0][3], "Location:\t" + Site);
    EXPECT_EQ(lines[0][5], "File Size:\t1440 bytes");
    EXPECT_EQ(lines[0][6], "Download Time:\t14.4K=1.0  28.6K=0.5  33.6K=0.4  56.6K=0.3");
    EXPECT_EQ(lines[0][9], "Last Modified:\tTue 5 March 2024 at 14:07:09");
    EXPECT_EQ(lines[0][10], "Last Accessed:\tTue 5 March 2024");
    EXPECT_EQ(lines[0][12], "Attributes:\tNone");
    ASSERT_EQ(lines[1].size(), 14u);
    EXPECT_EQ(lines[1][7], "Physical size:\tWidth: 32  Height: 16");
    EXPECT_EQ(AttributesText(faArchive | faReadOnly), " Archive  ReadOnly  ");
}

// Move takes the selected files into the chosen folder and the list shows what is left; a file
// kept back by No stays where it was, and the run names what moved and what did not. Without a
// current file, or with the folder browser cancelled, nothing moves.
TEST_F(FilePaneTest, MoveTakesTheFilesAwayAndReportsAHalfDoneRun) {
    String upload = IncludeTrailingPathDelimiter(TestSupport::Sandbox("upload"));
    std::filesystem::create_directories(upload);
    WriteFileAtomic(upload + "b.htm", "old");
    Make("a.htm", "new a");
    Make("b.htm", "new b");
    Make("c.htm", "c");
    MakeWindow();
    Form->FilePane->Move2->Click();
    EXPECT_TRUE(TestHooks::Prompts().empty());

    Select({"a.htm", "b.htm"});
    TestHooks::AnswerDialogCancel();
    Form->FilePane->Move1->Click();
    EXPECT_EQ(Listed(), (std::vector<String>{"a.htm", "b.htm", "c.htm"}));

    TestHooks::TDialogAnswer folder;
    folder.Accepted = true;
    folder.Folder = upload;
    TestHooks::AnswerDialog(folder);
    TestHooks::AnswerMessageBox(IDNO);
    TestHooks::AnswerMessageBox(IDOK);
    Form->FilePane->Move2->Click();
    EXPECT_EQ(TestHooks::Prompts()[1].Kind, "FolderBrowser");
    EXPECT_EQ(TestHooks::Prompts()[1].Caption, "Move to");
    EXPECT_EQ(ReadFileBytes(upload + "a.htm"), "new a");
    EXPECT_FALSE(FileExists(Site + "a.htm"));
    EXPECT_EQ(ReadFileBytes(upload + "b.htm"), "old");
    EXPECT_EQ(ReadFileBytes(Site + "b.htm"), "new b");
    EXPECT_EQ(Listed(), (std::vector<String>{"b.htm", "c.htm"}));
    EXPECT_EQ(MessageTexts().back(), "Moved:\r\na.htm\r\n\r\nNot moved:\r\nb.htm");
    EXPECT_EQ(TestHooks::QueuedAnswers(), 0);
}

// Copy As offers the name as the disk spells it; a bare name is copied into the list's folder and
// becomes the current item, a path goes where it says, a text without a file name is refused,
// and a name that is taken is asked about (Yes hands the copy to the shell, which asks once
// more before it replaces the file).
TEST_F(FilePaneTest, CopyAsCopiesUnderTheNewNameOrSaysWhyNot) {
    const String elsewhere = IncludeTrailingPathDelimiter(TestSupport::Sandbox("elsewhere"));
    std::filesystem::create_directories(elsewhere);
    const String takenQuestion = "File \"" + Site + "taken.htm\" already exists. Overwrite it?";
    struct Case {
        const char* Name;
        String Typed; // empty: the dialog is cancelled
        std::vector<int> Answers;
        String Copy;    // the file that then holds the copy, empty when none
        String Message; // the first message shown, empty when none
        String Caption;
        const char* Current; // the list's current file afterwards; not checked when null
    };
    const Case cases[] = {
        {"a bare name", "Copy.htm", {}, Site + "Copy.htm", "", "", "Copy.htm"},
        {"a path", elsewhere + "far.htm", {}, elsewhere + "far.htm", "", "", nullptr},
        {"no file name",
         elsewhere,
         {IDOK},
         "",
         "You have not given a new filename!",
         "Copy As...",
         "Page.htm"},
        {"taken, No", "taken.htm", {IDNO}, "", takenQuestion, "Quiltmarker", "Page.htm"},
        {"taken, Yes",
         "taken.htm",
         {IDYES, IDYES},
         Site + "taken.htm",
         takenQuestion,
         "Quiltmarker",
         "taken.htm"},
        {"cancelled", "", {}, "", "", "", "Page.htm"},
    };
    Make("Page.htm", "page");
    MakeWindow();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TestHooks::Reset();
        Make("taken.htm", "taken");
        TFileListBox& list = *Form->FilePane->FileListBox1;
        list.Update();
        for (int i = 0; i < list.Items().Count(); ++i)
            list.SetSelected(i, false);
        Select({"Page.htm"});
        String offered, label;
        TestHooks::AnswerModal([&](TForm& form) {
            auto& dialog = dynamic_cast<TLocationForm&>(form);
            offered = dialog.LocEdit->Text();
            label = dialog.LocLabel->Caption();
            dialog.LocEdit->SetText(c.Typed);
            form.SetModalResult(c.Typed.empty() ? mrCancel : mrOk);
        });
        for (int answer : c.Answers)
            TestHooks::AnswerMessageBox(answer);
        Form->FilePane->MakeSecondCopy1->Click();
        EXPECT_EQ(offered, "Page.htm");
        EXPECT_EQ(label, "Make copy of Page.htm as:");
        const std::vector<String> messages = MessageTexts();
        EXPECT_EQ(messages.empty() ? String() : messages.front(), c.Message);
        if (!c.Message.empty()) {
            EXPECT_EQ(TestHooks::Prompts()[1].Caption, c.Caption);
        }
        if (!c.Copy.empty()) {
            EXPECT_EQ(ReadFileBytes(c.Copy), "page");
        } else if (c.Typed == "taken.htm") {
            EXPECT_EQ(ReadFileBytes(Site + "taken.htm"), "taken");
        }
        EXPECT_EQ(ReadFileBytes(Site + "Page.htm"), "page");
        if (c.Current) {
            EXPECT_EQ(list.FileName(), Site + c.Current);
        }
        EXPECT_EQ(TestHooks::QueuedAnswers(), 0);
    }
    EXPECT_EQ(Listed(), (std::vector<String>{"Copy.htm", "Page.htm", "taken.htm"}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(elsewhere),
                            std::filesystem::directory_iterator()),
              1);
}

// New Folder makes the named folder in the folder list's folder and lists it; Cancel makes none,
// and a name that cannot be made is passed over without a word.
TEST_F(FilePaneTest, NewFolderMakesTheNamedFolder) {
    Make("file");
    MakeWindow();
    struct Case {
        const char* Name;
        String Typed;
        int Result;
        bool Made;
    };
    const Case cases[] = {
        {"a new name", "images", mrOk, true},
        {"cancelled", "cancelled", mrCancel, false},
        {"the name of a file", "file", mrOk, false},
        {"inside a missing folder", "missing/inner", mrOk, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TestHooks::Reset();
        String label;
        TestHooks::AnswerModal([&](TForm& form) {
            auto& dialog = dynamic_cast<TLocationForm&>(form);
            label = dialog.LocLabel->Caption();
            EXPECT_EQ(dialog.LocEdit->Text(), "");
            dialog.LocEdit->SetText(c.Typed);
            form.SetModalResult(c.Result);
        });
        Form->FilePane->NewFolder2->Click();
        EXPECT_EQ(label, "New folder in " + ExcludeTrailingPathDelimiter(Site));
        EXPECT_EQ(DirectoryExists(Site + c.Typed), c.Made);
        EXPECT_EQ(Form->FilePane->DirectoryListBox1->Items().IndexOf(c.Typed) >= 0, c.Made);
        EXPECT_EQ(TestHooks::Prompts().size(), 1u);
    }
    EXPECT_EQ(Form->FilePane->DirectoryListBox1->Directory(), ExcludeTrailingPathDelimiter(Site));
}

// Show All Files lists everything and checks all four filter items without storing a thing;
// each Images-only item lists its kind alone (the extension's case aside), touches no check and
// stores nothing.
TEST_F(FilePaneTest, ShowAllFilesAndImagesOnly) {
    for (const char* name : {"a.htm", "b.gif", "c.JPG", "d.png", "e.bmp", "f.txt"})
        Make(name);
    MakeWindow();
    TFilePane& pane = *Form->FilePane;
    TMenuItem* imagesOnly = pane.Imagesonly1;
    struct Case {
        TMenuItem* Item;
        const char* Mask;
        std::vector<String> Listed;
    };
    const Case cases[] = {
        {imagesOnly->Items(0), "*.gif", {"b.gif"}},
        {imagesOnly->Items(1), "*.jpg", {"c.JPG"}},
        {imagesOnly->Items(2), "*.png", {"d.png"}},
        {imagesOnly->Items(3), "*.bmp", {"e.bmp"}},
        {imagesOnly->Items(4), "*.gif;*.jpg;*.png;*.bmp", {"b.gif", "c.JPG", "d.png", "e.bmp"}},
        {pane.ShowAllFiles1, "*.*", {"a.htm", "b.gif", "c.JPG", "d.png", "e.bmp", "f.txt"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Mask);
        pane.ShowHTMLonly1->Click();
        TRegistry reg;
        reg.OpenKey(ProductKey, true);
        reg.DeleteValue("ShowImages");
        reg.DeleteValue("ShowMultiMedia");
        c.Item->Click();
        EXPECT_EQ(pane.FilterCombo->Text(), c.Mask);
        EXPECT_EQ(pane.FileListBox1->Mask(), c.Mask);
        EXPECT_EQ(Listed(), c.Listed);
        const bool all = c.Item == pane.ShowAllFiles1;
        EXPECT_EQ(pane.ShowImages, all);
        for (TMenuItem* check :
             {pane.ShowImages1, pane.ShowImages2, pane.IncludeMultimedia1, pane.ShowMultimedia1})
            EXPECT_EQ(check->Checked(), all) << check->Name();
        EXPECT_EQ(Stored(ProductKey, "ShowImages"), "<none>");
        EXPECT_EQ(Stored(ProductKey, "ShowMultiMedia"), "<none>");
    }
    // From the pop-up menu too; in help-pointer mode Show All Files shows its help and changes
    // nothing, while the Images-only items do not take part and run.
    pane.ShowHTMLonly1->Click();
    pane.ShowAllFiles2->Click();
    EXPECT_EQ(pane.FileListBox1->Mask(), "*.*");
    pane.ShowHTMLonly1->Click();
    const String htmlOnly = pane.FileListBox1->Mask();
    Screen->SetCursor(crHelp);
    pane.ShowAllFiles1->Click();
    EXPECT_EQ(pane.FileListBox1->Mask(), htmlOnly);
    EXPECT_EQ(Screen->Cursor(), crDefault);
    Screen->SetCursor(crHelp);
    imagesOnly->Items(0)->Click();
    EXPECT_EQ(pane.FileListBox1->Mask(), "*.gif");
    Screen->SetCursor(crDefault);
}

// Select All selects every listed file; Invert Selection flips each one.
TEST_F(FilePaneTest, SelectAllAndInvertSelection) {
    for (const char* name : {"a.htm", "b.htm", "c.htm", "d.htm"})
        Make(name);
    MakeWindow();
    TFileListBox& list = *Form->FilePane->FileListBox1;
    auto selected = [&] {
        std::vector<String> names;
        for (int i = 0; i < list.Items().Count(); ++i)
            if (list.Selected(i))
                names.push_back(list.Items()[i]);
        return names;
    };
    Select({"b.htm", "d.htm"});
    Form->FilePane->InvertSelection1->Click();
    EXPECT_EQ(selected(), (std::vector<String>{"a.htm", "c.htm"}));
    Form->FilePane->SelectAll3->Click();
    EXPECT_EQ(selected(), (std::vector<String>{"a.htm", "b.htm", "c.htm", "d.htm"}));
    Form->FilePane->InvertSelection1->Click();
    EXPECT_TRUE(selected().empty());
    Form->FilePane->InvertSelection1->Click();
    EXPECT_EQ(list.SelCount(), 4);
}
