#include "tags/HTMLImage.h"

#include "editor/DialogGuard.h"
#include "platform/ComCtrls.h"
#include "platform/CommonDialogs.h"
#include "platform/Events.h"
#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"
#include "tags/DialogAttributes.h"
#include "widgets/QmToolbars.h"

TImageForm* ImageForm = nullptr;

namespace {

// A control of the given kind with its label above it.
template <typename TBox>
TBox* AddLabelled(TForm* form, TWinControl* parent, const String& name, const String& label,
                  const String& labelName, int left, int top, int width) {
    auto* caption = NewControl<TLabel>(form, parent, labelName, left, top, width, 13);
    caption->SetCaption(label);
    auto* box = NewControl<TBox>(form, parent, name, left, top + 16, width, 21);
    caption->SetFocusControl(box);
    return box;
}

TEdit* AddLabelledEdit(TForm* form, TWinControl* parent, const String& name, const String& label,
                       const String& labelName, int left, int top, int width) {
    return AddLabelled<TEdit>(form, parent, name, label, labelName, left, top, width);
}

TCheckBox* AddCheck(TForm* form, TWinControl* parent, const String& name, const String& caption,
                    int left, int top) {
    auto* box = NewControl<TCheckBox>(form, parent, name, left, top, 110, 17);
    box->SetCaption(caption);
    return box;
}

// A number for an attribute: "0" or nothing leaves the attribute out.
String SizeAttribute(const String& name, const TEdit* edit) {
    return edit->Text() == "0" ? String() : PlainAttribute(name, edit->Text());
}

} // namespace

TImageForm::TImageForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("ImageForm");
        SetCaption("Quiltmarker - Insert Image");
        SetBorderStyle(bsDialog);
        SetClientWidth(440);
        SetClientHeight(290);
        BuildControls();
        OnShow = Handler(this, &TImageForm::FormShow);
    });
}

TEdit* TImageForm::AddNumberBox(const String& name, const String& label, const String& labelName,
                                int top, int max, TUpDown*& upDown, const String& upDownName) {
    TEdit* edit = AddLabelledEdit(this, Panel2, name, label, labelName, 8, top, 50);
    edit->SetText("0");
    upDown = NewControl<TUpDown>(this, Panel2, upDownName, 58, top + 16, 15, 21);
    upDown->SetMax(max);
    upDown->SetAssociate(edit);
    return edit;
}

void TImageForm::BuildControls() {
    Panel1 = NewControl<TPanel>(this, this, "Panel1", 0, 0, 340, 290);
    Panel2 = NewControl<TPanel>(this, this, "Panel2", 340, 0, 100, 290);

    ImageEdit = AddLabelledEdit(this, Panel1, "ImageEdit", "&Image", "Label1", 8, 8, 290);
    ImageEdit->OnExit = Handler(this, &TImageForm::ImageEditExit);
    ImageFileButton =
        NewControl<TQmToolbarButton>(this, Panel1, "ImageFileButton", 304, 23, 23, 22);
    ImageFileButton->SetCaption("...");
    ImageFileButton->OnClick = Handler(this, &TImageForm::ImageFileButtonClick);
    ImagePathCheck = AddCheck(this, Panel1, "ImagePathCheck", "&Use full path", 8, 50);
    AltTextEdit = AddLabelledEdit(this, Panel1, "AltTextEdit", "&Alt. Text", "Label2", 8, 72, 319);
    LowSrcEdit = AddLabelledEdit(this, Panel1, "LowSrcEdit", "&LOWSRC", "Label10", 8, 116, 290);
    LowSrcFileButton =
        NewControl<TQmToolbarButton>(this, Panel1, "LowSrcFileButton", 304, 131, 23, 22);
    LowSrcFileButton->SetCaption("...");
    LowSrcFileButton->OnClick = Handler(this, &TImageForm::LowSrcFileButtonClick);
    LowSrcPathCheck = AddCheck(this, Panel1, "LowSrcPathCheck", "Use &full path", 8, 158);
    UseMapEdit = AddLabelledEdit(this, Panel1, "UseMapEdit", "Use &Map", "Label3", 8, 180, 200);
    IsMapCheck = AddCheck(this, Panel1, "IsMapCheck", "&ISMAP", 220, 196);
    IsMapCheck->SetAlignment(taLeftJustify);
    AlignCombo =
        AddLabelled<TComboBox>(this, Panel1, "AlignCombo", "&Alignment", "Label9", 8, 224, 150);
    for (const char* item : {"", "TOP", "MIDDLE", "BOTTOM", "RIGHT", "LEFT", "TEXTTOP", "BASELINE",
                             "ABSMIDDLE", "ABSBOTTOM"})
        AlignCombo->Items().Add(item);
    AlignCombo->SetText("");

    WidthEdit = AddNumberBox("WidthEdit", "&Width", "Label4", 8, 100, WidthUD, "WidthUD");
    HeightEdit = AddNumberBox("HeightEdit", "&Height", "Label5", 52, 100, HeightUD, "HeightUD");
    BorderEdit =
        AddNumberBox("BorderEdit", "&Border", "Label6", 96, 35, BorderUpDown, "BorderUpDown");
    HSpaceEdit = AddNumberBox("HSpaceEdit", "H&Space", "Label7", 140, 100, HSpaceUD, "HSpaceUD");
    VSpaceEdit = AddNumberBox("VSpaceEdit", "&VSpace", "Label8", 184, 100, VSpaceUD, "VSpaceUD");

    OKButton = NewControl<TButton>(this, Panel2, "OKButton", 12, 228, 75, 25);
    OKButton->SetCaption("OK");
    OKButton->SetDefault(true);
    OKButton->SetModalResult(mrOk);
    OKButton->OnClick = Handler(this, &TImageForm::OKButtonClick);
    CancelButton = NewControl<TButton>(this, Panel2, "CancelButton", 12, 258, 75, 25);
    CancelButton->SetCaption("Cancel");
    CancelButton->SetCancel(true);
    CancelButton->SetModalResult(mrCancel);
    CancelButton->OnClick = Handler(this, &TImageForm::CancelButtonClick);

    OpenDialog = NewComponent<TOpenDialog>(this, "OpenDialog");
    OpenDialog->SetTitle("Choose Image File");
    OpenDialog->SetDefaultExt("*.gif");
    OpenDialog->SetFilter("Web Images (*.gif;*.jpg;*.png)|*.gif;*.jpg;*.png|Bitmap images "
                          "(*.bmp)|*.bmp|All files (*.*)|*.*");
    OpenDialog->SetFilterIndex(1);
}

void TImageForm::FormShow(TObject* /*Sender*/) {
    KeepFormOnScreen(this);
}

String TImageForm::ChooseFile() {
    return OpenDialog->Execute() ? OpenDialog->FileName() : String();
}

void TImageForm::ImageFileButtonClick(TObject* /*Sender*/) {
    const String chosen = ChooseFile();
    if (chosen.empty())
        return;
    ImagePath = chosen;
    ImageEdit->SetText(URLFromPage(chosen, PageFolder));
    ImageEditExit(ImageEdit);
}

void TImageForm::LowSrcFileButtonClick(TObject* /*Sender*/) {
    const String chosen = ChooseFile();
    if (chosen.empty())
        return;
    LowSrcPath = chosen;
    LowSrcEdit->SetText(URLFromPage(chosen, PageFolder));
}

// The height decides: a height the readers could not find leaves both boxes as they were.
void TImageForm::ImageEditExit(TObject* /*Sender*/) {
    if (ImageEdit->Text().empty())
        return;
    const String height = ImageSizeOf(ImagePath, 'H');
    if (height == "0")
        return;
    HeightEdit->SetText(height);
    const String width = ImageSizeOf(ImagePath, 'W');
    if (width != "0")
        WidthEdit->SetText(width);
}

void TImageForm::OKButtonClick(TObject* /*Sender*/) {
    SetModalResult(mrOk);
}

void TImageForm::CancelButtonClick(TObject* /*Sender*/) {
    SetModalResult(mrCancel);
}

// "Use full path" without a file chosen through the button writes what the box holds: there is
// no full path to write, and an empty SRC would lose the image.
String TImageForm::ImageTag() const {
    const bool fullImagePath = ImagePathCheck->Checked() && !ImagePath.empty();
    const String source = fullImagePath ? ImagePath : ImageEdit->Text();
    String lowSource = LowSrcEdit->Text();
    if (!lowSource.empty() && LowSrcPathCheck->Checked() && !LowSrcPath.empty())
        lowSource = LowSrcPath;
    return "<IMG SRC=\"" + QuotedValue(source) + "\"" +
           QuotedAttribute("ALT", AltTextEdit->Text()) + QuotedAttribute("LOWSRC", lowSource) +
           QuotedAttribute("USEMAP", UseMapEdit->Text()) + CheckedOption(IsMapCheck, "ISMAP") +
           PlainAttribute("BORDER", BorderEdit->Text()) + SizeAttribute("WIDTH", WidthEdit) +
           SizeAttribute("HEIGHT", HeightEdit) + SizeAttribute("HSPACE", HSpaceEdit) +
           SizeAttribute("VSPACE", VSpaceEdit) + PlainAttribute("ALIGN", AlignCombo->Text()) + ">";
}
