#include "editor/TagColourForm.h"

#include "platform/ColorGrd.h"
#include "platform/Events.h"
#include "platform/ExtCtrls.h"
#include "platform/RichEdit.h"
#include "platform/StdCtrls.h"
#include "widgets/JLLabel.h"

TTagColourForm* TagColourForm = nullptr;

namespace {

const char* const SamplePage = "<HTML>\r\n"
                               "<HEAD>\r\n"
                               "\t<TITLE>My Home Page</TITLE>\r\n"
                               "\t<!-- Written with Quiltmarker -->\r\n"
                               "</HEAD>\r\n"
                               "<BODY BGCOLOR=\"#FFFFFF\" TEXT=BLACK>\r\n"
                               "\t<H1 ALIGN=CENTER>Welcome</H1>\r\n"
                               "\t<P>Pages about my garden,\r\n"
                               "\tand <A HREF=\"roses.html\">my roses</A>.\r\n"
                               "\t<IMG SRC=\"rose.gif\" WIDTH=120 HEIGHT=80>\r\n"
                               "\t<!-- More pictures to come -->\r\n"
                               "\t<HR SIZE=2>\r\n"
                               "</BODY>\r\n"
                               "</HTML>";

TFontStyles StyleOf(const TCheckBox* bold, const TCheckBox* italic, const TCheckBox* underline) {
    TFontStyles style;
    if (bold->Checked())
        style << fsBold;
    if (italic->Checked())
        style << fsItalic;
    if (underline->Checked())
        style << fsUnderline;
    return style;
}

void Check(TCheckBox* bold, TCheckBox* italic, TCheckBox* underline, TFontStyles style) {
    bold->SetChecked(style.Contains(fsBold));
    italic->SetChecked(style.Contains(fsItalic));
    underline->SetChecked(style.Contains(fsUnderline));
}

} // namespace

TTagColourForm::TTagColourForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("TagColourForm");
        SetCaption("Quiltmarker - Tag Colouring");
        SetBorderStyle(bsDialog);
        SetBorderIcons({biSystemMenu});
        SetClientWidth(486);
        SetClientHeight(309);
        Font().SetName("MS Sans Serif");
        BuildControls();
    });
}

void TTagColourForm::BuildControls() {
    ExamplePanel = NewControl<TPanel>(this, this, "ExamplePanel", 8, 8, 405, 195);
    ExamplePanel->SetBevelOuter(bvLowered);
    ExamplePanel->SetCaption("");
    ExampleEdit = NewControl<TRichEdit>(this, ExamplePanel, "ExampleEdit", 2, 2, 401, 191);
    ExampleEdit->SetPlainText(true);
    ExampleEdit->SetWantTabs(true);
    ExampleEdit->SetWordWrap(false);
    ExampleEdit->SetText(SamplePage);
    ExampleEdit->SetReadOnly(true);

    OKButton = NewControl<TButton>(this, this, "OKButton", 422, 8, 57, 25);
    OKButton->SetCaption("OK");
    OKButton->SetDefault(true);
    OKButton->SetModalResult(mrOk);
    OKButton->OnClick = Handler(this, &TTagColourForm::OKButtonClick);
    CancelButton = NewControl<TButton>(this, this, "CancelButton", 422, 40, 57, 25);
    CancelButton->SetCaption("Cancel");
    CancelButton->SetCancel(true);
    CancelButton->SetModalResult(mrCancel);

    BuildColumnHeadings();
    BuildRow(212, "Tag  colour", "Tag", TagLabel, TagColorGrid, TagBoldCheck, TagItalicCheck,
             TagUnderlineCheck, &TTagColourForm::TagColorGridClick);
    BuildRow(236, "Parameter colour", "Param", ParamLabel, ParamColorGrid, ParamBoldCheck,
             ParamItalicCheck, ParamUnderlineCheck, &TTagColourForm::ParamColorGridClick);
    BuildRow(260, "Comment colour", "Comment", CommentLabel, CommentColorGrid, CommentBoldCheck,
             CommentItalicCheck, CommentUnderlineCheck, &TTagColourForm::CommentColorGridClick);

    // On two lines when it is wider than the window.
    NoteLabel = NewControl<TLabel>(this, this, "NoteLabel", 8, 280, 470, 13);
    NoteLabel->SetWordWrap(true);
    NoteLabel->SetCaption(
        "NOTE: Normal text colour can be changed by choosing Preferences/Font/Editor in the main "
        "menu");
}

void TTagColourForm::BuildColumnHeadings() {
    struct Heading {
        TRotateLabel* TTagColourForm::*Member;
        const char* Name;
        const char* Caption;
        int Left;
    };
    const Heading headings[] = {
        {&TTagColourForm::BoldLabel, "BoldLabel", "Bold", 422},
        {&TTagColourForm::ItalicLabel, "ItalicLabel", "Italic", 442},
        {&TTagColourForm::UnderlineLabel, "UnderlineLabel", "Underline", 462}};
    for (const Heading& heading : headings) {
        TRotateLabel* label =
            NewControl<TRotateLabel>(this, this, heading.Name, heading.Left, 140, 16, 68);
        // Upright, the heading keeps the size given it, not the size of its text lying flat.
        label->SetAutoSize(false);
        label->SetEscapement(90);
        label->SetTextStyle(tsNone);
        label->Font().SetName("Arial");
        label->Font().SetStyle({fsBold});
        label->SetCaption(heading.Caption);
        this->*heading.Member = label;
    }
}

void TTagColourForm::BuildRow(int top, const String& caption, const String& prefix, TLabel*& label,
                              TColorGrid*& grid, TCheckBox*& bold, TCheckBox*& italic,
                              TCheckBox*& underline, void (TTagColourForm::*click)(TObject*)) {
    label = NewControl<TLabel>(this, this, prefix + "Label", 8, top + 4, 100, 13);
    label->SetCaption(caption);
    grid = NewControl<TColorGrid>(this, this, prefix + "ColorGrid", 112, top, 288, 18);
    grid->SetGridOrdering(go16x1);
    grid->SetBackgroundEnabled(false);
    grid->OnClick = Handler(this, click);
    int left = 422;
    for (auto [box, style] : {std::pair{&bold, "Bold"}, std::pair{&italic, "Italic"},
                              std::pair{&underline, "Underline"}}) {
        *box = NewControl<TCheckBox>(this, this, prefix + style + "Check", left, top, 16, 17);
        (*box)->SetCaption("");
        (*box)->OnClick = Handler(this, click);
        left += 20;
    }
}

TFontStyles TTagColourForm::TagStyle() const {
    return StyleOf(TagBoldCheck, TagItalicCheck, TagUnderlineCheck);
}

TFontStyles TTagColourForm::ParamStyle() const {
    return StyleOf(ParamBoldCheck, ParamItalicCheck, ParamUnderlineCheck);
}

TFontStyles TTagColourForm::CommentStyle() const {
    return StyleOf(CommentBoldCheck, CommentItalicCheck, CommentUnderlineCheck);
}

void TTagColourForm::SetStyles(TFontStyles tag, TFontStyles param, TFontStyles comment) {
    Check(TagBoldCheck, TagItalicCheck, TagUnderlineCheck, tag);
    Check(ParamBoldCheck, ParamItalicCheck, ParamUnderlineCheck, param);
    Check(CommentBoldCheck, CommentItalicCheck, CommentUnderlineCheck, comment);
}

// The sample's own reading of tags: a tag's '>' takes the tag colour after attributes.
void TTagColourForm::ColourExample() {
    ExampleEdit->SetEnabled(false);
    TFontStyles tagStyle = TagStyle();
    TFontStyles paramStyle = ParamStyle();
    TFontStyles commentStyle = CommentStyle();
    String text = ExampleEdit->Text();
    int length = static_cast<int>(text.size());
    {
        TRunFormatter formatter(*ExampleEdit, 0, length);
        int r = 0;
        bool inName = false;
        bool inComment = false;
        for (int k = 0; k < length; ++k) {
            char c = text[static_cast<size_t>(k)];
            if (c == '<') {
                r = k;
                inName = true;
                if (k + 1 < length && text[static_cast<size_t>(k) + 1] == '!') {
                    inComment = true;
                    inName = false;
                }
            } else if ((c == ' ' || c == '\t') && inName) {
                inName = false;
                formatter.Format(r, k + 1, ChosenTagColour, tagStyle);
                r = k;
            } else if (c == '>') {
                if (!inName && !inComment) {
                    formatter.Format(r, k, ChosenParamColour, paramStyle);
                    formatter.Format(k, k + 1, ChosenTagColour, tagStyle);
                } else if (inComment) {
                    formatter.Format(r, k, ChosenCommentColour, commentStyle);
                    inComment = false;
                } else {
                    formatter.Format(r, k, ChosenTagColour, tagStyle);
                }
                inName = false;
            }
        }
    }
    ExampleEdit->SetEnabled(true);
    ExampleEdit->Repaint();
}

void TTagColourForm::TagColorGridClick(TObject* /*Sender*/) {
    ChosenTagColour = TColorGrid::PaletteColor(TagColorGrid->ForegroundIndex());
    ColourExample();
}

void TTagColourForm::ParamColorGridClick(TObject* /*Sender*/) {
    ChosenParamColour = TColorGrid::PaletteColor(ParamColorGrid->ForegroundIndex());
    ColourExample();
}

void TTagColourForm::CommentColorGridClick(TObject* /*Sender*/) {
    ChosenCommentColour = TColorGrid::PaletteColor(CommentColorGrid->ForegroundIndex());
    ColourExample();
}

void TTagColourForm::OKButtonClick(TObject* /*Sender*/) {
    SetModalResult(mrOk);
}
