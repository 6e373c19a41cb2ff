// The main window's creation: the settings it reads, their defaults, and what a stored value of
// the wrong type does (nothing: its default stands).

#include "MainWindowSupport.h"
#include "TestSupport.h"
#include "editor/Autosave.h"
#include "editor/FontCommand.h"
#include "editor/HTMLSplash.h"
#include "editor/ReferenceHelp.h"
#include "platform/CommonDialogs.h"
#include "platform/DateTime.h"
#include "platform/FileListBox.h"
#include "platform/FileUtils.h"
#include "platform/IniFiles.h"
#include "platform/TestHooks.h"
#include "publish/AppButtons.h"
#include "publish/ExternalBrowsers.h"
#include "publish/InternalBrowser.h"
#include "site/FilePane.h"
#include "site/ReportPane.h"
#include "tags/TagButtons.h"
#include "widgets/FBrowse.h"
#include "widgets/QmToolbars.h"

#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>
#include <functional>
#include <regex>

using namespace MainWindowSupport;

namespace {

String HomeFolder() {
    return IncludeTrailingPathDelimiter(std::getenv("HOME"));
}

// What a window made on an empty registry shows; also what must stand for every setting whose
// stored value has the wrong type.
void ExpectDefaults(THTMLEMainForm& form) {
    EXPECT_FALSE(form.PermSave);
    EXPECT_FALSE(form.PermanentSaveonViewing1->Checked());
    EXPECT_FALSE(form.ColouredTags);
    EXPECT_FALSE(form.UseTagColouring1->Checked());
    EXPECT_FALSE(form.ColourTags1->Enabled());
    EXPECT_EQ(form.TagColour, 0xFF0000);
    EXPECT_EQ(form.ParamColour, 0x0000FF);
    EXPECT_EQ(form.CommentColour, 0x0000FF);
    EXPECT_TRUE(form.TagStyle.Empty());
    EXPECT_TRUE(form.ParamStyle.Empty());
    EXPECT_TRUE(form.CommentStyle.Empty());
    EXPECT_FALSE(form.ShowLineNumbers);
    EXPECT_FALSE(form.ShowLineNumber2->Checked());
    EXPECT_TRUE(form.ShowSize2->Checked());
    EXPECT_EQ(form.MaxEditSize, -1);
    EXPECT_TRUE(form.AskForAltData);
    EXPECT_TRUE(form.RequestALTtags1->Checked());
    EXPECT_EQ(form.Autosave->AutosaveTimer->Interval(), 300000);
    EXPECT_TRUE(form.Autosave->AutosaveTimer->Enabled());
    EXPECT_TRUE(form.Autosave->N5mins1->Checked());
    EXPECT_TRUE(form.Autosave->Autosave1->Checked());
    EXPECT_FALSE(form.DoubleParaTags);
    EXPECT_FALSE(form.ParaPrefs->Checked());
    EXPECT_FALSE(form.Documents->FileSaveButton->Flat());
    EXPECT_FALSE(form.Office97Style1->Checked());
    EXPECT_EQ(form.DefaultExtension, "html");
    EXPECT_EQ(form.AutoInsertTab, "");
    EXPECT_FALSE(form.AutoInsertTabs->Checked());
    EXPECT_EQ(form.ExternalBrowsers->IEPath, "");
    EXPECT_EQ(form.ExternalBrowsers->NetscapePath, "");
    EXPECT_FALSE(form.FilePane->ShowImages);
    EXPECT_FALSE(form.FilePane->IncludeMultimedia1->Checked());
    EXPECT_FALSE(form.SmartTabs);
    EXPECT_TRUE(form.PrePublish);
    EXPECT_TRUE(form.Prepublishfiles1->Checked());
    EXPECT_TRUE(form.InternalBrowser->BrowserFullSize);
    EXPECT_TRUE(form.InternalBrowser->ShowBrowserFullSize1->Checked());
    EXPECT_EQ(form.TemplateFolder, HomeFolder());
    EXPECT_EQ(form.TabWidth, 12);
    EXPECT_TRUE(form.On2->Checked());
    EXPECT_FALSE(form.Off2->Checked());
    for (TRichEdit* editor : form.Memos) {
        EXPECT_TRUE(editor->WordWrap());
        EXPECT_EQ(editor->Font().Name(), "MS Sans Serif");
        EXPECT_EQ(editor->Font().Size(), 10);
        EXPECT_EQ(editor->Font().Color(), clBlack);
        EXPECT_EQ(editor->Paragraph().FirstIndent(), 2);
        EXPECT_EQ(editor->Paragraph().LeftIndent(), 12);
        EXPECT_EQ(editor->Paragraph().RightIndent(), 5);
        ASSERT_EQ(editor->Paragraph().TabCount(), 20);
        EXPECT_EQ(editor->Paragraph().Tab(0), 14);
        EXPECT_EQ(editor->Paragraph().Tab(19), 242);
    }
    EXPECT_EQ(form.PrinterForm->Font().Name(), "MS Sans Serif");
    EXPECT_EQ(form.TextColour, clBlack);
    EXPECT_EQ(form.Documents->TextFileExtensions, ".htm .html .shtml .txt .htt");
    EXPECT_EQ(form.TagButtons->UserButtons[0]->Caption(), "1");
    EXPECT_EQ(form.FilePane->FilterCombo->Text(), "*.*htm*");
    EXPECT_EQ(form.FilePane->FileListBox1->Mask(), "*.*htm*");
    EXPECT_TRUE(form.FirstShowPending);
}

} // namespace

TEST(MainSettings, AnEmptyRegistryGivesEveryDefaultAndSeedsTheFileMasks) {
    auto form = MakeMainWindow();
    ExpectDefaults(*form);
    EXPECT_EQ(form->ExternalBrowsers->IEWindowTitle, "Internet Explorer");
    EXPECT_EQ(form->InternalBrowser->SavedInlineImages, "yes");
    EXPECT_EQ(form->ProgramFolder, ProgramFolder());
    EXPECT_EQ(form->HelpFileName, ProgramFolder() + "help/Quiltmarker.hlp");
    EXPECT_EQ(form->TagButtons->UserButtons[15]->Hint(), "User defineable");
    EXPECT_EQ(ProgramVersionText, "3.0d");
    EXPECT_TRUE(form->InternalBrowser->WorkOffline1->Checked());
    EXPECT_TRUE(form->TagButtons->ImageMapButton->Visible());
    EXPECT_TRUE(form->TagButtons->ReplaceAnglesButton->Visible());
    EXPECT_EQ(form->TagButtons->ReplaceAnglesButton->Tag(), 0);
    EXPECT_EQ(form->VersionLabel->Caption(), "Version 3.0d");

    // The form's eight masks, the nine appended, the first two replaced; stored with 0xA7.
    const TStrings& masks = form->FilePane->FilterCombo->Items();
    ASSERT_EQ(masks.Count(), 17);
    EXPECT_EQ(masks.Get(0), "*.*htm*;*.cgi;*.pl;*.log;*.txt");
    EXPECT_EQ(masks.Get(1), "*.*htm*;*.cgi;*.pl;*.log;*.txt;*.gif;*.jpg;*.png;");
    EXPECT_EQ(masks.Get(8), "*.*htm*");
    EXPECT_EQ(masks.Get(16), "*.*");
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly(ProductKey + "\\LatestFiles"));
    String stored = reg.ReadString("Masks");
    EXPECT_EQ(std::count(stored.begin(), stored.end(), '\xA7'), 16);
    EXPECT_EQ(stored.substr(0, 31), "*.*htm*;*.cgi;*.pl;*.log;*.txt\xA7");
    EXPECT_EQ(stored.substr(stored.size() - 4), "\xA7*.*");
}

TEST(MainSettings, StoredValuesSetTheMembersAndCheckMarksTheyName) {
    String glyph = TestSupport::Sandbox("user2.bmp");
    String templates = TestSupport::Sandbox("templates/");
    std::filesystem::create_directories(templates);
    Store(ProductKey, {
                          {"PermSave", 1},
                          {"Coloured Tags", 1},
                          {"TagColour", 0x00FF00},
                          {"ParamColour", 0x123456},
                          {"CommentColour", 0x808080},
                          {"TagBold", 1},
                          {"ParamItalic", 1},
                          {"CommentUnderline", 1},
                          {"CommentBold", 0},
                          {"ShowLineNumbers", 1},
                          {"MaxEditSize", String("200000")},
                          {"AskForAltData", 0},
                          {"Autosave", 10},
                          {"DoubleParaTags", 1},
                          {"Office97Style", 1},
                          {"Left Margin", 4},
                          {"Left Indent", 20},
                          {"Right Margin", 7},
                          {"Default Extension", String("htm")},
                          {"AutoInsertTab", 1},
                          {"IE3Path", String("/usr/bin/firefox")},
                          {"NetscapePath", String("/usr/bin/netscape")},
                          {"ShowImages", 1},
                          {"ShowMultimedia", 1},
                          {"SmartTabs", 1},
                          {"PrePublish", 0},
                          {"LastDir", templates},
                          {"BrowserFullSize", 0},
                          {"TemplateFolder", templates},
                          {"TabWidth", 30},
                          {"WordWrap", 0},
                      });
    Store(ProductKey + "\\Font", {{"FontName", String("Courier New")},
                                  {"FontSize", 12},
                                  {"FontStyleBold", 1},
                                  {"FontColour", 0x000080}});
    Store(ProductKey + "\\Printer Font",
          {{"FontName", String("Arial")}, {"FontSize", 9}, {"FontColour", 0x008000}});
    Store(ProductKey + "\\UserDef", {{"Buttons", 3},
                                     {"UserDef1Text", String("HR")},
                                     {"UserDef1Hint", String("Rule")},
                                     {"UserDef2Text", String("")},
                                     {"UserDef2Glyph", glyph + ".missing"}});
    Store(ProductKey + "\\Text Files",
          {{"1", String(".htm")}, {"2", String(".php")}, {"4", String(".txt")}});
    Store(ProductKey + "\\Apps", {{"AppCmdLine0", String("gimp %s")},
                                  {"AppHint0", String("Paint")},
                                  {"ButtonText0", String("GIMP")},
                                  {"AppHint15", String("Last")}});
    Store(ProductKey + "\\LatestFiles",
          {{"Masks", String("*.htm\xA7*.gif\xA7")}, {"LastMask", String("*.css")}});
    String previousFolder = GetCurrentDir();
    auto form = MakeMainWindow();
    SetCurrentDir(previousFolder);

    const std::pair<const char*, std::function<bool()>> cases[] = {
        {"PermSave", [&] { return form->PermSave && form->PermanentSaveonViewing1->Checked(); }},
        {"Coloured Tags",
         [&] {
             return form->ColouredTags && form->UseTagColouring1->Checked() &&
                    form->ColourTags1->Enabled();
         }},
        {"colours",
         [&] {
             return form->TagColour == 0x00FF00 && form->ParamColour == 0x123456 &&
                    form->CommentColour == 0x808080;
         }},
        {"styles",
         [&] {
             return form->TagStyle == TFontStyles{fsBold} &&
                    form->ParamStyle == TFontStyles{fsItalic} &&
                    form->CommentStyle == TFontStyles{fsUnderline};
         }},
        {"ShowLineNumbers",
         [&] {
             return form->ShowLineNumbers && form->ShowLineNumber2->Checked() &&
                    !form->ShowSize2->Checked();
         }},
        {"MaxEditSize",
         [&] { return form->MaxEditSize == 200000 && form->Memos[0]->MaxLength() == 200000; }},
        {"AskForAltData",
         [&] { return !form->AskForAltData && !form->RequestALTtags1->Checked(); }},
        {"Autosave",
         [&] {
             return form->Autosave->AutosaveTimer->Interval() == 600000 &&
                    form->Autosave->N10mins1->Checked() && !form->Autosave->N5mins1->Checked() &&
                    form->Autosave->Autosave1->Checked();
         }},
        {"DoubleParaTags", [&] { return form->DoubleParaTags && form->ParaPrefs->Checked(); }},
        {"Office97Style",
         [&] {
             return form->Office97Style1->Checked() && form->Documents->FileSaveButton->Flat() &&
                    form->TagButtons->UserButtons[5]->Flat() &&
                    form->TagButtons->AppButtons[9]->Flat();
         }},
        {"margins and tab width",
         [&] {
             const TParaAttributes& para = form->Memos[7]->Paragraph();
             return para.FirstIndent() == 4 && para.LeftIndent() == 20 && para.RightIndent() == 7 &&
                    para.Tab(0) == 34 && para.Tab(19) == 604 &&
                    form->PrinterForm->Paragraph().RightIndent() == 7;
         }},
        {"Default Extension", [&] { return form->DefaultExtension == "htm"; }},
        {"AutoInsertTab",
         [&] { return form->AutoInsertTab == "\t" && form->AutoInsertTabs->Checked(); }},
        {"browser paths",
         [&] {
             return form->ExternalBrowsers->IEPath == "/usr/bin/firefox" &&
                    form->ExternalBrowsers->NetscapePath == "/usr/bin/netscape";
         }},
        {"ShowImages", [&] { return form->FilePane->ShowImages; }},
        {"ShowMultimedia", [&] { return form->FilePane->IncludeMultimedia1->Checked(); }},
        {"SmartTabs", [&] { return form->SmartTabs && form->SmartTabsMenu->Checked(); }},
        {"PrePublish", [&] { return !form->PrePublish && !form->Prepublishfiles1->Checked(); }},
        {"LastDir", [&] { return form->FolderBrowse1->Directory() == templates; }},
        {"BrowserFullSize",
         [&] {
             return !form->InternalBrowser->BrowserFullSize &&
                    !form->InternalBrowser->ShowBrowserFullSize1->Checked();
         }},
        {"TemplateFolder and TabWidth",
         [&] { return form->TemplateFolder == templates && form->TabWidth == 30; }},
        {"WordWrap",
         [&] {
             return !form->On2->Checked() && form->Off2->Checked() && !form->Memos[3]->WordWrap() &&
                    form->Memos[3]->ScrollBars() == ssBoth;
         }},
        {"Font",
         [&] {
             const TFont& font = form->Memos[19]->Font();
             return font.Name() == "Courier New" && font.Size() == 12 &&
                    font.Style() == TFontStyles{fsBold} && font.Color() == 0x000080 &&
                    form->TextStyle == TFontStyles{fsBold};
         }},
        {"Printer Font",
         [&] {
             const TFont& font = form->PrinterForm->Font();
             return font.Name() == "Arial" && font.Size() == 9 && font.Color() == 0x008000 &&
                    form->TextColour == 0x008000;
         }},
        {"UserDef: three buttons set up",
         [&] {
             TQmToolbarButton* first = form->TagButtons->UserButtons[0];
             TQmToolbarButton* second = form->TagButtons->UserButtons[1];
             return first->Caption() == "HR" && first->Hint() == "Rule" &&
                    first->Font().Name() == "Small Fonts" && second->Caption() == "2" &&
                    second->Hint() == "Undefined" && second->Font().Name() == "MS Sans Serif" &&
                    form->TagButtons->UserButtons[2]->Hint() == "Undefined" &&
                    form->TagButtons->UserButtons[3]->Hint() == "User defineable";
         }},
        {"Text Files stop at the first gap",
         [&] { return form->Documents->TextFileExtensions == ".htm .php "; }},
        {"Apps",
         [&] {
             return form->AppButtons->AppCmdLines[0] == "gimp %s" &&
                    form->AppButtons->AppHints[0] == "Paint" &&
                    form->TagButtons->AppButtons[0]->Hint() == "Paint" &&
                    form->TagButtons->AppButtons[0]->Caption() == "GIMP" &&
                    form->TagButtons->AppButtons[0]->Font().Name() == "Small Fonts" &&
                    form->TagButtons->AppButtons[15]->Hint() == "Last" &&
                    form->TagButtons->AppButtons[15]->Caption() == "16";
         }},
        {"Masks and LastMask",
         [&] {
             const TStrings& masks = form->FilePane->FilterCombo->Items();
             return masks.Count() == 3 && masks.Get(0) == "*.htm" && masks.Get(1) == "*.gif" &&
                    masks.Get(2) == "*.css" && form->FilePane->FilterCombo->Text() == "*.css" &&
                    form->FilePane->FileListBox1->Mask() == "*.css";
         }},
        {"FirstShowPending", [&] { return form->FirstShowPending; }},
    };
    for (const auto& [setting, holds] : cases)
        EXPECT_TRUE(holds()) << setting;
}

TEST(MainSettings, AutosaveMinutesGiveTheIntervalAndTheOneCheckedItem) {
    struct Case {
        std::optional<int> Minutes;
        int Interval;
        TMenuItem* TAutosave::*Checked;
    };
    const Case cases[] = {
        {std::nullopt, 300000, &TAutosave::N5mins1},
        {2, 120000, &TAutosave::N2mins1},
        {15, 900000, &TAutosave::N15mins1},
        {7, 420000, &TAutosave::Off1},
        {0, 0, &TAutosave::Off1},
        {-3, 0, &TAutosave::Off1},
        {99999, 2147483647, &TAutosave::Off1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Minutes ? IntToStr(*c.Minutes) : String("absent"));
        TRegistry reg;
        reg.DeleteKey(ProductKey);
        if (c.Minutes)
            Store(ProductKey, {{"Autosave", *c.Minutes}});
        auto form = MakeMainWindow();
        EXPECT_EQ(form->Autosave->AutosaveTimer->Interval(), c.Interval);
        for (TMenuItem* item :
             {form->Autosave->N2mins1, form->Autosave->N5mins1, form->Autosave->N10mins1,
              form->Autosave->N15mins1, form->Autosave->Off1})
            EXPECT_EQ(item->Checked(), item == (*form->Autosave).*c.Checked) << item->Name();
    }
}

TEST(MainSettings, MaxEditSizeTextThatIsNoNumberCountsAsZero) {
    const std::pair<const char*, int> cases[] = {{"-1", -1}, {"200000", 200000}, {"abc", 0}};
    for (auto [text, size] : cases) {
        SCOPED_TRACE(text);
        Store(ProductKey, {{"MaxEditSize", String(text)}});
        auto form = MakeMainWindow();
        EXPECT_EQ(form->MaxEditSize, size);
    }
}

// A value of another type than its setting's counts as absent: the default stands, the window is
// built whole, nothing is reported and the settings read after it are still read.
TEST(MainSettings, ValuesOfTheWrongTypeLeaveTheirDefaults) {
    Store(ProductKey, {
                          {"PermSave", String("1")},
                          {"Coloured Tags", String("yes")},
                          {"TagColour", String("red")},
                          {"ParamColour", String("1")},
                          {"CommentColour", String("1")},
                          {"TagBold", String("1")},
                          {"ShowLineNumbers", String("1")},
                          {"MaxEditSize", 5000},
                          {"AskForAltData", String("0")},
                          {"Autosave", String("10")},
                          {"Office97Style", String("1")},
                          {"Left Margin", String("9")},
                          {"Default Extension", 7},
                          {"AutoInsertTab", String("1")},
                          {"IE3Path", 3},
                          {"PrePublish", String("0")},
                          {"LastDir", 1},
                          {"LastDrive", 1},
                          {"BrowserFullSize", String("0")},
                          {"TemplateFolder", 2},
                          {"TabWidth", String("30")},
                          {"WordWrap", String("0")},
                          {"SplashScreen", 0},
                      });
    Store(ProductKey + "\\Font", {{"FontName", 5}, {"FontSize", String("big")}});
    Store(ProductKey + "\\Printer Font",
          {{"FontColour", String("blue")}, {"MarginTop", String("x")}});
    Store(ProductKey + "\\UserDef", {{"Buttons", String("2")}});
    Store(ProductKey + "\\Text Files", {{"1", 1}});
    Store(ProductKey + "\\Apps", {{"ButtonText0", 1}});
    Store(ProductKey + "\\LatestFiles", {{"Masks", 3}, {"LastMask", 4}});
    auto form = MakeMainWindow();
    ExpectDefaults(*form);
    EXPECT_EQ(form->FilePane->FilterCombo->Items().Count(), 17);
    // "Buttons" of the wrong type leaves its default of 16 buttons set up.
    EXPECT_EQ(form->TagButtons->UserButtons[15]->Hint(), "Undefined");
    EXPECT_TRUE(TestHooks::Prompts().empty());
}

// The run's start is written with a full stop whatever the user's locale, and read back as the
// same number.
TEST(MainSettings, SessionsAreCountedOverThreeStartsUnderACommaLocale) {
    const char* previous = std::setlocale(LC_ALL, nullptr);
    String previousLocale = previous ? previous : "C";
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr);
    FormatSettings = LocaleFormatSettings("de_DE");
    ASSERT_EQ(FormatSettings.DecimalSeparator, ',');
    std::vector<TDateTime> starts;
    for (int run = 0; run < 3; ++run)
        starts.push_back(MakeMainWindow()->SessionStart);
    std::setlocale(LC_ALL, previousLocale.c_str());
    ResetFormatSettingsForTests();

    TIniFile sessions(ProgramFolder() + "sessions.ini");
    EXPECT_EQ(sessions.ReadInteger("Sessions", "Total", 0), 3);
    for (int run = 1; run <= 3; ++run) {
        String value = sessions.ReadString("Sessions", "S" + IntToStr(run), "");
        SCOPED_TRACE(value);
        EXPECT_TRUE(std::regex_match(value, std::regex("[0-9]+\\.[0-9]{6}")));
        EXPECT_NEAR(StrToFloat(value), starts[run - 1], 1e-6);
    }
}

TEST(MainSettings, ReferenceHelpShippedInTheProgramFolderIsFoundAndStored) {
    std::filesystem::create_directories(ProgramFolder() + "help");
    WriteFileAtomic(ProgramFolder() + "help/htmlref.hlp", "help");
    Store(ProductKey + "\\Help", {{"IEHTML", String("")}});
    auto form = MakeMainWindow();
    EXPECT_EQ(form->ReferenceHelp->IEHTMLHelpFile, ProgramFolder() + "help/htmlref.hlp");
    EXPECT_TRUE(form->ReferenceHelp->IEHelp->Visible());
    EXPECT_TRUE(form->ReferenceHelp->N11->Visible());
    EXPECT_FALSE(form->ReferenceHelp->RefLibHelp->Visible());
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly(ProductKey + "\\Help"));
    EXPECT_EQ(reg.ReadString("IEHTML"), ProgramFolder() + "help/htmlref.hlp");
    EXPECT_FALSE(reg.ValueExists("HTMLRefLib"));
}

TEST(MainSettings, NarrowScreensDisableTheBrowserSizesThatDoNotFit) {
    const std::tuple<int, bool, bool> cases[] = {
        {1280, true, true}, {1024, true, true}, {800, true, false}, {640, false, false}};
    for (auto [width, enabled800, enabled1024] : cases) {
        SCOPED_TRACE(width);
        TestHooks::SetScreenSize(width, 600);
        auto form = MakeMainWindow();
        EXPECT_EQ(form->InternalBrowser->Browser800->Enabled(), enabled800);
        EXPECT_EQ(form->InternalBrowser->Browser1024->Enabled(), enabled1024);
    }
}

TEST(MainSettings, TheFontCommandAppliesAndStoresTheChosenFont) {
    auto form = MakeMainWindow();
    auto choose = [](const String& name, int size, TFontStyles style, TColor colour) {
        TestHooks::TDialogAnswer answer;
        answer.Accepted = true;
        answer.Fill = [=](TComponent* dialog) {
            TFont& font = static_cast<TFontDialog*>(dialog)->Font();
            font.SetName(name);
            font.SetSize(size);
            font.SetStyle(style);
            font.SetColor(colour);
        };
        TestHooks::AnswerDialog(answer);
    };
    TestHooks::AnswerDialogCancel();
    form->FontCommand->ChangeFontButtonClick(form->FontCommand->Editor1);
    TRegistry reg;
    EXPECT_FALSE(reg.OpenKeyReadOnly(ProductKey + "\\Font"));

    choose("Courier New", 14, {fsItalic, fsStrikeOut}, 0x0000C0);
    form->FontCommand->ChangeFontButtonClick(form->FontCommand->Editor1);
    for (TRichEdit* editor : form->Memos) {
        EXPECT_EQ(editor->Font().Name(), "Courier New");
        EXPECT_EQ(editor->Font().Size(), 14);
        EXPECT_EQ(editor->Font().Style(), TFontStyles{fsItalic});
        EXPECT_EQ(editor->Font().Color(), 0x0000C0);
    }
    EXPECT_EQ(form->TextStyle, TFontStyles{fsItalic});
    EXPECT_EQ(form->TextColour, 0x0000C0);
    ASSERT_TRUE(reg.OpenKeyReadOnly(ProductKey + "\\Font"));
    EXPECT_EQ(reg.ReadString("FontName"), "Courier New");
    EXPECT_EQ(reg.ReadInteger("FontSize"), 14);
    EXPECT_EQ(reg.ReadInteger("FontColour"), 0x0000C0);
    EXPECT_FALSE(reg.ReadBool("FontStyleBold"));
    EXPECT_TRUE(reg.ReadBool("FontStyleItalic"));
    EXPECT_FALSE(reg.ReadBool("FontStyleUnderline"));

    // The printer font goes to the print editor and the report pane, and to its own subkey; the
    // editors keep theirs.
    choose("Arial", 9, {fsBold}, 0x008000);
    form->FontCommand->ChangeFontButtonClick(form->FontCommand->Printer1);
    EXPECT_EQ(form->PrinterForm->Font().Name(), "Arial");
    EXPECT_EQ(form->PrinterForm->Font().Style(), TFontStyles{fsBold});
    EXPECT_EQ(form->ReportPane->ReportForm->Font().Name(), "Arial");
    EXPECT_EQ(form->ReportPane->ReportForm->Font().Size(), 9);
    EXPECT_EQ(form->Memos[0]->Font().Name(), "Courier New");
    ASSERT_TRUE(reg.OpenKeyReadOnly(ProductKey + "\\Printer Font"));
    EXPECT_EQ(reg.ReadString("FontName"), "Arial");
    EXPECT_TRUE(reg.ReadBool("FontStyleBold"));

    // A new window reads the stored editor font back.
    auto next = MakeMainWindow();
    EXPECT_EQ(next->Memos[12]->Font().Name(), "Courier New");
    EXPECT_EQ(next->Memos[12]->Font().Color(), 0x0000C0);
    EXPECT_EQ(next->PrinterForm->Font().Name(), "Arial");
}

// A step that fails is reported, and the steps after it still run.
TEST(MainSettings, ASessionsFileThatCannotBeWrittenIsReportedAndCreationGoesOn) {
    std::filesystem::create_directories(ProgramFolder() + "sessions.ini");
    Store(ProductKey, {{"TabWidth", 30}});
    TestHooks::AnswerMessageBox(IDOK);
    auto form = MakeMainWindow();
    ASSERT_EQ(TestHooks::Prompts().size(), 1u);
    EXPECT_NE(Pos("sessions.ini", TestHooks::Prompts()[0].Text), 0) << TestHooks::Prompts()[0].Text;
    EXPECT_EQ(form->TabWidth, 30);
    EXPECT_EQ(form->FilePane->FilterCombo->Items().Count(), 17);
    EXPECT_TRUE(form->FirstShowPending);
}
