// The tag-bar buttons: one per HTML element, most of them putting a fixed pair of tags around
// the selection, a few working out their texts (paragraph, headings, colour, comment, fieldset).

#include "tags/TagButtons.h"

#include "editor/Documents.h"
#include "editor/Templates.h"
#include "editor/TextTransforms.h"
#include "generators/TableCommands.h"
#include "platform/Buttons.h"
#include "platform/CommonDialogs.h"
#include "platform/Events.h"
#include "tags/HTMLGlobal.h"
#include "tags/TagInsertion.h"
#include "widgets/QmToolbars.h"

#include <algorithm>

namespace {

// Which mouse-press handler a button has: the state of the press counts for the insertion, is
// cleared (the button always inserts both texts), or the button has none and the last press's
// state stays in force.
enum TPressState { KeepsShift, ClearsShift, NoPress };

struct TTagButton {
    TQmToolbarButton* TTagButtons::*Member;
    TTabSheet* TTagButtons::*Page;
    const char* Name;
    const char* Caption;
    const char* Hint;
    TPressState Press;
};

using F = TTagButtons;

// In page order, each page's buttons in the order they stand on it.
const TTagButton TagButtons[] = {
    {&F::BoldButton, &F::CommonSheet, "BoldButton", "B", "Bold <B>", KeepsShift},
    {&F::ItalicButton, &F::CommonSheet, "ItalicButton", "I", "Italic <I>", KeepsShift},
    {&F::UnderlineButton, &F::CommonSheet, "UnderlineButton", "U", "Underline <U>", KeepsShift},
    {&F::ParaButton, &F::CommonSheet, "ParaButton", "P", "Paragraph <P>", ClearsShift},
    {&F::BreakButton, &F::CommonSheet, "BreakButton", "BR", "Line break <BR>", ClearsShift},
    {&F::CentreAlignButton, &F::CommonSheet, "CentreAlignButton", "Ctr", "Centre <CENTER>",
     KeepsShift},
    {&F::RightAlignButton, &F::CommonSheet, "RightAlignButton", "Rt",
     "Align right <DIV ALIGN=RIGHT>", KeepsShift},
    {&F::RuleButton, &F::CommonSheet, "RuleButton", "HR", "Horizontal rule <HR>", ClearsShift},
    {&F::LinkButton, &F::CommonSheet, "LinkButton", "A", "Link <A HREF>", ClearsShift},
    {&F::MailToButton, &F::CommonSheet, "MailToButton", "@", "Mail link <A HREF=mailto:>",
     ClearsShift},
    {&F::ImageButton, &F::CommonSheet, "ImageButton", "Img", "Image <IMG>", ClearsShift},
    {&F::CommentButton, &F::CommonSheet, "CommentButton", "!--", "Comment <!-- -->", KeepsShift},
    {&F::ColourButton, &F::CommonSheet, "ColourButton", "Col", "Colour value", ClearsShift},
    {&F::NOBRButton, &F::CommonSheet, "NOBRButton", "NOBR", "No line break <NOBR>", NoPress},
    {&F::ASPButton, &F::CommonSheet, "ASPButton", "<%", "Active Server Page script <% %>",
     KeepsShift},
    {&F::GlossaryButton, &F::CommonSheet, "GlossaryButton", "Phr", "Insert Phrase", ClearsShift},
    {&F::AppletButton, &F::CommonSheet, "AppletButton", "Obj", "<APPLET> or <OBJECT>", NoPress},
    {&F::SoundButton, &F::CommonSheet, "SoundButton", "Snd", "Insert multimedia file", NoPress},

    {&F::BasicButton, &F::LayoutPage, "BasicButton", "New", "New framework document", KeepsShift},
    {&F::DoctypeButton, &F::LayoutPage, "DoctypeButton", "DOC", "Document type <!DOCTYPE>",
     ClearsShift},
    {&F::HTMLButton, &F::LayoutPage, "HTMLButton", "HTML", "<HTML>", KeepsShift},
    {&F::HeadButton, &F::LayoutPage, "HeadButton", "HEAD", "<HEAD>", KeepsShift},
    {&F::TitleButton, &F::LayoutPage, "TitleButton", "TITLE", "<TITLE>", KeepsShift},
    {&F::BodyButton, &F::LayoutPage, "BodyButton", "BODY", "<BODY>", KeepsShift},
    {&F::MetaButton, &F::LayoutPage, "MetaButton", "META", "META Tags", NoPress},
    {&F::DivButton, &F::LayoutPage, "DivButton", "DIV", "<DIV>", NoPress},
    {&F::SpanButton, &F::LayoutPage, "SpanButton", "SPAN", "<SPAN>", NoPress},

    {&F::HeadingsButton, &F::FontSheet, "HeadingsButton", "H", "Heading <H1> to <H6>", ClearsShift},
    {&F::FaceButton, &F::FontSheet, "FaceButton", "FONT", "Font <FONT>", KeepsShift},
    {&F::IncFontButton, &F::FontSheet, "IncFontButton", "+1", "Larger font <FONT SIZE=+1>",
     KeepsShift},
    {&F::DecFontButton, &F::FontSheet, "DecFontButton", "-1", "Smaller font <FONT SIZE=-1>",
     KeepsShift},
    {&F::BaseFontButton, &F::FontSheet, "BaseFontButton", "BASE", "Base font <BASEFONT>",
     KeepsShift},
    {&F::PreButton, &F::FontSheet, "PreButton", "PRE", "Preformatted <PRE>", KeepsShift},
    {&F::SubButton, &F::FontSheet, "SubButton", "SUB", "Subscript <SUB>", KeepsShift},
    {&F::SupButton, &F::FontSheet, "SupButton", "SUP", "Superscript <SUP>", KeepsShift},
    {&F::StrongButton, &F::FontSheet, "StrongButton", "STR", "Strong <STRONG>", KeepsShift},
    {&F::EmphButton, &F::FontSheet, "EmphButton", "EM", "Emphasis <EM>", KeepsShift},
    {&F::OtherFontButton, &F::FontSheet, "OtherFontButton", "...", "Other text styles", KeepsShift},

    {&F::ListButton, &F::ListSheet, "ListButton", "List", "List builder", KeepsShift},
    {&F::ULButton, &F::ListSheet, "ULButton", "UL", "Unordered list <UL>", KeepsShift},
    {&F::OLButton, &F::ListSheet, "OLButton", "OL", "Ordered list <OL>", KeepsShift},
    {&F::DLButton, &F::ListSheet, "DLButton", "DL", "Definition list <DL>", KeepsShift},
    {&F::MenuButton, &F::ListSheet, "MenuButton", "MENU", "Menu list <MENU>", KeepsShift},
    {&F::DirButton, &F::ListSheet, "DirButton", "DIR", "Directory list <DIR>", KeepsShift},
    {&F::LIButton, &F::ListSheet, "LIButton", "LI", "List item <LI>", KeepsShift},
    {&F::DTButton, &F::ListSheet, "DTButton", "DT", "Definition term <DT>", KeepsShift},
    {&F::DDButton, &F::ListSheet, "DDButton", "DD", "Definition <DD>", KeepsShift},

    {&F::MakeTableButton, &F::TablesPage, "MakeTableButton", "Tbl", "Quick Table", KeepsShift},
    {&F::TableFromTextButton, &F::TablesPage, "TableFromTextButton", "T<-", "Table from text",
     KeepsShift},
    {&F::TableButton, &F::TablesPage, "TableButton", "TABLE", "Table <TABLE>", KeepsShift},
    {&F::THButton, &F::TablesPage, "THButton", "TH", "Table heading <TH> (Ctrl for full choice)",
     KeepsShift},
    {&F::TRButton, &F::TablesPage, "TRButton", "TR", "Table row <TR> (Ctrl for full choice)",
     KeepsShift},
    {&F::TDButton, &F::TablesPage, "TDButton", "TD", "Table cell <TD> (Ctrl for full choice)",
     KeepsShift},
    {&F::CaptionButton, &F::TablesPage, "CaptionButton", "CAP", "Table caption <CAPTION>",
     KeepsShift},
    {&F::THeadButton, &F::TablesPage, "THeadButton", "THEAD", "Table head <THEAD>", KeepsShift},
    {&F::TBodyButton, &F::TablesPage, "TBodyButton", "TBODY", "Table body <TBODY>", KeepsShift},
    {&F::TFootButton, &F::TablesPage, "TFootButton", "TFOOT", "Table foot <TFOOT>", KeepsShift},
    {&F::ColgroupButton, &F::TablesPage, "ColgroupButton", "COL", "<COLGROUP> and <COLS>",
     KeepsShift},

    {&F::FormButton, &F::FormSheet, "FormButton", "FORM", "Form <FORM>", KeepsShift},
    {&F::TextButton, &F::FormSheet, "TextButton", "Text", "Text box", KeepsShift},
    {&F::PasswordButton, &F::FormSheet, "PasswordButton", "***", "Password box", KeepsShift},
    {&F::HiddenButton, &F::FormSheet, "HiddenButton", "Hid", "Hidden field", KeepsShift},
    {&F::FormFileButton, &F::FormSheet, "FormFileButton", "File", "File field", KeepsShift},
    {&F::FormImageButton, &F::FormSheet, "FormImageButton", "Img", "Image button", KeepsShift},
    {&F::TextAreaButton, &F::FormSheet, "TextAreaButton", "Area", "Text area <TEXTAREA>",
     KeepsShift},
    {&F::RadioButton, &F::FormSheet, "RadioButton", "(o)", "Radio button", KeepsShift},
    {&F::CheckBoxButton, &F::FormSheet, "CheckBoxButton", "[x]", "Check box", KeepsShift},
    {&F::SubmitButton, &F::FormSheet, "SubmitButton", "Sub", "Submit button", KeepsShift},
    {&F::ResetButton, &F::FormSheet, "ResetButton", "Rst", "Reset button", KeepsShift},
    {&F::ButtonButton, &F::FormSheet, "ButtonButton", "Btn", "Push button", KeepsShift},
    {&F::SelectButton, &F::FormSheet, "SelectButton", "Sel", "Selection list <SELECT>", KeepsShift},
    {&F::FieldsetButton, &F::FormSheet, "FieldsetButton", "FSet", "Field set <FIELDSET>",
     KeepsShift},

    {&F::FrameSetButton, &F::FramesPage, "FrameSetButton", "FSET", "Frame set <FRAMESET>",
     KeepsShift},
    {&F::FrameButton, &F::FramesPage, "FrameButton", "FRAME", "Frame <FRAME>", KeepsShift},
    {&F::NoFramesButton, &F::FramesPage, "NoFramesButton", "NOFR", "No frames <NOFRAMES>",
     KeepsShift},
    {&F::IFrameButton, &F::FramesPage, "IFrameButton", "IFR", "Inline frame <IFRAME>", KeepsShift},

    {&F::StyleWizardButton, &F::StyleSheet, "StyleWizardButton", "CSS",
     "Cascading Style Sheet Wizard", NoPress},
    {&F::StyleButton, &F::StyleSheet, "StyleButton", "STYLE", "<STYLE>", NoPress},

    {&F::ScriptsMenuButton, &F::ScriptsSheet, "ScriptsMenuButton", "Scripts", "Menu of JavaScripts",
     NoPress},
    {&F::ScriptButton, &F::ScriptsSheet, "ScriptButton", "SCR", "Script <SCRIPT>", NoPress},
    {&F::SSIButton, &F::ScriptsSheet, "SSIButton", "SSI", "Server-side include", NoPress},

    {&F::DateButton, &F::SpecialSheet, "DateButton", "Date", "Date stamp", ClearsShift},
    {&F::TimeButton, &F::SpecialSheet, "TimeButton", "Time", "Time stamp", ClearsShift},
    {&F::MiscButton, &F::SpecialSheet, "MiscButton", "Misc", "User definitions", ClearsShift},
};

struct TButtonHandler {
    TQmToolbarButton* TTagButtons::*Member;
    void (TTagButtons::*Click)(TObject*);
};

const TButtonHandler ButtonHandlers[] = {
    {&F::BoldButton, &F::BoldButtonClick},
    {&F::ItalicButton, &F::ItalicButtonClick},
    {&F::UnderlineButton, &F::UnderlineButtonClick},
    {&F::ParaButton, &F::ParaButtonClick},
    {&F::BreakButton, &F::BreakButtonClick},
    {&F::CentreAlignButton, &F::CentreAlignButtonClick},
    {&F::RightAlignButton, &F::RightAlignButtonClick},
    {&F::CommentButton, &F::CommentButtonClick},
    {&F::ColourButton, &F::ColourButtonClick},
    {&F::NOBRButton, &F::NOBRButtonClick},
    {&F::ASPButton, &F::ASPButtonClick},
    {&F::BasicButton, &F::BasicButtonClick},
    {&F::DoctypeButton, &F::DoctypeButtonClick},
    {&F::HTMLButton, &F::HTMLButtonClick},
    {&F::HeadButton, &F::HeadButtonClick},
    {&F::TitleButton, &F::TitleButtonClick},
    {&F::HeadingsButton, &F::HeadingsButtonClick},
    {&F::IncFontButton, &F::IncFontButtonClick},
    {&F::DecFontButton, &F::DecFontButtonClick},
    {&F::PreButton, &F::PreButtonClick},
    {&F::SubButton, &F::SubButtonClick},
    {&F::SupButton, &F::SupButtonClick},
    {&F::StrongButton, &F::StrongButtonClick},
    {&F::EmphButton, &F::EmphButtonClick},
    {&F::OtherFontButton, &F::OtherFontButtonClick},
    {&F::ULButton, &F::ULButtonClick},
    {&F::OLButton, &F::OLButtonClick},
    {&F::DLButton, &F::DLButtonClick},
    {&F::MenuButton, &F::MenuButtonClick},
    {&F::DirButton, &F::DirButtonClick},
    {&F::LIButton, &F::LIButtonClick},
    {&F::DTButton, &F::DTButtonClick},
    {&F::DDButton, &F::DDButtonClick},
    {&F::TableButton, &F::TableButtonClick},
    {&F::THButton, &F::THButtonClick},
    {&F::TRButton, &F::TRButtonClick},
    {&F::TDButton, &F::TDButtonClick},
    {&F::CaptionButton, &F::CaptionButtonClick},
    {&F::THeadButton, &F::THeadButtonClick},
    {&F::TBodyButton, &F::TBodyButtonClick},
    {&F::TFootButton, &F::TFootButtonClick},
    {&F::FieldsetButton, &F::FieldsetButtonClick},
    {&F::NoFramesButton, &F::NoFramesButtonClick},
    {&F::ScriptButton, &F::ScriptButtonClick},
    {&F::SSIButton, &F::SSIButtonClick},
};

const int ButtonHeight = 25;
const int MinButtonWidth = 25;
const int CaptionCharWidth = 7;
// The width of a page's left scroll button.
const int FirstButtonLeft = 12;

int ButtonWidthFor(const String& caption) {
    return std::max(MinButtonWidth, static_cast<int>(caption.size()) * CaptionCharWidth + 8);
}

} // namespace

void TTagButtons::Build() {
    BuildTagBar();
    BuildTagBarLists();
    BuildTagButtons();
    FrameworkDocument1 =
        AddItem(&Form, Form.Documents->New1, "FrameworkDocument1", "&Framework Document");
}

void TTagButtons::Bind() {
    for (const auto& entry : ButtonHandlers)
        (this->*entry.Member)->OnClick = Handler(this, entry.Click);
    FrameworkDocument1->OnClick = Handler(this, &TTagButtons::BasicButtonClick);
    for (const TTagButton& entry : TagButtons) {
        TQmToolbarButton* button = this->*entry.Member;
        if (entry.Press == KeepsShift)
            button->OnMouseDown = Handler(this, &TTagButtons::IntBrowserButtonMouseDown);
        else if (entry.Press == ClearsShift)
            button->OnMouseDown = Handler(this, &TTagButtons::HeadingsButtonMouseDown);
    }
    PerlCommentButton->OnClick =
        Handler(Form.TextTransforms, &TTextTransforms::PerlCommentButtonClick);
    PerlNoCommentButton->OnClick =
        Handler(Form.TextTransforms, &TTextTransforms::PerlNoCommentButtonClick);
    ReplaceAnglesButton->OnClick = Handler(this, &TTagButtons::ReplaceAnglesButtonClick);
    HeadingsUpDown1->OnClick = Handler(this, &TTagButtons::HeadingsUpDown1Click);
    HeadingsEdit->OnClick = Handler(this, &TTagButtons::HeadingsEditClick);
    ButtonsPage->OnChange = Handler(this, &TTagButtons::ButtonsPageChange);
    BindTagBarLists();
}

void TTagButtons::BuildTagButtons() {
    for (const TTagButton& entry : TagButtons) {
        auto* button = NewControl<TQmToolbarButton>(&Form, this->*entry.Page, entry.Name);
        button->SetCaption(entry.Caption);
        button->SetWidth(ButtonWidthFor(entry.Caption));
        button->SetHeight(ButtonHeight);
        button->SetHint(entry.Hint);
        button->SetShowHint(true);
        this->*entry.Member = button;
        if (entry.Member == &F::HeadingsButton) {
            // The heading number stands right after its button.
            HeadingsEdit = NewControl<TEdit>(&Form, FontSheet, "HeadingsEdit");
            HeadingsEdit->SetBounds(0, 0, 18, ButtonHeight - 2);
            HeadingsEdit->SetReadOnly(true);
            HeadingsEdit->SetText("1");
            HeadingsUpDown1 = NewControl<TUpDown>(&Form, FontSheet, "HeadingsUpDown1");
            HeadingsUpDown1->SetBounds(0, 0, 14, ButtonHeight - 2);
            HeadingsUpDown1->SetMin(1);
            HeadingsUpDown1->SetMax(6);
            HeadingsUpDown1->SetWrap(false);
            HeadingsUpDown1->SetAssociate(HeadingsEdit);
            HeadingsUpDown1->SetPosition(1);
        }
    }
    ColorDialog1 = NewComponent<TColorDialog>(&Form, "ColorDialog1");
    ColorDialog1->SetOptions({cdFullOpen, cdAnyColor});
    for (int i = 0; i < ButtonsPage->PageCount(); ++i)
        LineUpTagButtons(ButtonsPage->Pages(i));
}

// Left to right in one row, starting right of the page's left scroll button; the window's layout
// scrolls the row sideways.
void TTagButtons::LineUpTagButtons(TTabSheet* page) const {
    int left = FirstButtonLeft;
    for (int i = 0; i < page->ControlCount(); ++i) {
        TControl* control = page->Controls(i);
        if (dynamic_cast<TSpeedButton*>(control))
            continue;
        control->SetLeft(left);
        control->SetTop(0);
        left += control->Width();
    }
}

void TTagButtons::IntBrowserButtonMouseDown(TObject* /*Sender*/, TMouseButton /*Button*/,
                                            TShiftState Shift, int /*X*/, int /*Y*/) {
    Form.LastShiftState = Shift;
}

void TTagButtons::HeadingsButtonMouseDown(TObject* /*Sender*/, TMouseButton /*Button*/,
                                          TShiftState /*Shift*/, int /*X*/, int /*Y*/) {
    Form.LastShiftState = {};
}

void TTagButtons::InsertButtonTags(THelpContext help, const String& start, const String& end,
                                   int newlineCount) {
    if (Form.HandleHelpPointer(help))
        return;
    Form.TagInsertion->InsertTag(start, end, newlineCount);
}

// ---- A new page ----

// The page is made only once the framework document has been read, and the Alt or Ctrl of the
// press leaves out the part after or before the caret, as for any tag button.
void TTagButtons::BasicButtonClick(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::BasicButtonClick))
        return;
    auto [head, tail] = Form.Templates->FrameworkDocumentParts();
    if (Form.Documents->NewBlankPage() >= 0)
        Form.TagInsertion->InsertTag(head, tail, 0);
}

// ---- Fixed pairs ----

void TTagButtons::BoldButtonClick(TObject* /*Sender*/) {
    InsertButtonTags(HelpContexts::BoldButtonClick, "<B>", "</B>");
}

void TTagButtons::ItalicButtonClick(TObject* /*Sender*/) {
    InsertButtonTags(HelpContexts::ItalicButtonClick, "<I>", "</I>");
}

void TTagButtons::UnderlineButtonClick(TObject* /*Sender*/) {
    InsertButtonTags(HelpContexts::UnderlineButtonClick, "<U>", "</U>");
}

void TTagButtons::BreakButtonClick(TObject* /*Sender*/) {
    InsertButtonTags(HelpContexts::BreakButtonClick, "<BR>", "", 1);
}

void TTagButtons::CentreAlignButtonClick(TObject* /*Sender*/) {
    InsertButtonTags(HelpContexts::CentreAlignButtonClick, "<CENTER>", "</CENTER>");
}

void TTagButtons::RightAlignButtonClick(TObject* /*Sender*/) {
    InsertButtonTags(HelpContexts::RightAlignButtonClick, "<DIV ALIGN=RIGHT>", "\r\n</DIV>");
}

void TTagButtons::NOBRButtonClick(TObject* /*Sender*/) {
    InsertButtonTags(HelpContexts::NOBRButtonClick, "<NOBR>", "</NOBR>");
}

void TTagButtons::ASPButtonClick(TObject* /*Sender*/) {
    InsertButtonTags(HelpContexts::ASPButtonClick, "<% ", " %>");
}

void TTagButtons::HTMLButtonClick(TObject* /*Sender*/) {
    InsertButtonTags(HelpContexts::HTMLButtonClick, "<HTML>", "\r\n</HTML>");
}

void TTagButtons::HeadButtonClick(TObject* /*Sender*/) {
    InsertButtonTags(HelpContexts::HeadButtonClick, "<HEAD>", "\r\n</HEAD>");
}

void TTagButtons::TitleButtonClick(TObject* /*Sender*/) {
    InsertButtonTags(HelpContexts::TitleButtonClick, "<TITLE>", "\r\n</TITLE>");
}

void TTagButtons::IncFontButtonClick(TObject* /*Sender*/) {
    InsertButtonTags(HelpContexts::IncFontButtonClick, "<FONT SIZE=+1>", "</FONT>");
}

void TTagButtons::DecFontButtonClick(TObject* /*Sender*/) {
    InsertButtonTags(HelpContexts::DecFontButtonClick, "<FONT SIZE=-1>", "</FONT>");
}

void TTagButtons::PreButtonClick(TObject* /*Sender*/) {
    InsertButtonTags(HelpContexts::PreButtonClick, "<PRE>", "</PRE>");
}

void TTagButtons::SubButtonClick(TObject* /*Sender*/) {
    InsertButtonTags(HelpContexts::SubButtonClick, "<SUB>", "</SUB>");
}

void TTagButtons::SupButtonClick(TObject* /*Sender*/) {
    InsertButtonTags(HelpContexts::SupButtonClick, "<SUP>", "</SUP>");
}

void TTagButtons::StrongButtonClick(TObject* /*Sender*/) {
    InsertButtonTags(HelpContexts::StrongButtonClick, "<STRONG>", "</STRONG>");
}

void TTagButtons::EmphButtonClick(TObject* /*Sender*/) {
    InsertButtonTags(HelpContexts::EmphButtonClick, "<EM>", "</EM>");
}

void TTagButtons::ULButtonClick(TObject* /*Sender*/) {
    InsertButtonTags(HelpContexts::ULButtonClick, "<UL>", "</UL>");
}

void TTagButtons::OLButtonClick(TObject* /*Sender*/) {
    InsertButtonTags(HelpContexts::OLButtonClick, "<OL>", "</OL>");
}

void TTagButtons::DLButtonClick(TObject* /*Sender*/) {
    InsertButtonTags(HelpContexts::DLButtonClick, "<DL>", "</DL>");
}

void TTagButtons::MenuButtonClick(TObject* /*Sender*/) {
    InsertButtonTags(HelpContexts::MenuButtonClick, "<MENU>", "</MENU>");
}

void TTagButtons::DirButtonClick(TObject* /*Sender*/) {
    InsertButtonTags(HelpContexts::DirButtonClick, "<DIR>", "</DIR>");
}

void TTagButtons::LIButtonClick(TObject* /*Sender*/) {
    InsertButtonTags(HelpContexts::LIButtonClick, "<LI>", "");
}

void TTagButtons::DTButtonClick(TObject* /*Sender*/) {
    InsertButtonTags(HelpContexts::DTButtonClick, "<DT>", "");
}

void TTagButtons::DDButtonClick(TObject* /*Sender*/) {
    InsertButtonTags(HelpContexts::DDButtonClick, "<DD>", "");
}

void TTagButtons::TableButtonClick(TObject* /*Sender*/) {
    InsertButtonTags(HelpContexts::TableButtonClick, "<TABLE>", "\r\n</TABLE>\r\n");
}

void TTagButtons::CaptionButtonClick(TObject* /*Sender*/) {
    InsertButtonTags(HelpContexts::CaptionButtonClick, "<CAPTION>", "</CAPTION>");
}

void TTagButtons::THeadButtonClick(TObject* /*Sender*/) {
    InsertButtonTags(HelpContexts::THeadButtonClick, "<THEAD>", "</THEAD>");
}

void TTagButtons::TBodyButtonClick(TObject* /*Sender*/) {
    InsertButtonTags(HelpContexts::TBodyButtonClick, "<TBODY>", "</TBODY>");
}

void TTagButtons::TFootButtonClick(TObject* /*Sender*/) {
    InsertButtonTags(HelpContexts::TFootButtonClick, "<TFOOT>", "</TFOOT>");
}

void TTagButtons::NoFramesButtonClick(TObject* /*Sender*/) {
    InsertButtonTags(HelpContexts::NoFramesButtonClick, "<NOFRAMES>", "\r\n</NOFRAMES>");
}

// ---- Buttons that work out their texts ----

void TTagButtons::ParaButtonClick(TObject* Sender) {
    if (Form.HandleHelpPointer(HelpContexts::ParaButtonClick))
        return;
    if (!Form.DoubleParaTags)
        Form.TagInsertion->InsertTag("<P>", "", 1);
    else if (Sender != ParaButton)
        Form.TagInsertion->InsertTag("<P>", "</P>", 0);
    else
        DropAlignList(ParaButton, "<P");
}

// A Ctrl-click opens the cell dialog with every attribute; a plain click drops the alignments.
void TTagButtons::CellButtonClick(THelpContext help, TQmToolbarButton* button, const String& tag) {
    if (Form.HandleHelpPointer(help))
        return;
    if (Form.LastShiftState.Contains(ssCtrl)) {
        Form.TableCommands->EditTableCellTag(tag.substr(1));
        return;
    }
    DropAlignList(button, tag);
}

void TTagButtons::THButtonClick(TObject* /*Sender*/) {
    CellButtonClick(HelpContexts::THButtonClick, THButton, "<TH");
}

void TTagButtons::TRButtonClick(TObject* /*Sender*/) {
    CellButtonClick(HelpContexts::TRButtonClick, TRButton, "<TR");
}

void TTagButtons::TDButtonClick(TObject* /*Sender*/) {
    CellButtonClick(HelpContexts::TDButtonClick, TDButton, "<TD");
}

void TTagButtons::HeadingsButtonClick(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::HeadingsButtonClick))
        return;
    String n = IntToStr(HeadingsUpDown1->Position());
    Form.TagInsertion->InsertTag("<H" + n + ">", "</H" + n + ">", 0);
}

void TTagButtons::HeadingsUpDown1Click(TObject* /*Sender*/, TUDBtnType /*Button*/) {
    OtherStyleDropList->Hide();
}

void TTagButtons::HeadingsEditClick(TObject* /*Sender*/) {
    OtherStyleDropList->Hide();
}

void TTagButtons::CommentButtonClick(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::CommentButtonClick))
        return;
    // The selection takes the comment's look before it is wrapped, so a coloured page shows it
    // as a comment at once.
    if (Form.ColouredTags)
        if (TRichEdit* editor = Form.GetMemo(-1); editor && Form.AnyDocumentOpen()) {
            bool locked = LockWindowUpdate(Form.Handle());
            editor->SelAttributes().SetColor(Form.CommentColour);
            editor->SelAttributes().SetStyle(Form.CommentStyle);
            if (locked)
                LockWindowUpdate(nullptr);
        }
    Form.TagInsertion->InsertTag("<!-- ", " -->", 0);
}

void TTagButtons::ColourButtonClick(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::ColourButtonClick))
        return;
    if (!ColorDialog1->Execute())
        return;
    const String colour = GlobalForm->HTMLColourText(ColorDialog1->Color() & 0xFFFFFF);
    Form.TagInsertion->InsertTag("\"" + colour + "\"", "", 0);
}

void TTagButtons::FieldsetButtonClick(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::FieldsetButtonClick))
        return;
    bool legend = MessageBox(Form.Handle(), "Include <LEGEND>?", "Quiltmarker",
                             MB_YESNO | MB_ICONQUESTION) == IDYES;
    Form.TagInsertion->InsertTag("<FIELDSET>", "</FIELDSET>", 0);
    if (legend)
        Form.TagInsertion->InsertTag("<LEGEND>", "</LEGEND>", 0);
}

void TTagButtons::ButtonsPageChange(TObject* /*Sender*/) {
    Form.HandleHelpPointer(HelpContexts::ButtonsPageChange);
    Form.HidePopupLists();
}
