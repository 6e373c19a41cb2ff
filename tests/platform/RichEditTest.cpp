#include "platform/RichEdit.h"
#include "platform/FileUtils.h"
#include "platform/Forms.h"
#include "platform/TestHooks.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <set>

using namespace std::string_literals;

namespace {

class RichEditTest : public testing::Test {
protected:
    RichEditTest() { Edit.SetBounds(0, 0, 300, 200); }

    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
        return Edit.Perform(msg, wParam, lParam);
    }
    String WriteFile(const String& name, const String& bytes) {
        String path = TestSupport::Sandbox(name);
        WriteFileAtomic(path, bytes);
        return path;
    }
    // Puts the caret and types as the user does, through key events.
    void TypeAt(int position, const String& text) {
        Edit.SetSelStart(position);
        TestHooks::TypeText(Edit, text);
    }

    TRichEdit Edit{nullptr};
};

const String ThreeLines = "ab\r\ncd\r\nef";

TEST_F(RichEditTest, LineOfAPositionCountsCrLfAsTwoBytesOfItsLine) {
    Edit.SetText(ThreeLines);
    struct Case {
        int Position;
        int Line;
    };
    const Case cases[] = {{0, 0}, {2, 0}, {3, 0}, {4, 1}, {7, 1}, {8, 2}, {10, 2}, {99, 2}};
    for (const Case& c : cases) {
        EXPECT_EQ(Perform(EM_LINEFROMCHAR, static_cast<WPARAM>(c.Position)), c.Line)
            << "position " << c.Position;
        EXPECT_EQ(Perform(EM_EXLINEFROMCHAR, 0, c.Position), c.Line) << "position " << c.Position;
    }
}

TEST_F(RichEditTest, LineIndexGivesByteStartsAndMinusOnePastTheLastLine) {
    Edit.SetText(ThreeLines);
    const int starts[] = {0, 4, 8};
    for (int line = 0; line < 3; ++line)
        EXPECT_EQ(Perform(EM_LINEINDEX, static_cast<WPARAM>(line)), starts[line]);
    EXPECT_EQ(Perform(EM_LINEINDEX, 3), -1);

    // -1 asks about the caret's line.
    Edit.SetSelStart(9);
    EXPECT_EQ(Perform(EM_LINEINDEX, static_cast<WPARAM>(-1)), 8);
    EXPECT_EQ(Perform(EM_LINEFROMCHAR, static_cast<WPARAM>(-1)), 2);
    EXPECT_EQ(Perform(EM_EXLINEFROMCHAR, 0, -1), 2);
}

TEST_F(RichEditTest, SelectionIsCountedInBytesOverLineEnds) {
    Edit.SetText(ThreeLines);
    Edit.SetSelStart(8);
    Edit.SetSelLength(2);
    EXPECT_EQ(Edit.SelStart(), 8);
    EXPECT_EQ(Edit.SelText(), "ef");

    DWORD start = 0;
    DWORD end = 0;
    LRESULT packed =
        Perform(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 8u);
    EXPECT_EQ(end, 10u);
    EXPECT_EQ(packed, MAKELONG(8, 10));

    Edit.SetSelStart(2);
    Edit.SetSelLength(4);
    EXPECT_EQ(Edit.SelText(), "\r\ncd");
}

TEST_F(RichEditTest, HighBytesOfAWindows1252TextAreOneByteEach) {
    const String text = "a\x95"
                        "b\r\n\xE9\x80z";
    Edit.SetText(text);
    EXPECT_FALSE(Edit.ShowsUtf8());
    EXPECT_EQ(Edit.Text(), text);
    EXPECT_EQ(Perform(EM_LINEINDEX, 1), 5);
    Edit.SetSelStart(1);
    Edit.SetSelLength(1);
    EXPECT_EQ(Edit.SelText(), "\x95");
    Edit.SetSelStart(6);
    Edit.SetSelLength(1);
    EXPECT_EQ(Edit.SelText(), "\x80");
}

TEST_F(RichEditTest, AUtf8CharacterCountsAllItsBytes) {
    const String text = "x\xC3\xA9y\r\n\xE2\x80\xA2z"; // x, e acute, y; bullet, z
    Edit.SetText(text);
    EXPECT_TRUE(Edit.ShowsUtf8());
    EXPECT_EQ(Edit.Text(), text);
    EXPECT_EQ(Perform(EM_LINEINDEX, 1), 6);
    EXPECT_EQ(Perform(EM_LINEFROMCHAR, 5), 0);
    Edit.SetSelStart(1);
    Edit.SetSelLength(2);
    EXPECT_EQ(Edit.SelText(), "\xC3\xA9");
    Edit.SetSelStart(6);
    Edit.SetSelLength(3);
    EXPECT_EQ(Edit.SelText(), "\xE2\x80\xA2");
}

TEST_F(RichEditTest, TypedCharacterTakesTheEncodingOfTheText) {
    struct Case {
        String Before;
        String After;
    };
    const Case cases[] = {
        {"ab", "ab\xE9"},                 // plain ASCII counts as Windows-1252
        {"\x95", "\x95\xE9"},             // Windows-1252
        {"\xC3\xA0", "\xC3\xA0\xC3\xA9"}, // UTF-8
    };
    for (const Case& c : cases) {
        Edit.SetText(c.Before);
        TypeAt(static_cast<int>(c.Before.size()), "\xE9");
        EXPECT_EQ(Edit.Text(), c.After) << c.Before;
    }
}

TEST_F(RichEditTest, BytesRoundTripThroughFilesUnchanged) {
    String bytes;
    for (int byte = 0; byte < 256; ++byte)
        if (byte != '\r' && byte != '\n')
            bytes += static_cast<char>(byte);
    bytes += "\r\nsecond\0line\r\n"s;
    String source = WriteFile("in.htm", bytes);
    Edit.Lines().LoadFromFile(source);
    EXPECT_EQ(Edit.Text(), bytes);
    EXPECT_EQ(Edit.Lines().Count(), 2);
    EXPECT_EQ(Edit.Lines()[1], "second\0line"s);

    String target = TestSupport::Sandbox("out.htm");
    Edit.Lines().SaveToFile(target);
    EXPECT_EQ(ReadFileBytes(target), bytes);
}

TEST_F(RichEditTest, LoadingMakesEveryLineEndCrLfAndRemembersTheFilesKind) {
    struct Case {
        String File;
        String Text;
        String Saved;
        bool Mixed;
    };
    const Case cases[] = {
        {"a\nb\n", "a\r\nb\r\n", "a\nb\n", false},
        {"a\rb", "a\r\nb", "a\rb", false},
        {"a\r\nb\nc", "a\r\nb\r\nc", "a\r\nb\r\nc", true}, // as many of each: CR LF
        {"a\nb\r\nc\n", "a\r\nb\r\nc\r\n", "a\nb\nc\n", true},
        {"one line", "one line", "one line", false},
    };
    for (const Case& c : cases) {
        Edit.Lines().LoadFromFile(WriteFile("page.htm", c.File));
        EXPECT_EQ(Edit.Text(), c.Text) << c.File;
        EXPECT_EQ(Edit.FileLineBreaks().Mixed, c.Mixed) << c.File;
        String target = TestSupport::Sandbox("saved.htm");
        Edit.Lines().SaveToFile(target);
        EXPECT_EQ(ReadFileBytes(target), c.Saved) << c.File;
    }
}

TEST_F(RichEditTest, LoadsAFiftyMegabyteFileWhole) {
    const String line = "<p>A line of a large page, long enough to matter.</p>\n";
    const int count = 50 * 1024 * 1024 / static_cast<int>(line.size()) + 1;
    String bytes;
    bytes.reserve(line.size() * static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        bytes += line;
    Edit.Lines().LoadFromFile(WriteFile("large.htm", bytes));
    EXPECT_EQ(Edit.GetTextLen(), static_cast<int>(bytes.size()) + count);
    EXPECT_EQ(Edit.Lines().Count(), count);
    EXPECT_EQ(Perform(EM_LINEINDEX, static_cast<WPARAM>(count - 1)),
              static_cast<LRESULT>((line.size() + 1) * static_cast<size_t>(count - 1)));
    EXPECT_EQ(Edit.FileLineBreaks().Style, tlbsLF);
}

TEST_F(RichEditTest, ClearForgetsTheFilesLineEnds) {
    Edit.Lines().LoadFromFile(WriteFile("lf.htm", "a\nb\r\nc\n"));
    Edit.Clear();
    EXPECT_FALSE(Edit.FileLineBreaks().Mixed);
    Edit.SetText("new\r\n");
    String target = TestSupport::Sandbox("new.htm");
    Edit.Lines().SaveToFile(target);
    EXPECT_EQ(ReadFileBytes(target), "new\r\n");
}

// A page of CR LF form is written from the editor's bytes; a lone CR or LF the program put in
// still reaches the file as CR LF.
TEST_F(RichEditTest, SavingACrLfPageWritesEveryLineEndAsCrLf) {
    const std::pair<String, String> cases[] = {
        {"a\r\nb\r\n", "a\r\nb\r\n"}, {"a\nb", "a\r\nb"}, {"a\r\nb\rc", "a\r\nb\r\nc"},
        {"end\r", "end\r\n"},         {"", ""},
    };
    String target = TestSupport::Sandbox("crlf.htm");
    for (const auto& [text, saved] : cases) {
        Edit.SetText(text);
        Edit.Lines().SaveToFile(target);
        EXPECT_EQ(ReadFileBytes(target), saved) << text;
    }
}

TEST_F(RichEditTest, LoadingAMissingFileNamesIt) {
    Edit.SetText("kept");
    String missing = TestSupport::Sandbox("missing.htm");
    try {
        Edit.Lines().LoadFromFile(missing);
        FAIL() << "no error raised";
    } catch (const EFOpenError& error) {
        EXPECT_NE(error.Message().find(missing), String::npos) << error.Message();
    }
    EXPECT_EQ(Edit.Text(), "kept");
}

TEST_F(RichEditTest, LinesAreLogicalWithWordWrapOn) {
    Edit.SetWordWrap(true);
    Edit.SetWidth(80);
    const String longLine(300, 'w');
    Edit.SetText(longLine + "\r\nshort");
    EXPECT_EQ(Edit.Lines().Count(), 2);
    EXPECT_EQ(Edit.Lines()[0], longLine);
    EXPECT_EQ(Edit.Lines()[1], "short");
    EXPECT_EQ(Perform(EM_LINEFROMCHAR, 250), 0);
    EXPECT_EQ(Perform(EM_LINEINDEX, 1), 302);
    EXPECT_EQ(Perform(EM_GETLINECOUNT), 2);

    // Scrolling deals in lines on screen: the long line takes many of them once the editor
    // has wrapped it, as it does while the program waits for input.
    Application->ProcessMessages();
    Perform(EM_LINESCROLL, 0, 3);
    EXPECT_EQ(Perform(EM_GETFIRSTVISIBLELINE), 3);
}

// Lines not yet wrapped count as one line on screen each, so the first line shown grows once the
// whole text is wrapped: a move to the end that wrapped everything first would leave it as it is.
TEST(RichEditWrapTest, CtrlEndAndCtrlHomeMoveWithoutWrappingTheWholeText) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 200);
    auto* edit = new TRichEdit(&form);
    edit->SetParent(&form);
    edit->SetAlign(alClient);
    edit->SetWordWrap(true);
    String line;
    for (int word = 0; word < 40; ++word)
        line += "words ";
    String text;
    for (int i = 0; i < 20000; ++i)
        text += line + "\r\n";
    text += "last";
    edit->SetText(text);
    form.Show();
    Application->ProcessMessages();
    const int end = static_cast<int>(text.size());

    TestHooks::PressKey(*edit, VK_END, TShiftState{ssCtrl});
    EXPECT_EQ(edit->SelStart(), end);
    EXPECT_EQ(edit->SelLength(), 0);
    int firstShown = static_cast<int>(edit->Perform(EM_GETFIRSTVISIBLELINE, 0, 0));
    int lastLine = static_cast<int>(edit->Perform(EM_GETLINECOUNT, 0, 0)) - 1;
    int caretOnScreen = edit->ScreenLineOfDocumentLine(lastLine);
    int firstShownWrapped = static_cast<int>(edit->Perform(EM_GETFIRSTVISIBLELINE, 0, 0));
    EXPECT_LT(firstShown, firstShownWrapped);
    // The caret's line is in the window, whose text is about a dozen lines high.
    EXPECT_GE(caretOnScreen, firstShownWrapped);
    EXPECT_LT(caretOnScreen, firstShownWrapped + 14);

    TestHooks::PressKey(*edit, VK_HOME, TShiftState{ssCtrl, ssShift});
    EXPECT_EQ(edit->SelStart(), 0);
    EXPECT_EQ(edit->SelLength(), end);
    EXPECT_EQ(edit->Perform(EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    TestHooks::PressKey(*edit, VK_END, TShiftState{ssCtrl});
    TestHooks::PressKey(*edit, VK_HOME, TShiftState{ssCtrl});
    EXPECT_EQ(edit->SelStart(), 0);
    EXPECT_EQ(edit->SelLength(), 0);
}

TEST_F(RichEditTest, LinesEditTheTextLineByLine) {
    TStrings& lines = Edit.Lines();
    lines.Add("one");
    lines.Add("three");
    lines.Insert(1, "two");
    EXPECT_EQ(Edit.Text(), "one\r\ntwo\r\nthree\r\n");
    lines.Put(2, "3");
    lines.Delete(0);
    EXPECT_EQ(Edit.Text(), "two\r\n3\r\n");
    EXPECT_EQ(lines.Count(), 2);

    // A last line without a line end: adding puts one between, deleting takes it along.
    Edit.SetText("a\r\nb");
    lines.Add("c");
    EXPECT_EQ(Edit.Text(), "a\r\nb\r\nc");
    lines.Delete(2);
    EXPECT_EQ(Edit.Text(), "a\r\nb");
    EXPECT_THROW(lines.Delete(2), EStringListError);
}

TEST_F(RichEditTest, ModifiedFollowsTextChangesOnly) {
    int changes = 0;
    Edit.OnChange = [&changes](TObject*) { ++changes; };
    Edit.SetText("<b>bold</b>");
    EXPECT_TRUE(Edit.Modified());
    EXPECT_EQ(changes, 1);

    Edit.SetModified(false);
    Edit.ClearUndo();
    Edit.SelectAll();
    Edit.SelAttributes().SetColor(clRed);
    Edit.SelAttributes().SetStyle(TFontStyles{fsBold});
    EXPECT_FALSE(Edit.Modified());
    EXPECT_FALSE(Edit.CanUndo());
    EXPECT_EQ(changes, 1);

    TypeAt(0, "x");
    EXPECT_TRUE(Edit.Modified());
    EXPECT_EQ(changes, 2);
    EXPECT_TRUE(Edit.CanUndo());
    Edit.Undo();
    EXPECT_EQ(Edit.Text(), "<b>bold</b>");
}

TEST_F(RichEditTest, LoadingLeavesTheTextUnmodifiedWithNothingToUndo) {
    Edit.SetText("old");
    Edit.Lines().LoadFromFile(WriteFile("page.htm", "new"));
    EXPECT_FALSE(Edit.Modified());
    EXPECT_FALSE(Edit.CanUndo());
}

TEST_F(RichEditTest, ColouringKeepsEachRunsOtherAttributes) {
    Edit.SetText("abcd");
    Edit.SetSelStart(0);
    Edit.SetSelLength(2);
    Edit.SelAttributes().SetStyle(TFontStyles{fsItalic});
    Edit.SetSelStart(1);
    Edit.SetSelLength(3);
    Edit.SelAttributes().SetColor(clBlue);

    struct Case {
        int Position;
        TColor Color;
        bool Italic;
    };
    const TColor plain = Edit.Font().Color();
    const Case cases[] = {{0, plain, true}, {1, clBlue, true}, {2, clBlue, false}};
    for (const Case& c : cases) {
        Edit.SetSelStart(c.Position);
        Edit.SetSelLength(1);
        EXPECT_EQ(Edit.SelAttributes().Color(), c.Color) << c.Position;
        EXPECT_EQ(Edit.SelAttributes().Style().Contains(fsItalic), c.Italic) << c.Position;
    }
}

TEST_F(RichEditTest, TypedTextTakesTheTypingAttributesOrThoseBeforeIt) {
    Edit.SetText("ab");
    Edit.SelectAll();
    Edit.SelAttributes().SetColor(clRed);
    TypeAt(2, "c");
    Edit.SetSelLength(0);
    Edit.SelAttributes().SetColor(clGreen); // for what is typed next
    TestHooks::TypeText(Edit, "d");

    const TColor expected[] = {clRed, clRed, clRed, clGreen};
    for (int position = 0; position < 4; ++position) {
        Edit.SetSelStart(position);
        Edit.SetSelLength(1);
        EXPECT_EQ(Edit.SelAttributes().Color(), expected[position]) << position;
    }
}

TEST_F(RichEditTest, TextLimitRefusesTypingButNeverCutsAssignedText) {
    Edit.SetMaxLength(5);
    Edit.Lines().LoadFromFile(WriteFile("long.htm", "0123456789"));
    EXPECT_EQ(Edit.Text(), "0123456789");
    TypeAt(10, "x");
    EXPECT_EQ(Edit.Text(), "0123456789");
    EXPECT_FALSE(Edit.Modified());

    Edit.SetText("abcd");
    TypeAt(4, "e");
    TypeAt(5, "f");
    EXPECT_EQ(Edit.Text(), "abcde");
    // A line end is two bytes: it does not go in where only one fits.
    Edit.SetText("abcd");
    TypeAt(4, "\r");
    EXPECT_EQ(Edit.Text(), "abcd");

    Edit.SetSelStart(0);
    Edit.SetSelText("program text is not limited");
    EXPECT_EQ(Edit.Text(), "program text is not limitedabcd");
}

TEST_F(RichEditTest, TextLimitOfZeroMeans64000AndAppliesToPasting) {
    Perform(EM_EXLIMITTEXT, 0, 0);
    Edit.SetText(String(63999, 'x'));
    TestHooks::SetClipboardText("ab");
    Edit.SetSelStart(63999);
    Edit.PasteFromClipboard();
    EXPECT_EQ(Edit.GetTextLen(), 63999);
    TypeAt(63999, "y");
    EXPECT_EQ(Edit.GetTextLen(), 64000);
}

TEST_F(RichEditTest, WithoutALimitSetTypingGoesOnPast64000Bytes) {
    const String page(70000, 'x');
    Edit.SetText(page);
    TypeAt(70000, "y");
    TestHooks::SetClipboardText("ab");
    Edit.PasteFromClipboard();
    EXPECT_EQ(Edit.Text(), page + "yab");
}

TEST_F(RichEditTest, ALoadedFileLongerThanTheLimitCanBeEditedUpToItsLength) {
    Perform(EM_EXLIMITTEXT, 0, 5);
    Edit.Lines().LoadFromFile(WriteFile("long.htm", "0123456789"));
    Edit.SetSelStart(2);
    Edit.SetSelLength(1);
    TestHooks::TypeText(Edit, "x"); // replaces a byte
    TypeAt(10, "y");                // would pass the file's length
    TestHooks::PressKey(Edit, VK_BACK);
    TypeAt(9, "zz");
    EXPECT_EQ(Edit.Text(), "01x345678z");
}

TEST_F(RichEditTest, EditingKeysWorkOnBytesAndLineEnds) {
    Edit.SetText("ab\r\ncd");
    Edit.SetSelStart(4);
    TestHooks::PressKey(Edit, VK_BACK);
    EXPECT_EQ(Edit.Text(), "abcd"); // CR LF goes as one
    TypeAt(2, "\r");
    EXPECT_EQ(Edit.Text(), "ab\r\ncd");
    EXPECT_EQ(Edit.SelStart(), 4);
    Edit.SetWantTabs(true);
    TypeAt(0, "\t");
    EXPECT_EQ(Edit.Text(), "\tab\r\ncd");
}

TEST_F(RichEditTest, InsertKeySwitchesToOverwriteWhichStopsAtLineEnds) {
    Edit.SetText("ab\r\ncd");
    TestHooks::PressKey(Edit, VK_INSERT);
    EXPECT_TRUE(Edit.Overwrite());
    TypeAt(1, "XYZ");
    EXPECT_EQ(Edit.Text(), "aXYZ\r\ncd");
    TestHooks::PressKey(Edit, VK_INSERT);
    EXPECT_FALSE(Edit.Overwrite());
}

TEST_F(RichEditTest, KeyPressHandlerChangesOrSwallowsTheTypedCharacter) {
    // As the tag colouring's Replace<> mode does: "<" is typed as "&lt;".
    Edit.OnKeyPress = [this](TObject*, char& key) {
        if (key == '<') {
            for (char c : String("&lt"))
                Edit.Perform(WM_CHAR, static_cast<unsigned char>(c), 0);
            key = ';';
        } else if (key == '#') {
            key = 0;
        }
    };
    TypeAt(0, "a<b#c");
    EXPECT_EQ(Edit.Text(), "a&lt;bc");
    EXPECT_EQ(Edit.SelStart(), 7);
}

TEST_F(RichEditTest, ProgramEditsUndoInOneStep) {
    Edit.SetText("abc");
    EXPECT_FALSE(Edit.CanUndo()); // assigned text starts a fresh history
    Edit.SetSelStart(1);
    Edit.SetSelLength(1);
    Edit.SetSelText("XYZ");
    EXPECT_EQ(Edit.SelStart(), 4);
    Perform(EM_UNDO);
    EXPECT_EQ(Edit.Text(), "abc");
}

TEST_F(RichEditTest, FormatsOutlastTheEditorsStyleNumbers) {
    Edit.SetText("ab");
    Edit.SetSelStart(1);
    Edit.SetSelLength(1);
    Edit.SelAttributes().SetColor(RGB(1, 2, 3));
    // Far more formats than Scintilla has styles, each soon unused.
    for (int i = 0; i < 600; ++i) {
        Edit.SetSelStart(0);
        Edit.SetSelLength(1);
        Edit.SelAttributes().SetColor(RGB(i % 256, i / 256, 7));
    }
    EXPECT_EQ(Edit.SelAttributes().Color(), RGB(599 % 256, 599 / 256, 7));
    Edit.SetSelStart(1);
    Edit.SetSelLength(1);
    EXPECT_EQ(Edit.SelAttributes().Color(), RGB(1, 2, 3));
}

TEST_F(RichEditTest, ClipboardKeysCopyAndPasteBytes) {
    Edit.SetText("a\x95z");
    Edit.SelectAll();
    TestHooks::PressKey(Edit, 'C', TShiftState{ssCtrl});
    EXPECT_EQ(TestHooks::ClipboardText(), "a\xE2\x80\xA2z"); // the bullet, as the world reads it
    Edit.SetSelStart(3);
    TestHooks::PressKey(Edit, 'V', TShiftState{ssCtrl});
    EXPECT_EQ(Edit.Text(), "a\x95za\x95z");
}

TEST_F(RichEditTest, ReadOnlyRefusesTypingButNotTheProgram) {
    Edit.SetText("abc");
    Edit.SetReadOnly(true);
    TypeAt(3, "d");
    TestHooks::PressKey(Edit, VK_BACK);
    EXPECT_EQ(Edit.Text(), "abc");
    Edit.SetSelText("d");
    EXPECT_EQ(Edit.Text(), "abcd");
}

TEST_F(RichEditTest, FindTextHonoursCaseAndWholeWords) {
    Edit.SetText("Table tables TABLE\r\ntable");
    struct Case {
        int Start;
        TSearchTypes Options;
        int Found;
    };
    const Case cases[] = {
        {0, {}, 0},
        {1, {}, 6},
        {7, {stMatchCase}, 20},
        {1, {stWholeWord}, 13},
        {14, {stWholeWord, stMatchCase}, 20},
        {21, {}, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Edit.FindText("table", c.Start, -1, c.Options), c.Found) << c.Start;
    EXPECT_EQ(Edit.FindText("table", 1, 4, {}), -1); // the range ends before the match does
}

TEST_F(RichEditTest, SelectionChangesAreReported) {
    Edit.SetText("abc");
    int changes = 0;
    Edit.OnSelectionChange = [&changes](TObject*) { ++changes; };
    Edit.SetSelStart(1);
    Edit.SetSelStart(1);
    EXPECT_EQ(changes, 1);
    TestHooks::PressKey(Edit, VK_RIGHT);
    EXPECT_EQ(Edit.SelStart(), 2);
    EXPECT_EQ(changes, 2);
}

// A long line is drawn in short pieces of two styles, as Scintilla lays out such a line quickly
// only then; the pieces must look exactly as the text of short lines does, in every display and
// after the font changes, and no character may be split between two pieces.
TEST_F(RichEditTest, ALongLineIsDrawnInPiecesThatLookAsTheFontDoes) {
    auto sameLook = [](const TestHooks::TDrawnLook& a, const TestHooks::TDrawnLook& b) {
        return a.Font == b.Font && a.Size == b.Size && a.Bold == b.Bold && a.Italic == b.Italic &&
               a.Underline == b.Underline && a.Fore == b.Fore && a.Back == b.Back;
    };
    const String words = "<p class=\"x\">Some words, a caf\xC3\xA9 and averyveryverylongword</p> ";
    TFont original;
    original.Assign(Edit.Font());
    for (const String& high : {"\x93"s, "\xC3\xA9"s}) {
        String line;
        while (line.size() < 3000) {
            line += words + "x"; // a word of high characters, longer than a piece
            for (int i = 0; i < 12; ++i)
                line += high;
        }
        const String text = "short\r\n" + line + "\r\nshort";
        Edit.SetText(text);
        ASSERT_EQ(Edit.Text(), text);
        for (bool fontChanged : {false, true}) {
            if (fontChanged) {
                Edit.Font().SetColor(clGreen);
                Edit.Font().SetSize(15);
                Edit.Font().SetStyle(TFontStyles{fsItalic});
            }
            const TestHooks::TDrawnLook plain = TestHooks::DrawnLookAt(Edit, 0);
            EXPECT_EQ(plain.Fore, ColorToRGB(Edit.Font().Color()));
            std::set<int> styles;
            int previousStyle = -1;
            int run = 0;
            int longestRun = 0;
            for (int p = 0; p < Edit.GetTextLen(); ++p) {
                TestHooks::TDrawnLook look = TestHooks::DrawnLookAt(Edit, p);
                ASSERT_TRUE(sameLook(look, plain)) << high << " " << fontChanged << " at " << p;
                bool continuation = (static_cast<unsigned char>(text[p]) & 0xC0) == 0x80;
                if (Edit.ShowsUtf8() && continuation) {
                    EXPECT_EQ(look.Style, previousStyle) << p;
                }
                run = p > 0 && look.Style == previousStyle ? run + 1 : 1;
                longestRun = std::max(longestRun, run);
                previousStyle = look.Style;
                styles.insert(look.Style);
            }
            EXPECT_EQ(styles.size(), 2u) << high;
            // 16 bytes, or up to the next character's start.
            EXPECT_LE(longestRun, 19) << high;
        }
        Edit.SetFont(original);
    }
}

} // namespace

TEST_F(RichEditTest, RunFormatterGivesWhatSelectingEachRunWouldLeavingTheRestAlone) {
    Edit.SetText("abcdef");
    Edit.SetSelStart(0);
    Edit.SetSelLength(6);
    Edit.SelAttributes().SetSize(14);
    Edit.SetSelStart(2);
    Edit.SetSelLength(1);
    Edit.SetModified(false);
    Edit.ClearUndo();
    {
        TRunFormatter formatter(Edit, 1, 5);
        formatter.Format(0, 3, clRed, TFontStyles{fsBold}); // cut to the stretch: 1 and 2
        formatter.Format(2, 9, clBlue, TFontStyles{fsItalic});
    }
    struct Case {
        int Position;
        TColor Color;
        TFontStyles Style;
    };
    const TColor plain = Edit.Font().Color();
    const Case cases[] = {{0, plain, {}},
                          {1, clRed, {fsBold}},
                          {2, clBlue, {fsItalic}},
                          {4, clBlue, {fsItalic}},
                          {5, plain, {}}};
    for (const Case& c : cases) {
        EXPECT_EQ(Edit.ColorAt(c.Position), c.Color) << c.Position;
        EXPECT_EQ(Edit.StyleAt(c.Position), c.Style) << c.Position;
    }
    Edit.SetSelLength(1);
    EXPECT_EQ(Edit.SelAttributes().Size(), 14) << "the font size of each byte stays";
    EXPECT_EQ(Edit.SelStart(), 2);
    EXPECT_FALSE(Edit.Modified());
    EXPECT_FALSE(Edit.CanUndo());
    EXPECT_EQ(Edit.Text(), "abcdef");
}

TEST_F(RichEditTest, MarksAreADisplayModeOfEachControlThatLeavesTheTextAlone) {
    const String text = "a b\tc\x95\xbb\xb6\r\nd";
    Edit.SetText(text);
    Edit.SetModified(false);
    TRichEdit other(nullptr);
    Edit.SetShowMarks(true);
    EXPECT_TRUE(Edit.ShowMarks());
    EXPECT_FALSE(other.ShowMarks());
    EXPECT_EQ(Edit.Text(), text);
    EXPECT_FALSE(Edit.Modified());
    Edit.SetText("new text");
    EXPECT_TRUE(Edit.ShowMarks()) << "a new text is shown with marks too";
    Edit.SetShowMarks(false);
    EXPECT_FALSE(Edit.ShowMarks());
}

TEST_F(RichEditTest, RunFormatterStartingInOneLookKeepsTheFontSizesOfRuns) {
    // Without a size of its own anywhere, and with one on a run that must show through.
    for (int size : {0, 14}) {
        Edit.SetText("abcd");
        if (size) {
            Edit.SetSelStart(1);
            Edit.SetSelLength(2);
            Edit.SelAttributes().SetSize(size);
        }
        {
            TRunFormatter formatter(Edit, 1, 9, clRed, TFontStyles{fsBold});
            formatter.Format(3, 4, clBlue, {});
        }
        EXPECT_EQ(Edit.ColorAt(0), Edit.Font().Color()) << size;
        EXPECT_EQ(Edit.ColorAt(1), clRed) << size;
        EXPECT_EQ(Edit.StyleAt(2), TFontStyles{fsBold}) << size;
        EXPECT_EQ(Edit.ColorAt(3), clBlue) << size;
        Edit.SetSelStart(2);
        Edit.SetSelLength(1);
        EXPECT_EQ(Edit.SelAttributes().Size(), size ? size : Edit.Font().Size()) << size;
    }
}
