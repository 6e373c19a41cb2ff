// Tag colouring: the two routines that colour what a command put in or the whole page, the
// colouring as the user types, Colour Tags and Set Tag Colours. Colouring is formatting of the
// editor's text alone: it changes no character, never enters the undo history and keeps the
// modified flag, the selection and the scroll position as they were.

#include "editor/TagColouring.h"

#include "editor/CorvaletForm.h"
#include "editor/DialogGuard.h"
#include "editor/ElementNavigation.h"
#include "editor/TagColourForm.h"
#include "platform/ColorGrd.h"
#include "platform/Events.h"
#include "services/ProgramSettings.h"
#include "services/TextScan.h"

#include <algorithm>

namespace {

struct TRunLook {
    TColor Colour;
    TFontStyles Style;
};

// The four kinds of run and what each looks like.
struct TTagLooks {
    TRunLook Tag;
    TRunLook Param;
    TRunLook Comment;
    TRunLook Text;
};

TTagLooks LooksOf(const THTMLEMainForm& form) {
    return TTagLooks{{form.TagColour, form.TagStyle},
                     {form.ParamColour, form.ParamStyle},
                     {form.CommentColour, form.CommentStyle},
                     {form.TextColour, form.TextStyle}};
}

// Runs given by their first byte and the byte after their last.
class TRunColourer {
public:
    // The stretch starts whole in one look.
    TRunColourer(TRichEdit& editor, size_t start, size_t end, const TRunLook& look)
        : FFormatter(editor, static_cast<int>(start), static_cast<int>(end), look.Colour,
                     look.Style) {}
    void Colour(size_t from, size_t to, const TRunLook& look) {
        FFormatter.Format(static_cast<int>(from), static_cast<int>(to), look.Colour, look.Style);
    }

private:
    TRunFormatter FFormatter;
};

constexpr size_t None = String::npos;

// The range's own reading of tags: a tab ends a name too, attributes start at the blank, a
// tag's '>' goes to the text after it, a comment starts at "<!-", and there are no entities.
void ColourRange(TRichEdit& editor, int start, int length, const TTagLooks& looks) {
    size_t first = static_cast<size_t>(std::clamp(start, 0, editor.GetTextLen()));
    size_t last = static_cast<size_t>(
        std::clamp(start + length + 1, static_cast<int>(first), editor.GetTextLen()));
    auto at = [&editor](size_t k) { return editor.CharAt(static_cast<int>(k)); };
    TRunColourer runs(editor, first, last, looks.Tag);
    size_t r = first;
    bool inName = false;
    bool inComment = false;
    for (size_t k = first; k < last; ++k) {
        char c = at(k);
        if (c == '<') {
            runs.Colour(r, k + 1, looks.Text);
            r = k;
            inName = true;
            if (k + 2 < last && at(k + 1) == '!' && at(k + 2) == '-') {
                inName = false;
                inComment = true;
            }
        } else if ((c == ' ' || c == '\t') && inName) {
            inName = false;
            runs.Colour(r, k + 1, looks.Tag);
            r = k;
        } else if (c == '>') {
            runs.Colour(r, k, inComment ? looks.Comment : inName ? looks.Tag : looks.Param);
            inComment = false;
            inName = false;
            r = k;
        }
    }
}

// The first ';' among the seven characters after an '&'.
size_t EntityEnd(const String& text, size_t ampersand) {
    size_t end = std::min(text.size(), ampersand + 8);
    for (size_t k = ampersand + 1; k < end; ++k)
        if (text[k] == ';')
            return k;
    return None;
}

// The page's own reading of tags: only a blank ends a name, a bare tag's '>' goes with its
// name and an attributed tag's '>' with its attributes, entities take the tag colour, and a
// comment needs "<!--".
void ColourText(TRichEdit& editor, const String& text, const TTagLooks& looks) {
    size_t length = text.size();
    TRunColourer runs(editor, 0, length, looks.Text);
    TBackwardFinder openings(text, '<');
    TForwardFinder attributeEnds(text, ">");
    TForwardFinder nameBlanks(text, " ");
    TForwardFinder nameEnds(text, ">");
    TForwardFinder commentEnds(text, "-->");
    bool inName = false;
    bool inComment = false;
    size_t p = 0;
    while (p < length) {
        char c = text[p];
        size_t next = p + 1;
        if (c == ' ' && inName && !inComment) {
            inName = false;
            // A blank after an entity may have no tag before it, or one closed before it.
            size_t open = openings.AtOrBefore(p);
            if (open != None) {
                runs.Colour(open, p + 1, looks.Tag);
                size_t close = attributeEnds.Next(open + 1);
                if (close != None && close > p)
                    runs.Colour(p + 1, close + 1, looks.Param);
            }
        } else if (c == '&' && !inName && !inComment) {
            size_t end = EntityEnd(text, p);
            if (end != None) {
                runs.Colour(p, end + 1, looks.Tag);
                inName = true;
            }
        } else if (c == ';' && inName) {
            inName = false;
        } else if (c == '<') {
            if (text.compare(p + 1, 3, "!--") == 0) {
                size_t end = commentEnds.Next(p);
                if (end == None) {
                    runs.Colour(p, length, looks.Comment);
                    break;
                }
                runs.Colour(p, end + 2, looks.Comment);
                inComment = true;
                next = end + 1;
            } else if (!inComment) {
                size_t stop = std::min(nameBlanks.Next(p + 1), nameEnds.Next(p + 1));
                runs.Colour(p, stop == None ? length : stop + 1, looks.Tag);
                if (stop != None)
                    next = stop;
            }
            inName = true;
        } else if (c == '>') {
            if (p >= 2 && text[p - 2] == '-' && text[p - 1] == '-')
                inComment = false;
            inName = false;
        }
        p = next;
    }
}

// The palette square of a colour, the last that matches, else the fallback.
int PaletteIndexOf(TColor colour, int fallback) {
    int found = fallback;
    for (int index = 0; index < TColorGrid::ColorCount; ++index)
        if (TColorGrid::PaletteColor(index) == colour)
            found = index;
    return found;
}

} // namespace

void TTagColouring::Build() {
    TMenuItem* preferences = Form.Preferences1;
    SetTagColours1 = InsertItem(&Form, preferences, preferences->IndexOf(Form.UseTagColouring1) + 1,
                                "SetTagColours1", "Set Ta&g Colours...");
    TMenuItem* edit = Form.Edit1;
    RemoveTextFormatting2 = InsertItem(&Form, edit, edit->IndexOf(Form.ColourTags1) + 1,
                                       "RemoveTextFormatting2", "&Remove Text Formatting");
    RemoveTextFormatting2->SetShortCut(ShortCut('J', ssCtrl));
    RemoveTextFormatting1 = InsertItem(&Form, Form.MainPopupMenu->Items(), 0,
                                       "RemoveTextFormatting1", "Remove Text &Formatting");
}

void TTagColouring::Bind() {
    Form.ColourTags1->OnClick = Handler(this, &TTagColouring::ColourTags1Click);
    Form.UseTagColouring1->OnClick = Handler(this, &TTagColouring::UseTagColouring1Click);
    SetTagColours1->OnClick = Handler(this, &TTagColouring::SetTagColours1Click);
    RemoveTextFormatting1->OnClick = Handler(this, &TTagColouring::RemoveTextFormatting1Click);
    RemoveTextFormatting2->OnClick = Handler(this, &TTagColouring::RemoveTextFormatting1Click);
    Form.ShowHideMarks1->OnClick = Handler(this, &TTagColouring::ShowHideMarks1Click);
    for (TRichEdit* editor : Form.Memos)
        editor->OnKeyPress = Handler(this, &TTagColouring::Memo1KeyPress);
}

void TTagColouring::PageLoaded(int /*page*/) {
    if (Form.ColouredTags)
        ColourAllTags(false);
}

void TTagColouring::MenuOpening(TMenuItem& menu) {
    if (&menu == Form.Edit1)
        RemoveTextFormatting2->SetEnabled(Form.EditorCommandsOffered());
}

// ---- The colouring routines ----

void TTagColouring::ColourTagRange(int start, int length) {
    TScreenCursorScope hourglass(crHourGlass);
    TRichEdit* editor = Form.GetMemo(-1);
    if (!editor)
        return;
    bool locked = LockWindowUpdate(Form.Handle());
    // The history is kept: formatting never enters it, so an insertion stays undoable.
    ColourRange(*editor, start, length, LooksOf(Form));
    if (editor->CanFocus())
        editor->SetFocus();
    if (locked)
        LockWindowUpdate(nullptr);
}

void TTagColouring::ColourAllTags(bool force) {
    if (!Form.PageInUse(-1) || (!Form.ColouredTags && !force))
        return;
    TScreenCursorScope hourglass(crHourGlass);
    Application->ProcessMessages();
    // The input just handled may have closed the page or brought another forward.
    if (!Form.PageInUse(-1))
        return;
    TRichEdit* editor = Form.GetMemo(-1);
    bool locked = LockWindowUpdate(Form.Handle());
    Form.StatusUpdateSuppressed = true;
    ColourText(*editor, editor->Text(), LooksOf(Form));
    if (locked)
        LockWindowUpdate(nullptr);
    Form.StatusUpdateSuppressed = false;
    Form.UpdateStatusBar();
}

// ---- Typing ----

void TTagColouring::Memo1KeyPress(TObject* /*Sender*/, char& Key) {
    TRichEdit* editor = Form.GetMemo(-1);
    if (!editor)
        return;
    if (Form.ColouredTags)
        ColourTypedCharacter(editor, Key);
    TypeAngleAsReference(editor, Key);
    Form.UpdateLinePosition();
}

void TTagColouring::ColourTypedCharacter(TRichEdit* editor, char key) {
    bool pastName = false;
    bool inComment = false;
    bool inTag = Form.ElementNavigation->TagBoundsAtCaret(nullptr, nullptr, &pastName, &inComment);
    int caret = editor->SelStart();
    // The second dash of "<!--".
    if (caret > 2 && key == '-' && editor->CharAt(caret - 2) == '!' &&
        editor->CharAt(caret - 3) == '<')
        inComment = true;
    if (key == '-' && inComment)
        ColourTypedDash(editor, caret);
    if (inComment) {
        SetTypingAttributes(editor, Form.CommentColour, Form.CommentStyle);
        TypingTagName = false;
    } else if (key == '<') {
        SetTypingAttributes(editor, Form.TagColour, Form.TagStyle);
        TypingTagName = true;
    } else if (key == '>') {
        SetTypingAttributes(editor, Form.TagColour, Form.TagStyle);
        TypingTagName = false;
    } else if (key == ' ' && TypingTagName) {
        TypingTagName = false;
        SetTypingAttributes(editor, Form.ParamColour, Form.ParamStyle);
    } else if (!inTag) {
        if (editor->SelAttributes().Color() != Form.TextColour ||
            editor->SelAttributes().Style() != Form.TextStyle)
            SetTypingAttributes(editor, Form.TextColour, Form.TextStyle);
    } else if (pastName) {
        SetTypingAttributes(editor, Form.ParamColour, Form.ParamStyle);
    }
}

// A comment is coloured from its '!' through the character after the caret.
void TTagColouring::ColourTypedDash(TRichEdit* editor, int caret) {
    int bang = caret - 1;
    while (bang >= 0 && editor->CharAt(bang) != '!')
        --bang;
    bang = std::max(bang, 0);
    bool locked = LockWindowUpdate(Form.Handle());
    { TRunFormatter comment(*editor, bang, caret + 1, Form.CommentColour, Form.CommentStyle); }
    editor->SetSelStart(caret);
    if (locked)
        LockWindowUpdate(nullptr);
}

void TTagColouring::SetTypingAttributes(TRichEdit* editor, TColor colour, TFontStyles style) {
    editor->SelAttributes().SetColor(colour);
    editor->SelAttributes().SetStyle(style);
}

// The characters of the reference go in as typed, each through this handler, before the ';'.
void TTagColouring::TypeAngleAsReference(TRichEdit* editor, char& key) {
    if ((key != '<' && key != '>') || (!Form.ReplaceAngles && GetAsyncKeyState(VK_CONTROL) >= 0))
        return;
    char letter = key == '<' ? 'l' : 'g';
    key = ';';
    for (char typed : {'&', letter, 't'})
        editor->Perform(WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(typed)), 0);
}

// ---- Commands ----

void TTagColouring::ColourTags1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::ColourTags1Click))
        return;
    ColourAllTags(true);
}

void TTagColouring::SetTagColours1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::SetTagColours1Click))
        return;
    TDialogGuard<TTagColourForm> dialog(TagColourForm, TButtonLook::Unchanged);
    if (!dialog)
        return;
    dialog.Keep();
    // The boxes first: a click on one takes its grid's colour, and the member colours that
    // follow must stand, also one outside the palette.
    dialog->SetStyles(Form.TagStyle, Form.ParamStyle, Form.CommentStyle);
    dialog->TagColorGrid->SetForegroundIndex(PaletteIndexOf(Form.TagColour, 12));
    dialog->ChosenTagColour = Form.TagColour;
    dialog->CommentColorGrid->SetForegroundIndex(PaletteIndexOf(Form.CommentColour, 0));
    dialog->ChosenCommentColour = Form.CommentColour;
    dialog->ParamColorGrid->SetForegroundIndex(PaletteIndexOf(Form.ParamColour, 9));
    dialog->ChosenParamColour = Form.ParamColour;
    TRichEdit* sample = dialog->ExampleEdit;
    sample->SelectAll();
    sample->SelAttributes().SetColor(Form.TextColour);
    sample->SetSelStart(0);
    dialog->ColourExample();
    if (dialog.ShowModal() == mrCancel)
        return;
    Form.TagColour = dialog->ChosenTagColour;
    Form.ParamColour = dialog->ChosenParamColour;
    Form.CommentColour = dialog->ChosenCommentColour;
    Form.TagStyle = dialog->TagStyle();
    Form.ParamStyle = dialog->ParamStyle();
    Form.CommentStyle = dialog->CommentStyle();
    TRegistry reg;
    if (reg.OpenKey(ProductKey, true)) {
        reg.WriteBool("Coloured Tags", Form.ColouredTags);
        reg.WriteInteger("TagColour", static_cast<int>(Form.TagColour));
        reg.WriteInteger("ParamColour", static_cast<int>(Form.ParamColour));
        reg.WriteInteger("CommentColour", static_cast<int>(Form.CommentColour));
        for (auto [prefix, style] :
             {std::pair{"Tag", Form.TagStyle}, std::pair{"Param", Form.ParamStyle},
              std::pair{"Comment", Form.CommentStyle}}) {
            reg.WriteBool(String(prefix) + "Bold", style.Contains(fsBold));
            reg.WriteBool(String(prefix) + "Italic", style.Contains(fsItalic));
            reg.WriteBool(String(prefix) + "Underline", style.Contains(fsUnderline));
        }
    }
    if (Form.ColouredTags)
        ColourAllTags(false);
}
