// The Chars page of the tag bar: buttons for the common character references, a list of the
// Latin-1 entities and a map of the characters 33 to 255, and the shortcuts that insert the same
// references. Every reference goes in front of the selection as a start text.

#include "editor/CorvaletForm.h"

#include "platform/Events.h"
#include "tags/TagButtons.h"
#include "tags/TagInsertion.h"
#include "widgets/QmToolbars.h"

namespace {

using F = THTMLEMainForm;

struct TCharButton {
    TQmToolbarButton* THTMLEMainForm::*Member;
    const char* Name;
    const char* Caption;
    const char* Hint;
    void (THTMLEMainForm::*Click)(TObject*);
};

const TCharButton CharButtons[] = {
    {&F::AmpButton, "AmpButton", "&&", "Ampersand &amp;", &F::AmpButtonClick},
    {&F::QuotButton, "QuotButton", "\"", "Double quote &quot;", &F::QuotButtonClick},
    {&F::CopyRtButton, "CopyRtButton", "\xA9", "Copyright &copy;", &F::CopyRtButtonClick},
    {&F::RegButton, "RegButton", "\xAE", "Registered &reg;", &F::RegButtonClick},
    {&F::QuarterButton, "QuarterButton", "\xBC", "One quarter &frac14;", &F::QuarterButtonClick},
    {&F::HalfButton, "HalfButton", "\xBD", "One half &frac12;", &F::HalfButtonClick},
    {&F::Quarter3Button, "Quarter3Button", "\xBE", "Three quarters &frac34;",
     &F::Quarter3ButtonClick},
    {&F::nbspButton, "nbspButton", "nbsp", "Non-breaking space &nbsp;", &F::nbspButtonClick},
    {&F::OtherCharButton, "OtherCharButton", "Other", "Other characters", &F::OtherCharButtonClick},
    {&F::CharMapButton, "CharMapButton", "Map", "Character map", &F::CharMapButtonClick},
};

struct TShortcutHandler {
    TMenuItem* TTagInsertion::*Member;
    void (THTMLEMainForm::*Click)(TObject*);
};

const TShortcutHandler ShortcutHandlers[] = {
    {&TTagInsertion::nbsp1, &F::nbspButtonClick},
    {&TTagInsertion::LeftAngle, &F::LeftAngleClick},
    {&TTagInsertion::LeftAngle2, &F::LeftAngleClick},
    {&TTagInsertion::RightAngle, &F::RightAngleClick},
    {&TTagInsertion::RightAngle2, &F::RightAngleClick},
    {&TTagInsertion::Quot1, &F::QuotButtonClick},
    {&TTagInsertion::Pound, &F::PoundClick},
    {&TTagInsertion::Copyright1, &F::CopyRtButtonClick},
    {&TTagInsertion::Reg1, &F::RegButtonClick},
    {&TTagInsertion::Multx1, &F::Multx1Click},
    {&TTagInsertion::Amp1, &F::AmpButtonClick},
    {&TTagInsertion::Quarter1, &F::Quarter1Click},
    {&TTagInsertion::Half1, &F::Half1Click},
    {&TTagInsertion::Threquarters1, &F::Threquarters1Click},
};

struct TEntity {
    const char* Item;
    const char* Reference;
};

// The list's items (sign, tab, description) with what each inserts. "Normal space (code)" is the
// space, 32, and the division sign has its named entity like the rest.
const TEntity Entities[] = {
    {"<\tLess-than sign", "&lt;"},
    {">\tGreater-than sign", "&gt;"},
    {"&\tAmpersand", "&amp;"},
    {"\"\tDouble quote sign", "&quot;"},
    {"\tNormal space (code)", "&#32;"},
    {"\tNon-breaking space", "&nbsp;"},
    {"\xB1\tPlus or minus sign", "&plusmn;"},
    {"\xA1\tInverted exclamation", "&iexcl;"},
    {"\xB2\tSuperscript 2", "&sup2;"},
    {"\xA2\tCent sign", "&cent;"},
    {"\xB3\tSuperscript 3", "&sup3;"},
    {"\xA3\tPound sign", "&pound;"},
    {"\xB4\tAcute accent", "&acute;"},
    {"\xA4\tGeneral currency sign", "&curren;"},
    {"\xB5\tMicro sign", "&micro;"},
    {"\xA5\tYen sign", "&yen;"},
    {"\xB6\tParagraph sign", "&para;"},
    {"\xA6\tBroken bar", "&brvbar;"},
    {"\xB7\tMiddle dot", "&middot;"},
    {"\xA7\tSection sign", "&sect;"},
    {"\xB8\tCedilla", "&cedil;"},
    {"\xA8\tUmlaut/dieresis", "&uml;"},
    {"\xB9\tSuperscript 1", "&sup1;"},
    {"\xA9\tCopyright sign", "&copy;"},
    {"\tOrdinal indicator, male", "&ordm;"},
    {"\tOrdinal indicator, female", "&ordf;"},
    {"\xBB\tAngle quote, right", "&raquo;"},
    {"\xAB\tAngle quote, left", "&laquo;"},
    {"\xBC\tOne-quarter", "&frac14;"},
    {"\xAC\tNot sign", "&not;"},
    {"\xBD\tOne-half", "&frac12;"},
    {"\xAD\tSoft hyphen", "&shy;"},
    {"\xBE\tThree-quarters", "&frac34;"},
    {"\xAE\tRegistered sign", "&reg;"},
    {"\xBF\tInverted question mark", "&iquest;"},
    {"\xAF\tMacron", "&macr;"},
    {"\xD7\tMultiply sign", "&times;"},
    {"\xB0\tDegree sign", "&deg;"},
    {"\xF7\tDivision sign", "&divide;"},
};

const int GridColumns = 20;
const int GridRows = 12;
const int FirstCode = 30;
const int FirstShownCode = 33;
const int LastCode = 255;

int CodeOfCell(int column, int row) {
    return row * GridColumns + column + FirstCode;
}

} // namespace

void THTMLEMainForm::BuildSpecialCharacters() {
    for (const TCharButton& entry : CharButtons) {
        auto* button = NewControl<TQmToolbarButton>(this, TagButtons->CharSheet, entry.Name);
        button->SetCaption(entry.Caption);
        button->SetBounds(0, 0, 25 + 7 * static_cast<int>(String(entry.Caption).size() / 2), 25);
        button->SetHint(entry.Hint);
        button->SetShowHint(true);
        this->*entry.Member = button;
    }
    TagButtons->FlowTagButtons(TagButtons->CharSheet);
    for (const TEntity& entity : Entities)
        TagButtons->CharListBox->Items().Add(entity.Item);
    TagButtons->CharGrid->SetColCount(GridColumns);
    TagButtons->CharGrid->SetRowCount(GridRows);
    TagButtons->CharGrid->SetFixedCols(0);
    TagButtons->CharGrid->SetFixedRows(0);
    TagButtons->CharGrid->SetDefaultColWidth(15);
    TagButtons->CharGrid->SetDefaultRowHeight(15);
    TagButtons->CharGrid->SetWidth(GridColumns * 16 + 4);
    TagButtons->CharGrid->SetHeight(GridRows * 16 + 4);
    TagButtons->CharGrid->Font().SetName("Arial");
    TagButtons->CharGrid->Font().SetHeight(-11);
    TagButtons->CharGrid->Font().SetColor(clBlack);
}

void THTMLEMainForm::BindSpecialCharacters() {
    for (const TCharButton& entry : CharButtons) {
        (this->*entry.Member)->OnClick = Handler(this, entry.Click);
        (this->*entry.Member)->OnMouseDown =
            Handler(TagButtons, &TTagButtons::HeadingsButtonMouseDown);
    }
    for (const TShortcutHandler& entry : ShortcutHandlers)
        (TagInsertion->*entry.Member)->OnClick = Handler(this, entry.Click);
    TagButtons->CharListBox->OnClick = Handler(this, &THTMLEMainForm::CharListBoxClick);
    TagButtons->CharListBox->OnExit = Handler(this, &THTMLEMainForm::CharListBoxExit);
    TagButtons->CharGrid->OnDblClick = Handler(this, &THTMLEMainForm::CharGridDblClick);
    TagButtons->CharGrid->OnExit = Handler(this, &THTMLEMainForm::CharGridExit);
}

void THTMLEMainForm::InsertCharacterReference(THelpContext help, const String& reference) {
    if (help != 0 && HandleHelpPointer(help))
        return;
    TagInsertion->InsertTag(reference, "", 0);
}

// ---- Buttons and shortcuts ----

void THTMLEMainForm::AmpButtonClick(TObject* /*Sender*/) {
    InsertCharacterReference(HelpContexts::AmpButtonClick, "&amp;");
}
void THTMLEMainForm::QuotButtonClick(TObject* /*Sender*/) {
    InsertCharacterReference(HelpContexts::QuotButtonClick, "&quot;");
}
void THTMLEMainForm::CopyRtButtonClick(TObject* /*Sender*/) {
    InsertCharacterReference(HelpContexts::CopyRtButtonClick, "&copy;");
}
void THTMLEMainForm::RegButtonClick(TObject* /*Sender*/) {
    InsertCharacterReference(HelpContexts::RegButtonClick, "&reg;");
}
void THTMLEMainForm::QuarterButtonClick(TObject* /*Sender*/) {
    InsertCharacterReference(HelpContexts::QuarterButtonClick, "&frac14;");
}
void THTMLEMainForm::HalfButtonClick(TObject* /*Sender*/) {
    InsertCharacterReference(HelpContexts::HalfButtonClick, "&frac12;");
}
void THTMLEMainForm::Quarter3ButtonClick(TObject* /*Sender*/) {
    InsertCharacterReference(HelpContexts::Quarter3ButtonClick, "&frac34;");
}
void THTMLEMainForm::nbspButtonClick(TObject* /*Sender*/) {
    InsertCharacterReference(HelpContexts::nbspButtonClick, "&nbsp;");
}
void THTMLEMainForm::PoundClick(TObject* /*Sender*/) {
    InsertCharacterReference(HelpContexts::PoundClick, "&pound;");
}
// The angle, multiply and fraction shortcuts insert at once, even in help-pointer mode.
void THTMLEMainForm::LeftAngleClick(TObject* /*Sender*/) {
    InsertCharacterReference(0, "&lt;");
}
void THTMLEMainForm::RightAngleClick(TObject* /*Sender*/) {
    InsertCharacterReference(0, "&gt;");
}
void THTMLEMainForm::Multx1Click(TObject* /*Sender*/) {
    InsertCharacterReference(0, "&times;");
}
void THTMLEMainForm::Quarter1Click(TObject* /*Sender*/) {
    InsertCharacterReference(0, "&frac14;");
}
void THTMLEMainForm::Half1Click(TObject* /*Sender*/) {
    InsertCharacterReference(0, "&frac12;");
}
void THTMLEMainForm::Threquarters1Click(TObject* /*Sender*/) {
    InsertCharacterReference(0, "&frac34;");
}

// ---- The entity list ----

void THTMLEMainForm::OtherCharButtonClick(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::OtherCharButtonClick))
        return;
    TagButtons->CharListBox->SetVisible(!TagButtons->CharListBox->Visible());
    TagButtons->CharGrid->Hide();
    if (TagButtons->CharListBox->Visible())
        TagButtons->ShowDropList(TagButtons->CharListBox);
}

void THTMLEMainForm::CharListBoxClick(TObject* /*Sender*/) {
    int index = TagButtons->CharListBox->ItemIndex();
    if (index >= 0 && index < static_cast<int>(std::size(Entities)))
        TagInsertion->InsertTag(Entities[index].Reference, "", 0);
    TagButtons->CharListBox->Hide();
}

void THTMLEMainForm::CharListBoxExit(TObject* /*Sender*/) {
    TagButtons->CharListBox->Hide();
}

// ---- The character map ----

void THTMLEMainForm::CharMapButtonClick(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::CharMapButtonClick))
        return;
    ShowCharGrid(!TagButtons->CharGrid->Visible());
    if (TagButtons->CharGrid->Visible()) {
        TagButtons->CharGrid->BringToFront();
        if (TagButtons->CharGrid->CanFocus())
            TagButtons->CharGrid->SetFocus();
    }
}

void THTMLEMainForm::ShowCharGrid(bool shown) {
    TagButtons->CharGrid->SetVisible(shown);
    TagButtons->GridPanel1->SetVisible(shown);
    TagButtons->GridPanel2->SetVisible(shown);
    FillCharGrid(shown);
}

void THTMLEMainForm::FillCharGrid(bool filled) {
    for (int row = 0; row < GridRows; ++row)
        for (int column = 0; column < GridColumns; ++column) {
            int code = CodeOfCell(column, row);
            if (code >= FirstShownCode && code <= LastCode)
                TagButtons->CharGrid->SetCells(column, row,
                                               filled ? String(1, static_cast<char>(code)) : "");
        }
}

void THTMLEMainForm::CharGridDblClick(TObject* /*Sender*/) {
    int code = CodeOfCell(TagButtons->CharGrid->Col(), TagButtons->CharGrid->Row());
    if (code < 32 || code > LastCode)
        return;
    TagInsertion->InsertTag("&#" + IntToStr(code) + ";", "", 0);
    ShowCharGrid(false);
}

void THTMLEMainForm::CharGridExit(TObject* /*Sender*/) {
    ShowCharGrid(false);
}
