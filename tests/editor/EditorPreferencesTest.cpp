// The editor preferences: each command through its menu item or dialog, then the value it wrote,
// the editors and the window as they are at once, and the same setting in the next window.

#include "editor/EditorPreferences.h"
#include "MainWindowSupport.h"
#include "TestSupport.h"
#include "editor/Documents.h"
#include "editor/FontCommand.h"
#include "editor/HTMLLocationForm.h"
#include "editor/HTMLMarginForm.h"
#include "editor/TabSetForm.h"
#include "platform/ComCtrls.h"
#include "platform/CommonDialogs.h"
#include "platform/Spin.h"
#include "platform/TestHooks.h"
#include "tags/HTMLGlossary.h"
#include "tags/TagButtons.h"
#include "widgets/QmToolbars.h"

#include <gtest/gtest.h>

#include <functional>

using namespace MainWindowSupport;

namespace {

// What the registry holds under the product key (or a subkey), "(none)" when nothing.
String Stored(const String& name, const String& subKey = "") {
    TRegistry reg;
    if (!reg.OpenKeyReadOnly(subKey.empty() ? ProductKey : ProductKey + "\\" + subKey) ||
        !reg.ValueExists(name))
        return "(none)";
    if (reg.GetDataType(name) == rdString)
        return "\"" + reg.ReadString(name) + "\"";
    return IntToStr(reg.ReadInteger(name));
}

class EditorPreferencesTest : public testing::Test {
protected:
    void SetUp() override { Form = MakeMainWindow(); }

    TEditorPreferences& Prefs() { return *Form->EditorPreferences; }

    // The one-line dialog answered with the text typed, and OK or Cancel; what it showed is kept.
    void AnswerLocation(const String& typed, bool ok = true) {
        TestHooks::AnswerModal([this, typed, ok](TForm& form) {
            auto& location = dynamic_cast<TLocationForm&>(form);
            ShownText = location.LocEdit->Text();
            ShownLabels = location.LocLabelTop->Caption() + "|" + location.LocLabel->Caption();
            ShownBrowse = location.BrowseButton->Visible() || location.DirBrowseButton->Visible();
            location.LocEdit->SetText(typed);
            (ok ? location.OKButton : location.CancelButton)->Click();
        });
    }

    std::unique_ptr<THTMLEMainForm> Form;
    String ShownText;
    String ShownLabels;
    bool ShownBrowse = true;
};

} // namespace

TEST_F(EditorPreferencesTest, TheMenusHoldThePreferenceCommandsUnderTheirCaptions) {
    const std::tuple<TMenuItem*, TMenuItem*, const char*> items[] = {
        {Form->SmartTabsMenu, Form->Preferences1, "S&mart Tabs"},
        {Prefs().TabSetting1, Form->Preferences1, "&Tab Width..."},
        {Prefs().HideFileList1, Form->View1, "Hi&de File List"},
        {Prefs().Margins1, Form->Preferences1, "&Margins..."},
        {Form->Office97Style1, Form->Preferences1, "&Office 97 Style Buttons"},
        {Form->ParaPrefs, Form->Preferences1, "&Use <P>...</P>"},
        {Form->StatusBarShows1, Form->Preferences1, "Status Ba&r"},
        {Form->ShowLineNumber2, Form->StatusBarShows1, "Show &Line Number"},
        {Form->ShowSize2, Form->StatusBarShows1, "Show &Character Position"},
        {Form->RequestALTtags1, Form->Preferences1, "Re&quest ALT tags"},
        {Form->MaxPageSize1, Form->Preferences1, "&Max. Page Size"},
        {Prefs().DefaultExtension1, Form->Setup1, "&Default Extension..."},
        {Prefs().SplashScreen1, Form->Preferences1, "&Splash Screen"},
        {Prefs().ShowOnTop1, Prefs().SplashScreen1, "&Show On Top"},
        {Prefs().Show1, Prefs().SplashScreen1, "Sho&w"},
        {Prefs().DontShow1, Prefs().SplashScreen1, "&Don't Show"},
        {Form->PermanentSaveonViewing1, Form->Preferences1, "Permanent Save on &Viewing"},
        {Form->WordWrap1, Form->Preferences1, "&Word Wrap - current page"},
        {Form->WordWrapallpages1, Form->Preferences1, "Wor&d Wrap - all pages"},
        {Form->On2, Form->WordWrapallpages1, "&On"},
        {Form->Off2, Form->WordWrapallpages1, "O&ff"},
        {Form->AutoInsertTabs, Form->Preferences1, "Auto &Insert Tabs"},
    };
    for (auto [item, parent, caption] : items) {
        EXPECT_EQ(item->Caption(), caption);
        EXPECT_EQ(item->Parent(), parent) << caption;
        EXPECT_TRUE(item->Visible()) << caption;
    }
    EXPECT_EQ(Form->WordWrap1->ShortCut(), ShortCut('W', ssCtrl));
    EXPECT_EQ(Form->WordWrap1->Count(), 0);
}

// Each toggle inverts its setting, ticks its item and writes the value; a second choice turns it
// back. The next window starts with what was chosen last.
TEST_F(EditorPreferencesTest, TogglesWriteTheirValueAtOnceAndTheNextWindowReadsItBack) {
    struct Case {
        TMenuItem* THTMLEMainForm::*Item;
        const char* ValueName;
        std::function<bool(THTMLEMainForm&)> On;
    };
    const Case cases[] = {
        {&THTMLEMainForm::SmartTabsMenu, "SmartTabs", [](auto& f) { return f.SmartTabs; }},
        {&THTMLEMainForm::ParaPrefs, "DoubleParaTags", [](auto& f) { return f.DoubleParaTags; }},
        {&THTMLEMainForm::RequestALTtags1, "AskForAltData",
         [](auto& f) { return f.AskForAltData; }},
        {&THTMLEMainForm::PermanentSaveonViewing1, "PermSave", [](auto& f) { return f.PermSave; }},
        {&THTMLEMainForm::AutoInsertTabs, "AutoInsertTab",
         [](auto& f) { return f.AutoInsertTab == "\t"; }},
        {&THTMLEMainForm::Office97Style1, "Office97Style",
         [](auto& f) {
             return f.Documents->FileSaveButton->Flat() && f.HelpButton->Flat() &&
                    f.TagButtons->UserButtons[3]->Flat();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ValueName);
        TMenuItem* item = (*Form).*c.Item;
        const bool before = c.On(*Form);
        ASSERT_EQ(item->Checked(), before);
        for (bool expected : {!before, before}) {
            item->Click();
            EXPECT_EQ(c.On(*Form), expected);
            EXPECT_EQ(item->Checked(), expected);
            EXPECT_EQ(Stored(c.ValueName), expected ? "1" : "0");
        }
        item->Click();
    }
    auto next = MakeMainWindow();
    for (const Case& c : cases) {
        EXPECT_EQ(c.On(*next), c.On(*Form)) << c.ValueName;
        EXPECT_EQ(((*next).*c.Item)->Checked(), ((*Form).*c.Item)->Checked()) << c.ValueName;
    }
}

// Tab width 8 with a left margin of 2: stops at 10, 18 ... 162 in the twenty pages, the print
// editor and the glossary's, each keeping its selection and modified flag.
TEST_F(EditorPreferencesTest, TabWidthSetsTheStopsOfEveryEditorAndIsKept) {
    Store(ProductKey, {{"Left Margin", 2}});
    TGlossaryForm glossary(nullptr);
    UsePage(*Form, 0, "/site/a.htm", "one\ttwo\r\nthree", true);
    UsePage(*Form, 1, "/site/b.htm", "alpha\tbeta", false);
    Form->Memos[0]->SetSelStart(4);
    Form->Memos[0]->SetSelLength(3);

    int shownPosition = 0;
    TestHooks::AnswerModal([&](TForm& form) {
        auto& dialog = dynamic_cast<TTabSetForm&>(form);
        EXPECT_EQ(dialog.Caption(), "Quiltmarker - Tab Setting");
        shownPosition = dialog.TabWidthUpDown->Position();
        dialog.TabWidthEdit->SetText("8");
        dialog.OKButton->Click();
    });
    Prefs().TabSetting1->Click();

    EXPECT_EQ(shownPosition, 12);
    EXPECT_EQ(Form->TabWidth, 8);
    EXPECT_EQ(Stored("TabWidth"), "8");
    std::vector<TRichEdit*> editors(Form->Memos.begin(), Form->Memos.end());
    editors.push_back(Form->PrinterForm);
    editors.push_back(glossary.GlossaryMemo);
    for (TRichEdit* editor : editors) {
        SCOPED_TRACE(editor->Name());
        ASSERT_EQ(editor->Paragraph().TabCount(), 20);
        EXPECT_EQ(editor->Paragraph().Tab(0), 10);
        EXPECT_EQ(editor->Paragraph().Tab(1), 18);
        EXPECT_EQ(editor->Paragraph().Tab(19), 162);
    }
    EXPECT_EQ(Form->Memos[0]->SelStart(), 4);
    EXPECT_EQ(Form->Memos[0]->SelLength(), 3);
    EXPECT_TRUE(Form->Memos[0]->Modified());
    EXPECT_FALSE(Form->Memos[1]->Modified());
    EXPECT_EQ(TabSetForm, nullptr) << "released after its use";

    auto next = MakeMainWindow();
    EXPECT_EQ(next->TabWidth, 8);
    EXPECT_EQ(next->Memos[5]->Paragraph().Tab(19), 162);
}

// Cancel changes nothing; a width typed out of the up-down's range keeps the one it showed.
TEST_F(EditorPreferencesTest, TabWidthCancelledOrOutOfRangeKeepsTheWidth) {
    const std::pair<const char*, bool> cases[] = {{"8", false}, {"200", true}};
    for (auto [typed, ok] : cases) {
        SCOPED_TRACE(typed);
        TestHooks::AnswerModal([typed = typed, ok = ok](TForm& form) {
            auto& dialog = dynamic_cast<TTabSetForm&>(form);
            dialog.TabWidthEdit->SetText(typed);
            (ok ? dialog.OKButton : dialog.CancelButton)->Click();
        });
        Prefs().TabSetting1->Click();
        EXPECT_EQ(Form->TabWidth, 12);
        EXPECT_EQ(Form->Memos[0]->Paragraph().Tab(0), 14);
    }
    EXPECT_EQ(Stored("TabWidth"), "12") << "written by OK only";
}

// With no margins stored the dialog starts at 2, 12 and 5; its sample follows every change; OK
// gives the twenty pages the margins, keeping their modified flags, and writes them.
TEST_F(EditorPreferencesTest, MarginsStartAtTheirDefaultsAndReachEveryPage) {
    UsePage(*Form, 2, "/site/c.htm", "text", true);
    std::tuple<int, int, int> shown;
    String sample;
    int sampleIndentAfterChange = 0;
    TestHooks::AnswerModal([&](TForm& form) {
        auto& dialog = dynamic_cast<THTMLMarginForm&>(form);
        EXPECT_EQ(dialog.Caption(), "Quiltmarker - Set Margins");
        shown = {dialog.LeftEdit->Value(), dialog.IndentEdit->Value(), dialog.RightEdit->Value()};
        sample = dialog.SampleEdit->Text();
        dialog.LeftEdit->SetText("6");
        dialog.IndentEdit->SetText("-4");
        sampleIndentAfterChange = dialog.SampleEdit->Paragraph().LeftIndent();
        dialog.RightEdit->SetText("150"); // past the spin edit's maximum of 99
        dialog.OKButton->Click();
    });
    Prefs().Margins1->Click();

    EXPECT_EQ(shown, std::make_tuple(2, 12, 5));
    EXPECT_EQ(sample, "This is an example of how the current settings will look.\r\n"
                      "The LEFT INDENT setting determines how much the second and subsequent "
                      "lines of a paragraph will be indented in relation to the left margin.\r\n");
    EXPECT_EQ(sampleIndentAfterChange, -4);
    for (TRichEdit* editor : Form->Memos) {
        EXPECT_EQ(editor->Paragraph().FirstIndent(), 6);
        EXPECT_EQ(editor->Paragraph().LeftIndent(), -4);
        EXPECT_EQ(editor->Paragraph().RightIndent(), 99);
    }
    EXPECT_TRUE(Form->Memos[2]->Modified());
    EXPECT_EQ(TestHooks::Beeps().size(), 1u);
    EXPECT_EQ(Stored("Left Margin") + Stored("Left Indent") + Stored("Right Margin"), "6-499");

    TestHooks::AnswerModalResult(mrCancel);
    Prefs().Margins1->Click();
    EXPECT_EQ(Form->Memos[0]->Paragraph().FirstIndent(), 6);

    auto next = MakeMainWindow();
    EXPECT_EQ(next->Memos[9]->Paragraph().LeftIndent(), -4);
    EXPECT_EQ(next->Memos[9]->Paragraph().RightIndent(), 99);
}

TEST_F(EditorPreferencesTest, MarginsDialogStartsAtTheStoredMargins) {
    Store(ProductKey, {{"Left Margin", 4}, {"Left Indent", 20}, {"Right Margin", 7}});
    std::tuple<int, int, int> shown;
    TestHooks::AnswerModal([&](TForm& form) {
        auto& dialog = dynamic_cast<THTMLMarginForm&>(form);
        shown = {dialog.LeftEdit->Value(), dialog.IndentEdit->Value(), dialog.RightEdit->Value()};
        dialog.CancelButton->Click();
    });
    Prefs().Margins1->Click();
    EXPECT_EQ(shown, std::make_tuple(4, 20, 7));
}

TEST_F(EditorPreferencesTest, HideFileListHidesAndShowsThePaneAndKeepsItsState) {
    for (bool visible : {false, true}) {
        SCOPED_TRACE(visible);
        Prefs().HideFileList1->Click();
        EXPECT_EQ(Form->LeftPanel->Visible(), visible);
        EXPECT_EQ(Form->LeftPanelVisible, visible);
        EXPECT_EQ(Stored("LeftPanelVisible", "Form State"), visible ? "1" : "0");
        Form->View1->Click();
        EXPECT_EQ(Prefs().HideFileList1->Checked(), !visible);
    }
}

TEST_F(EditorPreferencesTest, TheStatusBarShowsTheLineOrTheCharacterPosition) {
    UsePage(*Form, 0, "/site/a.htm", "first\r\nsecond");
    Form->Memos[0]->SetSelStart(9);
    Form->ShowLineNumber2->Click();
    EXPECT_TRUE(Form->ShowLineNumbers);
    EXPECT_TRUE(Form->ShowLineNumber2->Checked());
    EXPECT_FALSE(Form->ShowSize2->Checked());
    EXPECT_EQ(PanelText(*Form, THTMLEMainForm::CaretPanel), "Line:    2:    3");
    EXPECT_EQ(Stored("ShowLineNumbers"), "1");
    EXPECT_TRUE(MakeMainWindow()->ShowLineNumber2->Checked());

    Form->ShowSize2->Click();
    EXPECT_FALSE(Form->ShowLineNumbers);
    EXPECT_FALSE(Form->ShowLineNumber2->Checked());
    EXPECT_TRUE(Form->ShowSize2->Checked());
    EXPECT_EQ(PanelText(*Form, THTMLEMainForm::CaretPanel), "Char: 10");
    EXPECT_EQ(Stored("ShowLineNumbers"), "0");
}

// The text is stored as typed; the editors take its leading number as their limit, -1 the
// default of 64000.
TEST_F(EditorPreferencesTest, MaxPageSizeStoresTheTextAndLimitsEveryEditor) {
    struct Case {
        const char* Typed;
        int Limit;
    };
    const Case cases[] = {{"-1", 64000}, {"200000", 200000}, {"12abc", 12}, {"abc", 0}};
    String previous = "-1";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Typed);
        AnswerLocation(c.Typed);
        Form->MaxPageSize1->Click();
        EXPECT_EQ(ShownText, previous);
        EXPECT_EQ(ShownLabels, "Max. edit size|(-1 for default)");
        EXPECT_FALSE(ShownBrowse);
        EXPECT_EQ(Stored("MaxEditSize"), "\"" + String(c.Typed) + "\"");
        EXPECT_EQ(Form->MaxEditSize, c.Limit);
        for (TRichEdit* editor : Form->Memos)
            EXPECT_EQ(editor->MaxLength(), c.Limit);
        previous = c.Typed;
    }
    AnswerLocation("5", false);
    Form->MaxPageSize1->Click();
    EXPECT_EQ(Stored("MaxEditSize"), "\"abc\"");
    EXPECT_EQ(LocationForm, nullptr);
}

TEST_F(EditorPreferencesTest, MaxPageSizeIsTheLimitOfTheNextWindow) {
    AnswerLocation("200000");
    Form->MaxPageSize1->Click();
    auto next = MakeMainWindow();
    EXPECT_EQ(next->MaxEditSize, 200000);
    EXPECT_EQ(next->Memos[4]->MaxLength(), 200000);
}

// One leading dot goes; an entry that leaves nothing, or Cancel, keeps the extension.
TEST_F(EditorPreferencesTest, DefaultExtensionDropsOneDotAndKeepsTheOldOneForNothing) {
    struct Case {
        const char* Typed;
        bool Ok;
        const char* Extension;
    };
    const Case cases[] = {
        {".htm", true, "htm"}, {"..shtml", true, ".shtml"}, {"", true, ".shtml"},
        {".", true, ".shtml"}, {"php", false, ".shtml"},    {"php", true, "php"},
    };
    String shownBefore = "html";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Typed);
        AnswerLocation(c.Typed, c.Ok);
        Prefs().DefaultExtension1->Click();
        EXPECT_EQ(ShownText, shownBefore);
        EXPECT_EQ(ShownLabels, "Default extension|(e.g. html)");
        EXPECT_EQ(Form->DefaultExtension, c.Extension);
        EXPECT_EQ(Stored("Default Extension"), "\"" + String(c.Extension) + "\"");
        shownBefore = c.Extension;
    }
    EXPECT_EQ(MakeMainWindow()->DefaultExtension, "php");
}

// The stored value, as another window may have written it, is what the dialog shows.
TEST_F(EditorPreferencesTest, DefaultExtensionStartsFromTheStoredValue) {
    Store(ProductKey, {{"Default Extension", String("asp")}});
    AnswerLocation("", false);
    Prefs().DefaultExtension1->Click();
    EXPECT_EQ(ShownText, "asp");
    EXPECT_EQ(Form->DefaultExtension, "asp");
}

TEST_F(EditorPreferencesTest, TheSplashChoiceIsWrittenAndTickedAsTheSubmenuOpens) {
    auto ticked = [](THTMLEMainForm& form) {
        TEditorPreferences& prefs = *form.EditorPreferences;
        prefs.SplashScreen1->Click();
        String names;
        for (TMenuItem* item : {prefs.ShowOnTop1, prefs.Show1, prefs.DontShow1})
            if (item->Checked())
                names += item->Name();
        return names;
    };
    EXPECT_EQ(ticked(*Form), "ShowOnTop1") << "nothing stored";
    const std::tuple<TMenuItem * TEditorPreferences::*, const char*, const char*> choices[] = {
        {&TEditorPreferences::Show1, "\"1\"", "Show1"},
        {&TEditorPreferences::ShowOnTop1, "\"2\"", "ShowOnTop1"},
        {&TEditorPreferences::DontShow1, "\"0\"", "DontShow1"},
    };
    for (auto [item, stored, checked] : choices) {
        (Prefs().*item)->Click();
        EXPECT_EQ(Stored("SplashScreen"), stored);
        EXPECT_EQ(ticked(*Form), checked);
    }
    EXPECT_EQ(ticked(*MakeMainWindow()), "DontShow1");
    Store(ProductKey, {{"SplashScreen", String("x")}});
    EXPECT_EQ(ticked(*Form), "");
}

// Ctrl+W, or the item, wraps the active page alone, or stops wrapping it; nothing is written.
TEST_F(EditorPreferencesTest, WordWrapOfTheCurrentPageTurnsOnlyThatPage) {
    UsePage(*Form, 1, "/site/b.htm", "text", true);
    TRichEdit* page = Form->Memos[1];
    page->SetSelStart(2);
    TestHooks::PressKey(*page, 'W', {ssCtrl});
    EXPECT_FALSE(page->WordWrap());
    EXPECT_EQ(page->ScrollBars(), ssBoth);
    EXPECT_TRUE(page->Modified());
    EXPECT_EQ(page->SelStart(), 2);
    EXPECT_EQ(page->Text(), "text");
    EXPECT_TRUE(Form->Memos[0]->WordWrap());
    EXPECT_EQ(PanelText(*Form, THTMLEMainForm::ModifiedPanel), "Modified");

    Form->WordWrap1->Click();
    EXPECT_TRUE(page->WordWrap());
    EXPECT_EQ(page->ScrollBars(), ssVertical);
    EXPECT_EQ(Stored("WordWrap"), "(none)");
}

TEST_F(EditorPreferencesTest, WordWrapOfTheCurrentPageWithNoPageOpenDoesNothing) {
    Form->WordWrap1->Click();
    for (TRichEdit* editor : Form->Memos)
        EXPECT_TRUE(editor->WordWrap());
}

// Off reaches pages not in use too, so a page opened afterwards is not wrapped; the next window
// starts without wrapping.
TEST_F(EditorPreferencesTest, WordWrapOfAllPagesReachesEveryPageAndTheNextWindow) {
    UsePage(*Form, 0, "/site/a.htm", "text", true);
    Form->Off2->Click();
    for (TRichEdit* editor : Form->Memos) {
        EXPECT_FALSE(editor->WordWrap());
        EXPECT_EQ(editor->ScrollBars(), ssBoth);
    }
    EXPECT_TRUE(Form->Memos[0]->Modified());
    EXPECT_TRUE(Form->Off2->Checked());
    EXPECT_FALSE(Form->On2->Checked());
    EXPECT_EQ(Stored("WordWrap"), "0");

    String file = TestSupport::Sandbox("later.htm");
    WriteFileAtomic(file, "later");
    int page = Form->Documents->OpenNamedFile(file);
    ASSERT_GE(page, 0);
    EXPECT_FALSE(Form->Memos[page]->WordWrap());

    auto next = MakeMainWindow();
    EXPECT_TRUE(next->Off2->Checked());
    EXPECT_FALSE(next->Memos[0]->WordWrap());

    Form->On2->Click();
    for (TRichEdit* editor : Form->Memos) {
        EXPECT_TRUE(editor->WordWrap());
        EXPECT_EQ(editor->ScrollBars(), ssVertical);
    }
    EXPECT_TRUE(Form->On2->Checked());
    EXPECT_FALSE(Form->Off2->Checked());
    EXPECT_EQ(Stored("WordWrap"), "1");
}

// Apply shows the font as chosen so far on every page before OK, and writes nothing; the printer
// font's dialog has no Apply for the pages.
TEST_F(EditorPreferencesTest, ApplyInTheEditorFontDialogShowsTheFontOnThePages) {
    struct Seen {
        String Name;
        int Size = 0;
        TColor Colour = 0;
        TFontStyles Style;
        String StoredName;
    };
    auto applyIn = [](TMenuItem* command, THTMLEMainForm& form) {
        Seen seen;
        TestHooks::TDialogAnswer answer;
        answer.Accepted = true;
        answer.Fill = [&](TComponent* shown) {
            auto* dialog = static_cast<TFontDialog*>(shown);
            dialog->Font().SetName("Courier New");
            dialog->Font().SetSize(15);
            dialog->Font().SetColor(0x0000C0);
            dialog->Font().SetStyle({fsBold, fsStrikeOut});
            dialog->Apply();
            const TFont& font = form.Memos[7]->Font();
            seen = {font.Name(), font.Size(), font.Color(), font.Style(),
                    Stored("FontName", "Font")};
        };
        TestHooks::AnswerDialog(answer);
        form.FontCommand->ChangeFontButtonClick(command);
        return seen;
    };
    Seen printer = applyIn(Form->FontCommand->Printer1, *Form);
    EXPECT_EQ(printer.Name, "MS Sans Serif");
    EXPECT_EQ(printer.Size, 10);

    Seen editor = applyIn(Form->FontCommand->Editor1, *Form);
    EXPECT_EQ(editor.Name, "Courier New");
    EXPECT_EQ(editor.Size, 15);
    EXPECT_EQ(editor.Colour, 0x0000C0);
    EXPECT_EQ(editor.Style, TFontStyles{fsBold});
    EXPECT_EQ(editor.StoredName, "(none)");
}

// In help-pointer mode a preference shows its help topic and changes nothing.
TEST_F(EditorPreferencesTest, InHelpPointerModeAPreferenceShowsOnlyItsTopic) {
    const std::tuple<TMenuItem*, int, const char*, const char*> cases[] = {
        {Form->SmartTabsMenu, 940, "SmartTabs", ""},
        {Prefs().TabSetting1, 950, "TabWidth", ""},
        {Prefs().HideFileList1, 510, "LeftPanelVisible", "Form State"},
        {Prefs().Margins1, 952, "Left Margin", ""},
        {Form->Office97Style1, 958, "Office97Style", ""},
        {Form->ShowSize2, 946, "ShowLineNumbers", ""},
        {Form->MaxPageSize1, 953, "MaxEditSize", ""},
        {Prefs().DefaultExtension1, 992, "Default Extension", ""},
        {Prefs().DontShow1, 912, "SplashScreen", ""},
        {Form->Off2, 933, "WordWrap", ""},
        {Form->AutoInsertTabs, 955, "AutoInsertTab", ""},
    };
    for (auto [item, number, valueName, subKey] : cases) {
        SCOPED_TRACE(item->Name());
        Form->PointerHelp1->Click();
        item->Click();
        ASSERT_FALSE(TestHooks::HelpRequests().empty());
        EXPECT_EQ(TestHooks::HelpRequests().back().Data, static_cast<uintptr_t>(number));
        EXPECT_EQ(Stored(valueName, subKey), "(none)");
    }
    EXPECT_TRUE(Form->LeftPanel->Visible());
    EXPECT_TRUE(Form->Memos[0]->WordWrap());
}
