// Tag colouring through the main window: the colouring routines on small pages, read back byte
// by byte, the colouring as the user types, the commands and the settings they write.

#include "editor/TagColouring.h"
#include "MainWindowSupport.h"
#include "TestSupport.h"
#include "editor/FindReplace.h"
#include "editor/TagColourForm.h"
#include "platform/ColorGrd.h"
#include "platform/StdCtrls.h"
#include "platform/TestHooks.h"
#include "tags/TagInsertion.h"

#include <gtest/gtest.h>

using namespace MainWindowSupport;

namespace {

// Puts the caret and types as the user does, through key events.
void TypeAt(TRichEdit& editor, int position, const String& text) {
    editor.SetSelStart(position);
    TestHooks::TypeText(editor, text);
}

class TagColouringTest : public testing::Test {
protected:
    TagColouringTest() {
        // Four looks that differ in colour and style, and none like the unformatted text.
        Form->TagColour = clBlue;
        Form->TagStyle = {fsBold};
        Form->ParamColour = clRed;
        Form->ParamStyle = {};
        Form->CommentColour = clGreen;
        Form->CommentStyle = {fsUnderline};
        Form->TextColour = clBlack;
        Form->TextStyle = {fsItalic};
        Form->Memos[0]->Font().SetColor(clBlack);
        Form->Memos[0]->Font().SetStyle({});
    }

    TRichEdit* Page(const String& text) {
        UsePage(*Form, 0, "/site/page.htm", text);
        return Form->Memos[0];
    }

    // One letter a byte: T tag, P parameter, C comment, X text, '.' unformatted, '?' other.
    static String Kinds(const TRichEdit& editor) {
        struct Look {
            TColor Colour;
            TFontStyles Style;
            char Kind;
        };
        const Look looks[] = {{clBlue, {fsBold}, 'T'},
                              {clRed, {}, 'P'},
                              {clGreen, {fsUnderline}, 'C'},
                              {clBlack, {fsItalic}, 'X'},
                              {clBlack, {}, '.'}};
        String kinds;
        for (int k = 0; k < editor.GetTextLen(); ++k) {
            char kind = '?';
            for (const Look& look : looks)
                if (editor.ColorAt(k) == look.Colour && editor.StyleAt(k) == look.Style)
                    kind = look.Kind;
            kinds += kind;
        }
        return kinds;
    }

    std::unique_ptr<THTMLEMainForm> Form = MakeMainWindow();
};

TEST_F(TagColouringTest, ColourAllTagsReadsThePageAsItsOwnRulesSay) {
    struct Case {
        const char* Text;
        const char* Kinds;
    };
    const Case cases[] = {
        {"<A HREF=x>Next", "TTTPPPPPPPXXXX"},
        {"<B>bold</B>", "TTTXXXXTTTT"},
        {"<IMG SRC=a> x", "TTTTTPPPPPPXX"},
        {"<!-->", "CCCCX"},
        {"<!-- a --> <B>", "CCCCCCCCCXXTTT"},
        {"<!-- x", "CCCCCC"},
        {"<!-- <B x> -->", "CCCCCCCCCCCCCX"},
        {"a &nbsp; b", "XXTTTTTTXX"},
        {"&hellip;", "TTTTTTTT"},
        {"&abcdefgh;", "XXXXXXXXXX"},
        {"<P\tX>a", "TTTTTX"},
        {"<P\r\nX>a", "TTTTTTX"},
        {"a<b", "XTT"},
        // A blank in an entity with no tag before it, or one closed before it: nothing is
        // read outside the text.
        {"& b;", "TTTT"},
        {"<b>& c;", "TTTTTTT"},
        {">a", "XX"},
        {"<", "T"},
    };
    for (const Case& c : cases) {
        TRichEdit* editor = Page(c.Text);
        Form->TagColouring->ColourAllTags(true);
        EXPECT_EQ(Kinds(*editor), c.Kinds) << c.Text;
    }
}

TEST_F(TagColouringTest, ColourAllTagsKeepsTheViewTheFlagAndTheHistory) {
    String text;
    for (int line = 0; line < 200; ++line)
        text += "<P ALIGN=LEFT>line " + IntToStr(line) + "</P>\r\n";
    TRichEdit* editor = Page(text);
    editor->SetBounds(0, 0, 300, 200);
    TypeAt(*editor, 40, "x");
    editor->SetModified(false);
    editor->SetSelStart(30);
    editor->SetSelLength(5);
    Form->ScrollToLine(editor, 50);
    int firstVisible = Form->FirstVisibleLine(editor);

    Form->TagColouring->ColourAllTags(false);
    EXPECT_EQ(Kinds(*editor).substr(0, 6), "......") << "colouring is off";

    Form->TagColouring->ColourAllTags(true);
    EXPECT_EQ(Kinds(*editor).substr(0, 6), "TTTPPP");
    EXPECT_EQ(editor->SelStart(), 30);
    EXPECT_EQ(editor->SelLength(), 5);
    EXPECT_EQ(Form->FirstVisibleLine(editor), firstVisible);
    EXPECT_FALSE(editor->Modified());
    EXPECT_TRUE(editor->CanUndo());
    EXPECT_FALSE(Form->StatusUpdateSuppressed);
}

TEST_F(TagColouringTest, ColourTagRangeReadsTheRangeAsItsOwnRulesSay) {
    struct Case {
        const char* Text;
        int Start;
        int Length;
        const char* Kinds;
    };
    const Case cases[] = {
        {"<B>bold</B>X", 0, 11, "TTXXXXXTTTTT"},
        {"ab<I>c</I>yz", 2, 8, "..TTXXTTTTT."},
        {"<!-- a > b -->", 0, 13, "CCCCCCCPPPPPPT"},
        {"<A\tB=1>", 0, 6, "TTPPPPT"},
        {"<A HREF=x>t", 3, 7, "...PPPPPPTT"},
        {"<B>", 0, 3, "TTT"},
        {"<!", 0, 1, "XT"},
    };
    for (const Case& c : cases) {
        TRichEdit* editor = Page(c.Text);
        Form->TagColouring->ColourTagRange(c.Start, c.Length);
        EXPECT_EQ(Kinds(*editor), c.Kinds) << c.Text;
    }
}

TEST_F(TagColouringTest, AnInsertedTagIsColouredAndCanBeUndone) {
    TRichEdit* editor = Page("a word here");
    Form->ColouredTags = true;
    editor->SetSelStart(2);
    editor->SetSelLength(4);
    editor->SetModified(false);
    Form->TagInsertion->InsertTag("<B>", "</B>", 0);
    EXPECT_EQ(editor->Text(), "a <B>word</B> here");
    EXPECT_EQ(Kinds(*editor), "..TTXXXXXTTTTT....");
    EXPECT_TRUE(editor->Modified());
    ASSERT_TRUE(editor->CanUndo()) << "colouring leaves the history alone";
    editor->Undo();
    EXPECT_EQ(editor->Text(), "a word here");
}

TEST_F(TagColouringTest, OpeningAPageColoursItWhenColouringIsOn) {
    String path = TestSupport::Sandbox("page.htm");
    WriteFileAtomic(path, "<B>x</B>");
    Form->ColouredTags = true;
    int page = Form->Documents->OpenDocument(path, false, true, false);
    ASSERT_GE(page, 0);
    // Opening gives the page the editor font, whose style the text runs take.
    TRichEdit* editor = Form->Memos[page];
    EXPECT_EQ(Kinds(*editor).substr(0, 3), "TTT");
    EXPECT_EQ(editor->ColorAt(3), Form->TextColour);
    EXPECT_EQ(editor->StyleAt(3), Form->TextStyle);
    EXPECT_EQ(editor->ColorAt(4), clBlue);
    EXPECT_FALSE(editor->Modified());
}

TEST_F(TagColouringTest, ReplaceAllRecoloursThePageWhenColouringIsOn) {
    for (bool coloured : {false, true}) {
        SCOPED_TRACE(coloured);
        TRichEdit* editor = Page("<B>x</B>");
        Form->ColouredTags = coloured;
        Form->UpdateDocumentCommands();
        Form->FindReplace->Replace1->Click();
        Form->FindReplace->ReplaceDialog->SetFindText("x");
        Form->FindReplace->ReplaceDialog->SetReplaceText("<I>y</I>");
        Form->FindReplace->ReplaceDialog->SetOptions({frDown});
        TestHooks::AnswerMessageBox(IDOK);
        TestHooks::PressFindDialogButton(*Form->FindReplace->ReplaceDialog,
                                         TFindButton::ReplaceAll);
        ASSERT_EQ(editor->Text(), "<B><I>y</I></B>");
        EXPECT_EQ(Kinds(*editor).substr(3, 3) == "TTT", coloured) << Kinds(*editor);
    }
}

// ---- Typing

TEST_F(TagColouringTest, TypingColoursEachCharacterByWhereItGoes) {
    struct Case {
        const char* Typed;
        const char* Kinds;
    };
    const Case cases[] = {
        {"<B x>y", "TTPPTX"},
        {"<!--a", "TCCCC"},
        {"<P>a<!-- b -->c", "TTTXTCCCCCCCCCX"},
    };
    Form->ColouredTags = true;
    for (const Case& c : cases) {
        TRichEdit* editor = Page("");
        Form->TagColouring->TypingTagName = false;
        TypeAt(*editor, 0, c.Typed);
        EXPECT_EQ(editor->Text(), c.Typed);
        EXPECT_EQ(Kinds(*editor), c.Kinds) << c.Typed;
    }
}

TEST_F(TagColouringTest, TypingRecoloursOnlyTheTagAroundTheCaret) {
    String text;
    for (int i = 0; i < 50; ++i)
        text += "<A HREF=x>link</A> text &amp; <!-- note -->\r\n";
    TRichEdit* editor = Page(text);
    Form->ColouredTags = true;
    Form->TagColouring->ColourAllTags(false);
    String before = Kinds(*editor);
    int middle = static_cast<int>(text.size() / 2);
    middle = static_cast<int>(text.find("\r\n", static_cast<size_t>(middle)));
    TypeAt(*editor, middle, "<!--z");
    String after = Kinds(*editor);
    EXPECT_EQ(after.substr(0, static_cast<size_t>(middle)),
              before.substr(0, static_cast<size_t>(middle)));
    EXPECT_EQ(after.substr(static_cast<size_t>(middle), 6), "TCCCCC")
        << "the comment runs through the character after the caret";
    EXPECT_EQ(after.substr(static_cast<size_t>(middle) + 6),
              before.substr(static_cast<size_t>(middle) + 1));
}

TEST_F(TagColouringTest, ReplaceModeOrCtrlTypesAnglesAsReferences) {
    struct Case {
        bool Colouring;
        bool ReplaceAngles;
        bool Ctrl;
    };
    const Case cases[] = {{true, true, false}, {false, true, false}, {false, false, true}};
    for (const Case& c : cases) {
        TRichEdit* editor = Page("ab");
        Form->ColouredTags = c.Colouring;
        Form->ReplaceAngles = c.ReplaceAngles;
        TestHooks::SetKeyDown(VK_CONTROL, c.Ctrl);
        editor->SetSelStart(1);
        editor->Perform(WM_CHAR, '<', 0);
        editor->Perform(WM_CHAR, '>', 0);
        TestHooks::SetKeyDown(VK_CONTROL, false);
        EXPECT_EQ(editor->Text(), "a&lt;&gt;b") << c.Colouring << c.ReplaceAngles << c.Ctrl;
        EXPECT_EQ(editor->SelStart(), 9);
    }
    TRichEdit* editor = Page("ab");
    Form->ReplaceAngles = false;
    TypeAt(*editor, 1, "<");
    EXPECT_EQ(editor->Text(), "a<b");
}

// ---- Commands

int StoredInteger(const String& name) {
    TRegistry reg;
    return reg.OpenKeyReadOnly(ProductKey) && reg.ValueExists(name) ? reg.ReadInteger(name) : -1;
}

TEST_F(TagColouringTest, SetTagColoursStoresWhatWasChosenInOrder) {
    Page("<B x=1>t</B>");
    Form->CommentColour = 0x123456; // not in the palette
    TestHooks::AnswerModal([](TForm& shown) {
        auto& dialog = static_cast<TTagColourForm&>(shown);
        EXPECT_EQ(dialog.CommentColorGrid->ForegroundIndex(), 0) << "the fallback square";
        EXPECT_EQ(dialog.TagColorGrid->ForegroundIndex(), 12);
        EXPECT_TRUE(dialog.TagBoldCheck->Checked());
        dialog.ParamColorGrid->SetForegroundIndex(4);
        dialog.ParamColorGridClick(dialog.ParamColorGrid);
        dialog.ParamBoldCheck->SetChecked(true);
        dialog.OKButton->Click();
    });
    Form->TagColouring->SetTagColours1Click(Form->TagColouring->SetTagColours1);

    EXPECT_EQ(Form->ParamColour, clNavy);
    EXPECT_EQ(Form->ParamStyle, TFontStyles{fsBold});
    EXPECT_EQ(Form->CommentColour, static_cast<TColor>(0x123456)) << "kept without a click";
    EXPECT_EQ(StoredInteger("ParamColour"), static_cast<int>(clNavy));
    EXPECT_EQ(StoredInteger("CommentColour"), 0x123456);
    EXPECT_EQ(StoredInteger("TagBold"), 1);
    EXPECT_EQ(StoredInteger("ParamBold"), 1);
    EXPECT_EQ(StoredInteger("CommentUnderline"), 1);
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly(ProductKey));
    TStringList names;
    reg.GetValueNames(&names);
    String written;
    for (int i = 0; i < names.Count(); ++i)
        if (names[i] != "SplashScreen")
            written += names[i] + " ";
    EXPECT_NE(written.find("Coloured Tags TagColour ParamColour CommentColour TagBold TagItalic "
                           "TagUnderline ParamBold ParamItalic ParamUnderline CommentBold "
                           "CommentItalic CommentUnderline"),
              String::npos)
        << written;
    EXPECT_EQ(Kinds(*Form->Memos[0]).substr(0, 2), "..") << "no recolouring while it is off";
    ASSERT_NE(TagColourForm, nullptr) << "the dialog stays after its first use";
    TTagColourForm* kept = TagColourForm;

    TestHooks::AnswerModalResult(mrCancel);
    Form->ColouredTags = true;
    Form->TagColouring->SetTagColours1Click(Form->TagColouring->SetTagColours1);
    EXPECT_EQ(TagColourForm, kept);
    EXPECT_EQ(Form->ParamColour, clNavy);
    EXPECT_EQ(Kinds(*Form->Memos[0]).substr(0, 2), "..") << "Cancel changes nothing";
}

TEST_F(TagColouringTest, SwitchingColouringOffGivesEveryPagePlainFormatting) {
    TRichEdit* other = Page("<B>other</B>");
    Form->TagColouring->ColourAllTags(true);
    other->SetSelStart(2);
    other->SetSelLength(3);
    other->SetModified(true);
    TRichEdit* active = Form->Memos[1];
    UsePage(*Form, 1, "/site/two.htm", "<I>two</I>");
    Form->TagColouring->ColourAllTags(true);
    Form->ColouredTags = true;
    Form->UseTagColouring1->SetChecked(true);

    Form->TagColouring->UseTagColouring1Click(Form->UseTagColouring1);
    EXPECT_FALSE(Form->ColouredTags);
    EXPECT_FALSE(Form->UseTagColouring1->Checked());
    EXPECT_EQ(StoredInteger("Coloured Tags"), 0);
    EXPECT_EQ(Form->TextColour, clBlack);
    for (TRichEdit* editor : {other, active})
        for (int k = 0; k < editor->GetTextLen(); ++k) {
            EXPECT_EQ(editor->ColorAt(k), clBlack) << k;
            EXPECT_EQ(editor->StyleAt(k), TFontStyles{}) << k;
        }
    EXPECT_EQ(other->SelStart(), 2);
    EXPECT_EQ(other->SelLength(), 3);
    EXPECT_TRUE(other->Modified());

    Form->TagColouring->UseTagColouring1Click(Form->UseTagColouring1);
    EXPECT_EQ(StoredInteger("Coloured Tags"), 1);
    EXPECT_EQ(active->ColorAt(0), clBlue) << "the active page is coloured again";
    EXPECT_EQ(other->ColorAt(0), clBlack) << "only the active page";
}

TEST_F(TagColouringTest, RemoveTextFormattingLeavesThePagePlainWithTheStoredLayout) {
    Store(ProductKey, {{"Left Margin", 4}, {"TabWidth", 10}, {"Left Indent", 20}});
    Store(ProductKey + "\\Font", {{"FontColour", static_cast<int>(clMaroon)}});
    TRichEdit* editor = Page("<B>x</B>");
    Form->ColouredTags = true;
    Form->TagColouring->ColourAllTags(false);
    editor->SetModified(false);
    Form->TagColouring->RemoveTextFormatting1Click(Form->TagColouring->RemoveTextFormatting2);
    for (int k = 0; k < editor->GetTextLen(); ++k) {
        EXPECT_EQ(editor->ColorAt(k), clMaroon) << k;
        EXPECT_EQ(editor->StyleAt(k), TFontStyles{}) << k;
    }
    EXPECT_EQ(Form->TextColour, clMaroon);
    EXPECT_EQ(editor->Paragraph().TabCount(), 20);
    EXPECT_EQ(editor->Paragraph().Tab(0), 14);
    EXPECT_EQ(editor->Paragraph().Tab(19), 204);
    EXPECT_EQ(editor->Paragraph().FirstIndent(), 4);
    EXPECT_EQ(editor->Paragraph().LeftIndent(), 20);
    EXPECT_EQ(editor->Paragraph().RightIndent(), 5);
    EXPECT_FALSE(editor->Modified());
}

TEST_F(TagColouringTest, MarksShowWithoutChangingThePageOrWhatIsSaved) {
    // A page of its own bullets, guillemets and pilcrows, and one without any blank.
    const String texts[] = {"a\x95 b\t\xbb\xb6\r\nc", "a\tb\r\nc"};
    for (const String& text : texts) {
        TRichEdit* editor = Page(text);
        editor->SetModified(false);
        Form->TagColouring->ShowHideMarks1Click(Form->ShowHideMarks1);
        EXPECT_TRUE(editor->ShowMarks());
        EXPECT_EQ(editor->Text(), text);
        EXPECT_FALSE(editor->Modified());
        String path = TestSupport::Sandbox("marks.htm");
        Form->FileNames[0] = path;
        editor->SetModified(true);
        ASSERT_TRUE(Form->Documents->SaveDocument(0, false, false));
        EXPECT_EQ(ReadFileBytes(path), text);
        Form->TagColouring->ShowHideMarks1Click(Form->ShowHideMarks1);
        EXPECT_FALSE(editor->ShowMarks());
        EXPECT_EQ(editor->Text(), text);
    }
    EXPECT_FALSE(Form->Memos[1]->ShowMarks()) << "each page has its own";
}

} // namespace
