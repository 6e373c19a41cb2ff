// The sixteen user-defined tag buttons: what a press puts into the page, when the editor opens
// instead, what its OK stores in the registry and shows on the button, and the button's picture
// file, which changes only when the editor is closed with OK.

#include "ElementDialogSupport.h"
#include "IconFixture.h"
#include "platform/Buttons.h"
#include "platform/Graphics.h"
#include "platform/Menus.h"
#include "platform/StdCtrls.h"
#include "services/ProgramSettings.h"
#include "tags/TagButtons.h"
#include "tags/TagInsertion.h"
#include "tags/UserDefForm.h"
#include "tags/UserTexts.h"
#include "widgets/IconCtls.h"
#include "widgets/QmToolbars.h"

using namespace ElementDialogSupport;
using MainWindowSupport::Store;

namespace {

class UserButtonsTest : public ElementDialogTest {
protected:
    void TearDown() override {
        TestHooks::SetKeyDown(VK_CONTROL, false);
        ElementDialogTest::TearDown();
    }
    TQmToolbarButton& Button(int number) const {
        return *Main->TagButtons->UserButtons[number - 1];
    }
    // Ctrl held from now on, for the presses that follow as for the keyboard's state.
    void HoldCtrl(bool held) {
        CtrlHeld = held;
        TestHooks::SetKeyDown(VK_CONTROL, held);
    }
    void Press(int number) {
        TestHooks::ClickMouse(Button(number), 3, 3, mbLeft,
                              CtrlHeld ? TShiftState{ssCtrl} : TShiftState{});
    }
    static String Stored(int number, const char* part) {
        TRegistry reg;
        reg.OpenKeyReadOnly(ProductSubKey("UserDef"));
        const String name = "UserDef" + IntToStr(number) + part;
        return reg.ValueExists(name) ? reg.ReadString(name) : "(missing)";
    }
    String GlyphPath(int number) const {
        return Main->ProgramFolder + "userbmp" + IntToStr(number) + ".bmp";
    }
    // The editor, when it opens, is filled by define; false when it did not open.
    bool Define(int number, std::function<void(THTMLEUserDefForm&)> define) {
        bool opened = false;
        Answer<THTMLEUserDefForm>([&](THTMLEUserDefForm& form) {
            opened = true;
            define(form);
        });
        Press(number);
        if (!opened)
            TestHooks::Reset();
        return opened;
    }
    String IconFile() const {
        const String fileName = Folder + "tool.ico";
        WriteFileAtomic(fileName, IconFixture::SolidIcon(0xFF0000FF));
        return fileName;
    }
    bool CtrlHeld = false;
    static void ChooseIcon(THTMLEUserDefForm& form, const String& fileName) {
        TestHooks::TDialogAnswer answer;
        answer.Accepted = true;
        answer.FileName = fileName;
        TestHooks::AnswerDialog(answer);
        form.GlyphBrowseButton->Click();
    }
};

TEST_F(UserButtonsTest, APressInsertsTheTextsOrOpensTheEditor) {
    struct Case {
        const char* Name;
        const char* Before;
        const char* After;
        bool Ctrl;
        bool Opens;
        const char* Page;
    };
    const Case cases[] = {
        {"undefined", "", "", false, true, "a sel b"},
        {"defined", "<B>", "</B>", false, false, "a <B>sel</B> b"},
        {"after only", "", "<BR>", false, false, "a sel<BR> b"},
        {"before only", "<I>", "", false, false, "a <I>sel b"},
        {"Ctrl held", "<B>", "</B>", true, true, "a sel b"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Store(ProductSubKey("UserDef"),
              {{"UserDef3Before", String(c.Before)}, {"UserDef3After", String(c.After)}});
        OpenPage("a sel b", 2, 3);
        HoldCtrl(c.Ctrl);
        EXPECT_EQ(Define(3, [](THTMLEUserDefForm& form) { form.CancelButton->Click(); }), c.Opens);
        EXPECT_EQ(PageText(), c.Page);
    }
}

TEST_F(UserButtonsTest, TheEditorStoresTheDefinitionAndDressesTheButton) {
    OpenPage("<TABLE>cells</TABLE>", 7, 5);
    ASSERT_TRUE(Define(12, [](THTMLEUserDefForm& form) {
        form.BeforeEdit->SetText("<TR>");
        form.AfterEdit->SetText("</TR>");
        form.ButtonTextEdit->SetText("Row");
        form.HintEdit->SetText("Table row");
        form.OKButto->Click();
    }));
    EXPECT_EQ(Stored(12, "Before"), "<TR>");
    EXPECT_EQ(Stored(12, "After"), "</TR>");
    EXPECT_EQ(Stored(12, "Text"), "Row");
    EXPECT_EQ(Stored(12, "Glyph"), "");
    EXPECT_EQ(Stored(12, "Hint"), "Table row");
    EXPECT_EQ(Button(12).Caption(), "Row");
    EXPECT_EQ(Button(12).Font().Name(), "Small Fonts");
    EXPECT_EQ(Button(12).Hint(), "Table row (Alt+Shift+2)");
    EXPECT_EQ(PageText(), "<TABLE>cells</TABLE>");

    // Its shortcut presses it now; with Ctrl held the editor shows what is stored.
    Main->TagInsertion->UserItems[11]->Click();
    EXPECT_EQ(PageText(), "<TABLE><TR>cells</TR></TABLE>");
    HoldCtrl(true);
    String before;
    String hint;
    ASSERT_TRUE(Define(12, [&](THTMLEUserDefForm& form) {
        before = form.BeforeEdit->Text();
        hint = form.HintEdit->Text();
        form.ButtonTextEdit->SetText("");
        form.HintEdit->SetText("");
        form.OKButto->Click();
    }));
    EXPECT_EQ(before, "<TR>");
    EXPECT_EQ(hint, "Table row");
    EXPECT_EQ(Button(12).Caption(), "12");
    EXPECT_EQ(Button(12).Font().Name(), "MS Sans Serif");
    EXPECT_EQ(Button(12).Hint(), "Undefined");
}

TEST_F(UserButtonsTest, TheHintNamesTheButtonsShortcut) {
    const std::pair<int, const char*> cases[] = {
        {1, "One (Alt+1)"},        {3, "One (Alt+3)"},        {9, "One (Alt+9)"},
        {10, "One (Alt+Shift+0)"}, {12, "One (Alt+Shift+2)"}, {16, "One (Alt+Shift+6)"},
    };
    for (const auto& [number, hint] : cases)
        EXPECT_EQ(TUserTexts::ButtonHint(number, "One"), hint) << number;
    EXPECT_EQ(TUserTexts::ButtonHint(4, ""), "Undefined");
}

TEST_F(UserButtonsTest, EachShortcutPressesItsOwnButton) {
    for (int number = 1; number <= 16; ++number)
        Store(ProductSubKey("UserDef"),
              {{"UserDef" + IntToStr(number) + "Before", "[" + IntToStr(number) + "]"}});
    for (int number = 1; number <= 16; ++number) {
        OpenPage("", 0, 0);
        Main->TagInsertion->UserItems[number - 1]->Click();
        EXPECT_EQ(PageText(), "[" + IntToStr(number) + "]");
    }
}

TEST_F(UserButtonsTest, AChosenIconBecomesTheButtonsPictureOnlyOnOK) {
    OpenPage("x", 0, 0);
    const String icon = IconFile();
    ASSERT_TRUE(Define(5, [&](THTMLEUserDefForm& form) {
        ChooseIcon(form, icon);
        form.CancelButton->Click();
    }));
    EXPECT_FALSE(FileExists(GlyphPath(5)));
    EXPECT_EQ(Stored(5, "Glyph"), "(missing)");

    ASSERT_TRUE(Define(5, [&](THTMLEUserDefForm& form) {
        ChooseIcon(form, icon);
        form.AfterEdit->SetText("<HR>");
        form.ButtonTextEdit->SetText("Rule");
        form.OKButto->Click();
    }));
    ASSERT_TRUE(FileExists(GlyphPath(5)));
    TBitmap glyph;
    glyph.LoadFromFile(GlyphPath(5));
    EXPECT_EQ(glyph.Width(), 16);
    EXPECT_EQ(glyph.Height(), 16);
    EXPECT_EQ(Stored(5, "Glyph"), GlyphPath(5));
    EXPECT_EQ(Button(5).Caption(), "");
    EXPECT_FALSE(Button(5).Glyph().Empty());
}

TEST_F(UserButtonsTest, DeleteRemovesThePictureFileOnlyOnOK) {
    OpenPage("x", 0, 0);
    const String icon = IconFile();
    Define(7, [&](THTMLEUserDefForm& form) {
        ChooseIcon(form, icon);
        form.BeforeEdit->SetText("<EM>");
        form.OKButto->Click();
    });
    ASSERT_TRUE(FileExists(GlyphPath(7)));
    HoldCtrl(true);
    Define(7, [](THTMLEUserDefForm& form) {
        form.DeleteButton->Click();
        form.CancelButton->Click();
    });
    EXPECT_TRUE(FileExists(GlyphPath(7)));
    EXPECT_EQ(Stored(7, "Before"), "<EM>");

    Define(7, [](THTMLEUserDefForm& form) {
        form.DeleteButton->Click();
        form.OKButto->Click();
    });
    EXPECT_FALSE(FileExists(GlyphPath(7)));
    EXPECT_EQ(Stored(7, "Before"), "");
    EXPECT_EQ(Stored(7, "Glyph"), "");
    EXPECT_TRUE(Button(7).Glyph().Empty());
}

TEST_F(UserButtonsTest, DeleteIconLeavesTheFileAndAMissingPictureIsForgotten) {
    OpenPage("x", 0, 0);
    const String kept = Folder + "kept.bmp";
    TBitmap picture;
    picture.SetSize(16, 16);
    picture.SaveToFile(kept);
    Store(ProductSubKey("UserDef"), {{"UserDef2Glyph", kept}, {"UserDef8Glyph", kept + ".gone"}});
    String shown;
    Define(2, [&](THTMLEUserDefForm& form) {
        shown = form.GlyphEdit->Text();
        form.DeleteIconButton->Click();
        form.OKButto->Click();
    });
    EXPECT_EQ(shown, kept);
    EXPECT_EQ(Stored(2, "Glyph"), "");
    EXPECT_TRUE(FileExists(kept));

    Define(8, [&](THTMLEUserDefForm& form) {
        shown = form.GlyphEdit->Text();
        form.OKButto->Click();
    });
    EXPECT_EQ(shown, "");
    EXPECT_EQ(Stored(8, "Glyph"), "");
}

} // namespace
