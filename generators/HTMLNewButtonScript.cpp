#include "generators/HTMLNewButtonScript.h"

#include "platform/CommonDialogs.h"
#include "platform/Events.h"
#include "platform/StdCtrls.h"
#include "tags/DialogLayout.h"
#include "widgets/QmToolbars.h"
#include "widgets/ToolEdit.h"

TNewButtonScriptForm* NewButtonScriptForm = nullptr;

TNewButtonScriptForm::TNewButtonScriptForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("NewButtonScriptForm");
        SetCaption("Quiltmarker - Time-limited Button Script");
        SetBorderStyle(bsDialog);
        SetBorderIcons({biSystemMenu});
        SetClientWidth(344);
        SetClientHeight(216);
        PeriodEdit = AddLabelledBox<TEdit>(this, this, "PeriodEdit", "PeriodLabel",
                                           "Days for image to be displayed", 8, 8, 50);
        PeriodUD = AddUpDown(this, this, "PeriodUD", PeriodEdit, 0, 700);
        PeriodUD->SetPosition(30);
        DateEdit =
            AddLabelledBox<TDateEdit>(this, this, "DateEdit", "DateLabel", "From", 200, 8, 120);
        DateEdit->SetWeekends({Sat, Sun});
        ImageEdit =
            AddLabelledBox<TEdit>(this, this, "ImageEdit", "ImageLabel", "Image", 8, 52, 296);
        ImageBrowseButton =
            NewControl<TQmToolbarButton>(this, this, "ImageBrowseButton", 308, 68, 23, 22);
        ImageBrowseButton->SetCaption("...");
        ImageBrowseButton->OnClick = Handler(this, &TNewButtonScriptForm::ImageBrowseButtonClick);
        AltTextEdit = AddLabelledBox<TEdit>(this, this, "AltTextEdit", "AltTextLabel", "ALT text",
                                            8, 96, 323);
        AdditionalTextEdit =
            AddLabelledBox<TEdit>(this, this, "AdditionalTextEdit", "AdditionalTextLabel",
                                  "Additional text", 8, 140, 323);
        OKButton = AddModalButton(this, this, "OKButton", mrOk, 176, 184);
        CancelButton = AddModalButton(this, this, "CancelButton", mrCancel, 256, 184);
        OpenDialog = NewComponent<TOpenDialog>(this, "OpenDialog");
        OpenDialog->SetFilter("Image files (*.gif;*.jpg)|*.gif;*.jpg|All files (*.*}|*.*");
    });
}

void TNewButtonScriptForm::ImageBrowseButtonClick(TObject* /*Sender*/) {
    if (OpenDialog->Execute())
        ImageEdit->SetText(OpenDialog->FileName());
}
