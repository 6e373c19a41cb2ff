#include "tags/HTMLFrameWizForm1.h"

#include "editor/DialogGuard.h"
#include "platform/ComCtrls.h"
#include "platform/CommonDialogs.h"
#include "platform/Events.h"
#include "platform/RichEdit.h"
#include "platform/StdCtrls.h"
#include "tags/BodyTags.h"
#include "tags/DialogAttributes.h"
#include "tags/DialogLayout.h"
#include "widgets/QmToolbars.h"

TFrameWizForm* FrameWizForm = nullptr;

namespace {

TCheckBox* AddRightCheck(TForm* form, TWinControl* parent, const String& name,
                         const String& caption, int left, int top) {
    auto* box = NewControl<TCheckBox>(form, parent, name, left, top, 110, 17);
    box->SetCaption(caption);
    box->SetAlignment(taLeftJustify);
    return box;
}

} // namespace

String FrameSplit(int n) {
    if (n == 1)
        return "100%\"";
    String split;
    for (int i = 1; i < n; ++i)
        split += IntToStr(100 / n) + "%,";
    return split + "*\"";
}

TFrameWizForm::TFrameWizForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("FrameWizForm");
        SetCaption("Quiltmarker - Frames");
        SetBorderStyle(bsSingle);
        SetBorderIcons({biSystemMenu});
        SetClientWidth(340);
        SetClientHeight(260);
        PageControl = NewControl<TPageControl>(this, this, "PageControl", 4, 4, 332, 216);
        PageControl->SetTabWidth(80);
        PageControl->OnChange = Handler(this, &TFrameWizForm::PageControlChange);
        BuildFramesetSheet();
        BuildFrameSheet();
        OKButton = AddModalButton(this, this, "OKButton", mrOk, 100, 228);
        OKButton->OnClick = Handler(this, &TFrameWizForm::OKButtonClick);
        CancelButton = AddModalButton(this, this, "CancelButton", mrCancel, 180, 228);
        CancelButton->OnClick = Handler(this, &TFrameWizForm::CancelButtonClick);
        ApplyButton = NewControl<TButton>(this, this, "ApplyButton", 260, 228, 75, 25);
        ApplyButton->SetCaption("&Apply");
        ApplyButton->OnClick = Handler(this, &TFrameWizForm::ApplyButtonClick);
        OpenDialog = NewComponent<TOpenDialog>(this, "OpenDialog");
        OnShow = Handler(this, &TFrameWizForm::FormShow);
    });
}

TEdit* TFrameWizForm::AddNumberBox(TTabSheet* sheet, const String& stem, const String& caption,
                                   int left, int top, int max, TUpDown*& upDown) {
    TEdit* edit =
        AddLabelledBox<TEdit>(this, sheet, stem + "Edit", stem + "Label", caption, left, top, 50);
    upDown = AddUpDown(this, sheet, stem + "UpDown", edit, 0, max);
    return edit;
}

void TFrameWizForm::BuildFramesetSheet() {
    FramesetSheet = NewComponent<TTabSheet>(this, "FramesetSheet");
    FramesetSheet->SetPageControl(PageControl);
    FramesetSheet->SetCaption("Frame&set");
    FramesetSheet->SetTag(1);
    RowsEdit = AddNumberBox(FramesetSheet, "Rows", "&Rows", 16, 16, 10, RowsUpDown);
    ColsEdit = AddNumberBox(FramesetSheet, "Cols", "&Columns", 120, 16, 10, ColsUpDown);
    for (TUpDown* upDown : {RowsUpDown, ColsUpDown}) {
        upDown->SetMin(1);
        upDown->SetPosition(1);
    }
}

void TFrameWizForm::BuildFrameSheet() {
    FrameSheet = NewComponent<TTabSheet>(this, "FrameSheet");
    FrameSheet->SetPageControl(PageControl);
    FrameSheet->SetCaption("&Frame");
    FrameSheet->SetTag(2);
    NameEdit = AddLabelledBox<TEdit>(this, FrameSheet, "NameEdit", "NameLabel", "&Name", 8, 4, 150);
    URLEdit = AddLabelledBox<TEdit>(this, FrameSheet, "URLEdit", "URLLabel", "&URL", 8, 44, 270);
    BrowseButton = NewControl<TQmToolbarButton>(this, FrameSheet, "BrowseButton", 282, 59, 23, 22);
    BrowseButton->SetCaption("...");
    BrowseButton->OnClick = Handler(this, &TFrameWizForm::BrowseButtonClick);
    auto* margin = NewControl<TLabel>(this, FrameSheet, "MarginLabel", 8, 88, 60, 13);
    margin->SetCaption("Margin:");
    HeightEdit = AddNumberBox(FrameSheet, "Height", "&Height", 8, 104, 100, HeightUpDown);
    WidthEdit = AddNumberBox(FrameSheet, "Width", "&Width", 88, 104, 100, WidthUpDown);
    ScrollingCombo = AddLabelledBox<TComboBox>(this, FrameSheet, "ScrollingCombo", "ScrollingLabel",
                                               "Scr&olling", 180, 104, 80);
    ScrollingCombo->SetStyle(csDropDownList);
    for (const char* item : {"NO", "YES", "AUTO"})
        ScrollingCombo->Items().Add(item);
    // As the frame button shows the page, for a user who reaches it from the frameset page.
    ScrollingCombo->SetText("AUTO");
    HeightEdit->SetText("");
    WidthEdit->SetText("");
    NoResizeCheck = AddRightCheck(this, FrameSheet, "NoResizeCheck", "No Resi&ze", 8, 152);
    FrameBorderCheck =
        AddRightCheck(this, FrameSheet, "FrameBorderCheck", "Frame &Border", 150, 152);
    FrameBorderCheck->SetChecked(true);
}

void TFrameWizForm::FormShow(TObject* /*Sender*/) {
    if (Mode == 1) {
        PageControl->SetActivePage(FramesetSheet);
        RowsUpDown->SetPosition(1);
        ColsUpDown->SetPosition(1);
        return;
    }
    PageControl->SetActivePage(FrameSheet);
    NameEdit->SetText("");
    URLEdit->SetText("");
    HeightUpDown->SetPosition(1);
    WidthUpDown->SetPosition(1);
    HeightEdit->SetText("");
    WidthEdit->SetText("");
    ScrollingCombo->SetText("AUTO");
    NoResizeCheck->SetChecked(false);
}

void TFrameWizForm::PageControlChange(TObject* /*Sender*/) {
    Mode = PageControl->ActivePage()->Tag();
}

void TFrameWizForm::BrowseButtonClick(TObject* /*Sender*/) {
    if (OpenDialog->Execute())
        URLEdit->SetText(URLFromPage(OpenDialog->FileName(), PageFolder));
}

void TFrameWizForm::InsertForMode() {
    if (Mode == 1)
        InsertFrameset();
    else
        InsertFrame();
}

void TFrameWizForm::ApplyButtonClick(TObject* /*Sender*/) {
    InsertForMode();
}

void TFrameWizForm::OKButtonClick(TObject* /*Sender*/) {
    InsertForMode();
    SetModalResult(mrOk);
}

void TFrameWizForm::CancelButtonClick(TObject* /*Sender*/) {
    SetModalResult(mrCancel);
}

void TFrameWizForm::OfferBodyRemoval() {
    if (!Editor || !HasBodyTags(Editor->Text()))
        return;
    if (MessageBox(Handle(),
                   "You cannot have <BODY>...</BODY> tags in a\r\npage containing <FRAMESET> "
                   "tags.\r\nDo you want to remove the <BODY> tags?",
                   "Quiltmarker", MB_YESNO | MB_ICONQUESTION) == IDYES)
        WritePage(*Editor, RemoveBodyTags(ReadPage(*Editor)));
}

void TFrameWizForm::InsertFrameset() {
    OfferBodyRemoval();
    String frameset = "<FRAMESET";
    if (!RowsEdit->Text().empty())
        frameset += " ROWS=\"" + FrameSplit(RowsUpDown->Position());
    if (!ColsEdit->Text().empty())
        frameset += " COLS=\"" + FrameSplit(ColsUpDown->Position());
    InsertTag(frameset + ">\r\n", "</FRAMESET>");
}

void TFrameWizForm::InsertFrame() {
    String frame = "\t<FRAME" + QuotedAttribute("NAME", NameEdit->Text()) + " SRC=\"" +
                   QuotedValue(URLEdit->Text()) + "\" SCROLLING=\"" + ScrollingCombo->Text() + "\"";
    frame += PositionAttribute("MARGINHEIGHT", HeightEdit, HeightUpDown) +
             PositionAttribute("MARGINWIDTH", WidthEdit, WidthUpDown);
    InsertTag(frame + CheckedOption(NoResizeCheck, "NORESIZE") +
                  OnOffAttribute("FRAMEBORDER", FrameBorderCheck) + ">\r\n",
              "");
}
