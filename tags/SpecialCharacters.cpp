#include "tags/SpecialCharacters.h"

#include "editor/CorvaletForm.h"
#include "platform/Events.h"
#include "platform/Grids.h"
#include "tags/TagButtons.h"
#include "tags/TagInsertion.h"
#include "widgets/QmToolbars.h"

namespace {

using F = TSpecialCharacters;

struct TCharButton {
    TQmToolbarButton* TSpecialCharacters::*Member;
    const char* Name;
    const char* Caption;
    const char* Hint;
    void (TSpecialCharacters::*Click)(TObject*);
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
    void (TSpecialCharacters::*Click)(TObject*);
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

void TSpecialCharacters::Build() {
    TTagButtons& bar = *Form.TagButtons;
    for (const TCharButton& entry : CharButtons) {
        auto* button = NewControl<TQmToolbarButton>(&Form, bar.CharSheet, entry.Name);
        button->SetCaption(entry.Caption);
        button->SetBounds(0, 0, 25 + 7 * static_cast<int>(String(entry.Caption).size() / 2), 25);
        button->SetHint(entry.Hint);
        button->SetShowHint(true);
        this->*entry.Member = button;
    }
    bar.LineUpTagButtons(bar.CharSheet);
    for (const TEntity& entity : Entities)
        bar.CharListBox->Items().Add(entity.Item);
    TStringGrid& grid = *bar.CharGrid;
    grid.SetColCount(GridColumns);
    grid.SetRowCount(GridRows);
    grid.SetFixedCols(0);
    grid.SetFixedRows(0);
    grid.SetDefaultColWidth(15);
    grid.SetDefaultRowHeight(15);
    grid.SetWidth(GridColumns * 16 + 4);
    grid.SetHeight(GridRows * 16 + 4);
    grid.Font().SetName("Arial");
    grid.Font().SetHeight(-11);
    grid.Font().SetColor(clBlack);
}

void TSpecialCharacters::Bind() {
    TTagButtons& bar = *Form.TagButtons;
    for (const TCharButton& entry : CharButtons) {
        (this->*entry.Member)->OnClick = Handler(this, entry.Click);
        (this->*entry.Member)->OnMouseDown = Handler(&bar, &TTagButtons::HeadingsButtonMouseDown);
    }
    for (const TShortcutHandler& entry : ShortcutHandlers)
        (Form.TagInsertion->*entry.Member)->OnClick = Handler(this, entry.Click);
    bar.CharListBox->OnClick = Handler(this, &TSpecialCharacters::CharListBoxClick);
    bar.CharListBox->OnExit = Handler(this, &TSpecialCharacters::CharListBoxExit);
    bar.CharGrid->OnDblClick = Handler(this, &TSpecialCharacters::CharGridDblClick);
    bar.CharGrid->OnExit = Handler(this, &TSpecialCharacters::CharGridExit);
}

void TSpecialCharacters::InsertCharacterReference(THelpContext help, const String& reference) {
    if (help != 0 && Form.HandleHelpPointer(help))
        return;
    Form.TagInsertion->InsertTag(reference, "", 0);
}

// ---- Buttons and shortcuts ----

void TSpecialCharacters::AmpButtonClick(TObject* /*Sender*/) {
    InsertCharacterReference(HelpContexts::AmpButtonClick, "&amp;");
}
void TSpecialCharacters::QuotButtonClick(TObject* /*Sender*/) {
    InsertCharacterReference(HelpContexts::QuotButtonClick, "&quot;");
}
void TSpecialCharacters::CopyRtButtonClick(TObject* /*Sender*/) {
    InsertCharacterReference(HelpContexts::CopyRtButtonClick, "&copy;");
}
void TSpecialCharacters::RegButtonClick(TObject* /*Sender*/) {
    InsertCharacterReference(HelpContexts::RegButtonClick, "&reg;");
}
void TSpecialCharacters::QuarterButtonClick(TObject* /*Sender*/) {
    InsertCharacterReference(HelpContexts::QuarterButtonClick, "&frac14;");
}
void TSpecialCharacters::HalfButtonClick(TObject* /*Sender*/) {
    InsertCharacterReference(HelpContexts::HalfButtonClick, "&frac12;");
}
void TSpecialCharacters::Quarter3ButtonClick(TObject* /*Sender*/) {
    InsertCharacterReference(HelpContexts::Quarter3ButtonClick, "&frac34;");
}
void TSpecialCharacters::nbspButtonClick(TObject* /*Sender*/) {
    InsertCharacterReference(HelpContexts::nbspButtonClick, "&nbsp;");
}
void TSpecialCharacters::PoundClick(TObject* /*Sender*/) {
    InsertCharacterReference(HelpContexts::PoundClick, "&pound;");
}
// The angle, multiply and fraction shortcuts insert at once, even in help-pointer mode.
void TSpecialCharacters::LeftAngleClick(TObject* /*Sender*/) {
    InsertCharacterReference(0, "&lt;");
}
void TSpecialCharacters::RightAngleClick(TObject* /*Sender*/) {
    InsertCharacterReference(0, "&gt;");
}
void TSpecialCharacters::Multx1Click(TObject* /*Sender*/) {
    InsertCharacterReference(0, "&times;");
}
void TSpecialCharacters::Quarter1Click(TObject* /*Sender*/) {
    InsertCharacterReference(0, "&frac14;");
}
void TSpecialCharacters::Half1Click(TObject* /*Sender*/) {
    InsertCharacterReference(0, "&frac12;");
}
void TSpecialCharacters::Threquarters1Click(TObject* /*Sender*/) {
    InsertCharacterReference(0, "&frac34;");
}

// ---- The entity list ----

void TSpecialCharacters::OtherCharButtonClick(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::OtherCharButtonClick))
        return;
    TTagButtons& bar = *Form.TagButtons;
    bar.CharListBox->SetVisible(!bar.CharListBox->Visible());
    bar.CharGrid->Hide();
    if (bar.CharListBox->Visible())
        bar.ShowDropList(bar.CharListBox);
}

void TSpecialCharacters::CharListBoxClick(TObject* /*Sender*/) {
    TListBox* list = Form.TagButtons->CharListBox;
    int index = list->ItemIndex();
    if (index >= 0 && index < static_cast<int>(std::size(Entities)))
        Form.TagInsertion->InsertTag(Entities[index].Reference, "", 0);
    list->Hide();
}

void TSpecialCharacters::CharListBoxExit(TObject* /*Sender*/) {
    Form.TagButtons->CharListBox->Hide();
}

// ---- The character map ----

void TSpecialCharacters::CharMapButtonClick(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::CharMapButtonClick))
        return;
    TStringGrid* grid = Form.TagButtons->CharGrid;
    ShowCharGrid(!grid->Visible());
    if (grid->Visible()) {
        grid->BringToFront();
        if (grid->CanFocus())
            grid->SetFocus();
    }
}

void TSpecialCharacters::ShowCharGrid(bool shown) {
    TTagButtons& bar = *Form.TagButtons;
    bar.CharGrid->SetVisible(shown);
    bar.GridPanel1->SetVisible(shown);
    bar.GridPanel2->SetVisible(shown);
    FillCharGrid(shown);
}

void TSpecialCharacters::FillCharGrid(bool filled) {
    for (int row = 0; row < GridRows; ++row)
        for (int column = 0; column < GridColumns; ++column) {
            int code = CodeOfCell(column, row);
            if (code >= FirstShownCode && code <= LastCode)
                Form.TagButtons->CharGrid->SetCells(
                    column, row, filled ? String(1, static_cast<char>(code)) : "");
        }
}

void TSpecialCharacters::CharGridDblClick(TObject* /*Sender*/) {
    const TStringGrid* grid = Form.TagButtons->CharGrid;
    int code = CodeOfCell(grid->Col(), grid->Row());
    if (code < 32 || code > LastCode)
        return;
    Form.TagInsertion->InsertTag("&#" + IntToStr(code) + ";", "", 0);
    ShowCharGrid(false);
}

void TSpecialCharacters::CharGridExit(TObject* /*Sender*/) {
    ShowCharGrid(false);
}
