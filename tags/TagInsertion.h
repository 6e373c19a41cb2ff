#pragma once
// Tag insertion: the one routine that puts tag buttons', menus' and dialogs' HTML into the active
// page, Repeat Last Tag, which puts the last insertion in again, and the hidden shortcut menu,
// whose items give the most used tag buttons and commands their keys.

#include "editor/CorvaletForm.h"
#include "editor/MainFormFeature.h"

#include <array>

class TMenuItem;

class TTagInsertion : public TMainFormFeature {
public:
    using TMainFormFeature::TMainFormFeature;
    void Build() override;
    void Bind() override;
    void ReadSettings() override;
    void MenuOpening(TMenuItem& menu) override;

    // Puts a tag button's texts around the active editor's selection and remembers them for
    // Repeat Last Tag: Alt held at the last press leaves out the start text, Ctrl the end text,
    // and Replace<> mode writes the angle brackets as character references. A newline count
    // above 0 adds that many line breaks unless a line ends at the selection.
    void InsertTag(const String& start, const String& end, int newlineCount);
    // Puts both texts in as given, whatever the last press and Replace<> mode: a block that a
    // dialog or generator built, or text cut out of the page to be rebuilt, must never lose a
    // part to a stale Alt or Ctrl.
    void InsertWhole(const String& start, const String& end, int newlineCount);
    void RepeatLastTag1Click(TObject* Sender);

    // What the last insertion put in, as Repeat Last Tag puts it in again.
    String LastStartTag;
    String LastEndTag;
    int LastNewlineCount = 0;
    TMenuItem* RepeatLastTag1 = nullptr;
    TMenuItem* RepeatLastTag2 = nullptr;

    // The hidden shortcut menu's items.
    TMenuItem* Paragraph1 = nullptr;
    TMenuItem* Break1 = nullptr;
    TMenuItem* Bold1 = nullptr;
    TMenuItem* Italic1 = nullptr;
    TMenuItem* Underline1 = nullptr;
    TMenuItem* Centre1 = nullptr;
    TMenuItem* Right1 = nullptr;
    TMenuItem* nbsp1 = nullptr;
    TMenuItem* LeftAngle = nullptr;
    TMenuItem* LeftAngle2 = nullptr;
    TMenuItem* RightAngle = nullptr;
    TMenuItem* RightAngle2 = nullptr;
    TMenuItem* Comment = nullptr;
    TMenuItem* Quot1 = nullptr;
    TMenuItem* Pound = nullptr;
    TMenuItem* Copyright1 = nullptr;
    TMenuItem* Reg1 = nullptr;
    TMenuItem* Multx1 = nullptr;
    TMenuItem* Amp1 = nullptr;
    TMenuItem* Quarter1 = nullptr;
    TMenuItem* Half1 = nullptr;
    TMenuItem* Threquarters1 = nullptr;
    // User11 ... User91, User101 ... User161.
    std::array<TMenuItem*, THTMLEMainForm::UserButtonCount> UserItems{};
    TMenuItem* TagRight = nullptr;
    TMenuItem* TagLeft1 = nullptr;
    TMenuItem* HLTagRight1 = nullptr;
    TMenuItem* HLTagLeft1 = nullptr;
    TMenuItem* DelwoBin1 = nullptr;
    TMenuItem* Undo3 = nullptr;

private:
    void WrapSelection(const String& start, const String& end, int newlineCount, TShiftState shift);
    // HiddenShortcuts.cpp: the items of the hidden shortcut menu.
    void BuildHiddenShortcuts();
    void BindHiddenShortcuts();
};
