#include "generators/ImageSelect.h"

#include "generators/IMGMap.h"
#include "generators/ImageMapCode.h"
#include "platform/CommonDialogs.h"
#include "platform/Events.h"
#include "platform/FileUtils.h"
#include "platform/StdCtrls.h"

TImageSelectForm* ImageSelectForm = nullptr;

TImageSelectForm::TImageSelectForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("ImageSelectForm");
        SetCaption("Image Map");
        SetBorderStyle(bsDialog);
        SetBorderIcons({biSystemMenu});
        SetClientWidth(340);
        SetClientHeight(130);
        auto* imageLabel = NewControl<TLabel>(this, this, "ImageLabel", 8, 8, 200, 13);
        imageLabel->SetCaption("Select image for imagemap");
        ImageEdit = NewControl<TEdit>(this, this, "ImageEdit", 8, 24, 290, 21);
        BrowseButton = NewControl<TButton>(this, this, "BrowseButton", 304, 24, 28, 21);
        BrowseButton->SetCaption("...");
        BrowseButton->OnClick = Handler(this, &TImageSelectForm::BrowseButtonClick);
        auto* nameLabel = NewControl<TLabel>(this, this, "MapNameLabel", 8, 54, 200, 13);
        nameLabel->SetCaption("Map Name");
        MapNameEdit = NewControl<TEdit>(this, this, "MapNameEdit", 8, 70, 160, 21);
        MapNameEdit->SetText("imagemap");
        OKButton = NewControl<TButton>(this, this, "OKButton", 176, 98, 75, 25);
        OKButton->SetCaption("OK");
        OKButton->SetDefault(true);
        OKButton->OnClick = Handler(this, &TImageSelectForm::OKButtonClick);
        CancelButton = NewControl<TButton>(this, this, "CancelButton", 257, 98, 75, 25);
        CancelButton->SetCaption("Cancel");
        CancelButton->SetCancel(true);
        CancelButton->OnClick = Handler(this, &TImageSelectForm::CancelButtonClick);
        OpenDialog1 = NewComponent<TOpenDialog>(this, "OpenDialog1");
        OpenDialog1->SetFilter(
            "Image files (*.gif;*.jpg;*.png;*.bmp)|*.gif;*.jpg;*.png;*.bmp|GIF Files (*.gif)|*.gif|"
            "JPEG Files (*.jpg)|*.jpg|PNG Files (*.png)|*.png|Bitmap Files (*.bmp)|*.bmp|"
            "All files (*.*)|*.*");
        OnClose = Handler(this, &TImageSelectForm::FormClose);
    });
}

// The dialog hides itself once the editor has been left with OK: that is what it reports.
void TImageSelectForm::OKButtonClick(TObject* /*Sender*/) {
    const String image = ImageEdit->Text();
    if (!image.empty() && FileExists(image)) {
        IMMainForm->MapName = MapNameEdit->Text();
        if (IMMainForm->ShowModal() == mrOk)
            Hide();
    }
    SetModalResult(mrOk);
}

void TImageSelectForm::CancelButtonClick(TObject* /*Sender*/) {
    SetModalResult(mrCancel);
}

// The open dialog may move the current folder; the picture's name stays relative to the one the
// user had.
void TImageSelectForm::BrowseButtonClick(TObject* /*Sender*/) {
    const String folder = GetCurrentDir();
    if (!OpenDialog1->Execute())
        return;
    SetCurrentDir(folder);
    ImageEdit->SetText(MakeRelativePath(OpenDialog1->FileName(), folder));
}

void TImageSelectForm::FormClose(TObject* /*Sender*/, TCloseAction& /*Action*/) {
    SetModalResult(Visible() ? mrCancel : mrOk);
}
