#include "tags/HTMLIFrame.h"

#include "editor/DialogGuard.h"
#include "platform/ComCtrls.h"
#include "platform/CommonDialogs.h"
#include "platform/Events.h"
#include "platform/ExtCtrls.h"
#include "platform/RichEdit.h"
#include "platform/StdCtrls.h"
#include "tags/DialogAttributes.h"
#include "tags/DialogLayout.h"
#include "widgets/QmToolbars.h"

TIFrameForm* IFrameForm = nullptr;

TIFrameForm::TIFrameForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("IFrameForm");
        SetCaption("Quiltmarker - IFrame");
        SetBorderStyle(bsDialog);
        SetBorderIcons({biSystemMenu});
        SetClientWidth(340);
        SetClientHeight(268);
        BuildControls();
    });
}

TEdit* TIFrameForm::AddNumberBox(const String& stem, const String& caption, int left, int top,
                                 TUpDown*& upDown) {
    TEdit* edit =
        AddLabelledBox<TEdit>(this, Panel1, stem + "Edit", stem + "Label", caption, left, top, 50);
    edit->SetText("0");
    upDown = AddUpDown(this, Panel1, stem + "UpDown", edit, 0, 10000);
    return edit;
}

void TIFrameForm::BuildControls() {
    Panel1 = NewControl<TPanel>(this, this, "Panel1", 0, 0, 340, 228);
    Panel2 = NewControl<TPanel>(this, this, "Panel2", 0, 228, 340, 40);
    NameEdit = AddLabelledBox<TEdit>(this, Panel1, "NameEdit", "NameLabel", "&Name", 8, 4, 150);
    URLEdit = AddLabelledBox<TEdit>(this, Panel1, "URLEdit", "URLLabel", "&URL", 8, 44, 290);
    BrowseButton = NewControl<TQmToolbarButton>(this, Panel1, "BrowseButton", 302, 59, 23, 22);
    BrowseButton->SetCaption("...");
    BrowseButton->OnClick = Handler(this, &TIFrameForm::BrowseButtonClick);
    auto* margin = NewControl<TLabel>(this, Panel1, "MarginLabel", 8, 88, 60, 13);
    margin->SetCaption("Margin:");
    HeightEdit = AddNumberBox("Height", "H&eight", 8, 104, HeightUpDown);
    WidthEdit = AddNumberBox("Width", "W&idth", 88, 104, WidthUpDown);
    ScrollingCombo = AddLabelledBox<TComboBox>(this, Panel1, "ScrollingCombo", "ScrollingLabel",
                                               "&Scrolling", 180, 104, 80);
    ScrollingCombo->SetStyle(csDropDownList);
    for (const char* item : {"NO", "YES"})
        ScrollingCombo->Items().Add(item);
    auto* frame = NewControl<TLabel>(this, Panel1, "FrameLabel", 8, 148, 60, 13);
    frame->SetCaption("Frame:");
    FrameHeightEdit = AddNumberBox("FrameHeight", "&Height", 8, 164, FrameHeightUpDown);
    FrameWidthEdit = AddNumberBox("FrameWidth", "&Width", 88, 164, FrameWidthUpDown);
    AlignmentCombo = AddLabelledBox<TComboBox>(this, Panel1, "AlignmentCombo", "AlignmentLabel",
                                               "&Alignment", 180, 164, 100);
    for (const char* item : {"", "LEFT", "RIGHT", "TOP", "MIDDLE", "BOTTOM", "ABSBOTTOM",
                             "ABSMIDDLE", "BASELINE", "TEXTTOP"})
        AlignmentCombo->Items().Add(item);
    AlignmentCombo->SetText("");
    FrameBorderCheck = NewControl<TCheckBox>(this, Panel1, "FrameBorderCheck", 8, 206, 110, 17);
    FrameBorderCheck->SetCaption("Frame &Border");
    FrameBorderCheck->SetChecked(true);
    CancelButton = AddModalButton(this, Panel2, "CancelButton", mrCancel, 256, 8);
    OKButton = AddModalButton(this, Panel2, "OKButton", mrOk, 176, 8);
    OKButton->OnClick = Handler(this, &TIFrameForm::OKButtonClick);
    OpenDialog1 = NewComponent<TOpenDialog>(this, "OpenDialog1");
    OpenDialog1->SetFilter("HTML files (*.*htm*)|*.*htm*|All files (*.*)|*.*");
}

void TIFrameForm::OKButtonClick(TObject* /*Sender*/) {
    InsertIFrame();
    SetModalResult(mrOk);
}

void TIFrameForm::BrowseButtonClick(TObject* /*Sender*/) {
    if (OpenDialog1->Execute())
        URLEdit->SetText(URLFromPage(OpenDialog1->FileName(), PageFolder));
}

void TIFrameForm::InsertIFrame() {
    const String iframe = "\t<IFRAME" + QuotedAttribute("NAME", NameEdit->Text()) + " SRC=\"" +
                          QuotedValue(URLEdit->Text()) + "\" SCROLLING=\"" +
                          ScrollingCombo->Text() + "\"" +
                          PositionAttribute("MARGINHEIGHT", HeightEdit, HeightUpDown) +
                          PositionAttribute("MARGINWIDTH", WidthEdit, WidthUpDown) +
                          PositionAttribute("HEIGHT", FrameHeightEdit, FrameHeightUpDown) +
                          PositionAttribute("WIDTH", FrameWidthEdit, FrameWidthUpDown) +
                          OnOffAttribute("FRAMEBORDER", FrameBorderCheck) +
                          PlainAttribute("ALIGN", AlignmentCombo->Text()) + ">\r\n";
    InsertIntoEditor(iframe, "</IFRAME>");
}

void TIFrameForm::InsertIntoEditor(const String& start, const String& end) {
    if (!Editor)
        return;
    Editor->SetSelText(start + Editor->SelText() + end);
    if (!end.empty())
        Editor->SetSelStart(Editor->SelStart() - static_cast<int>(end.size()));
}
