#pragma once
// Tag colouring: the page coloured as tags, attributes, comments and text, whole or just where a
// command put something in, and as the user types; Colour Tags, Use Tag Colouring, Set Tag
// Colours, Remove Text Formatting and Show/Hide Marks. The colours, the styles and whether
// colouring is on stay the window's, since the insertions and printing read them too.

#include "editor/MainFormFeature.h"
#include "platform/Graphics.h"

class TMenuItem;
class TRichEdit;

class TTagColouring : public TMainFormFeature {
public:
    using TMainFormFeature::TMainFormFeature;
    // Set Tag Colours follows Use Tag Colouring, Remove Text Formatting follows Colour Tags and
    // heads the pages' pop-up menu.
    void Build() override;
    // The shell's Colour Tags, Use Tag Colouring and Show/Hide Marks, and the pages' typing.
    void Bind() override;
    // A page just loaded is coloured when colouring is on.
    void PageLoaded(int page) override;
    // The Edit menu's Remove Text Formatting needs an editor page shown, or help-pointer mode.
    void MenuOpening(TMenuItem& menu) override;

    // Colours the length + 1 characters from start of the active page, just put in.
    void ColourTagRange(int start, int length);
    // Colours the whole active page; only when colouring is on, unless forced.
    void ColourAllTags(bool force);
    // What is typed next at the editor's caret takes the colour and style.
    static void SetTypingAttributes(TRichEdit* editor, TColor colour, TFontStyles style);

    // Typing in a page: the typed character's colour, and "&lt;" / "&gt;" in Replace<> mode.
    void Memo1KeyPress(TObject* Sender, char& Key);
    void ColourTags1Click(TObject* Sender);
    void UseTagColouring1Click(TObject* Sender);
    void SetTagColours1Click(TObject* Sender);
    void RemoveTextFormatting1Click(TObject* Sender);
    void ShowHideMarks1Click(TObject* Sender);

    TMenuItem* SetTagColours1 = nullptr;
    TMenuItem* RemoveTextFormatting1 = nullptr;
    TMenuItem* RemoveTextFormatting2 = nullptr;
    // Set by a typed "<", cleared by ">", by the next blank or in a comment; one for all pages.
    bool TypingTagName = false;

private:
    void ColourTypedCharacter(TRichEdit* editor, char key);
    void ColourTypedDash(TRichEdit* editor, int caret);
    void TypeAngleAsReference(TRichEdit* editor, char& key);
    // The editor font the registry gives for plain formatting; Memo1's font and TextColour
    // follow it, Memo1's colour first set to black when blackFirst.
    TFont ReadPlainFont(bool blackFirst);
    // All the text of an editor in the font, in TextColour, keeping its selection, scroll
    // position and modified flag.
    void GivePlainFormatting(TRichEdit* editor, const TFont& font);
};
