#include "publish/HTMLPublishTo.h"

#include "editor/DialogGuard.h"
#include "platform/Events.h"
#include "platform/StdCtrls.h"
#include "publish/Ferrydock95Main.h"
#include "widgets/FBrowse.h"
#include "widgets/QmToolbars.h"

THTMLPublishToForm* HTMLPublishToForm = nullptr;

THTMLPublishToForm::THTMLPublishToForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("HTMLPublishToForm");
        SetCaption("Quiltmarker - Publishing Folder");
        SetBorderStyle(bsDialog);
        SetClientWidth(330);
        SetClientHeight(105);
        BuildControls();
    });
    OnShow = Handler(this, &THTMLPublishToForm::FormShow);
    PubFileNameButton->OnClick = Handler(this, &THTMLPublishToForm::PubFileNameButtonClick);
    SetupButton->OnClick = Handler(this, &THTMLPublishToForm::SetupButtonClick);
    OKButton->OnClick = Handler(this, &THTMLPublishToForm::OKButtonClick);
}

void THTMLPublishToForm::BuildControls() {
    FolderLabel = NewControl<TLabel>(this, this, "FolderLabel", 8, 8, 120, 13);
    FolderLabel->SetCaption("Folder to publish to");
    PublishTo = NewControl<TComboBox>(this, this, "PublishTo", 8, 26, 285, 21);
    PublishTo->SetDropDownCount(20);
    PubFileNameButton =
        NewControl<TQmToolbarButton>(this, this, "PubFileNameButton", 298, 25, 23, 22);
    // It carries no picture of its own: a caption keeps it in sight.
    PubFileNameButton->SetCaption("...");
    SetupButton = NewControl<TButton>(this, this, "SetupButton", 8, 68, 105, 25);
    SetupButton->SetCaption("&Advanced Setup");
    OKButton = NewControl<TButton>(this, this, "OKButton", 164, 68, 75, 25);
    OKButton->SetCaption("OK");
    OKButton->SetDefault(true);
    OKButton->SetModalResult(mrOk);
    CancelButton = NewControl<TButton>(this, this, "CancelButton", 246, 68, 75, 25);
    CancelButton->SetCaption("Cancel");
    CancelButton->SetCancel(true);
    CancelButton->SetModalResult(mrCancel);
    FolderBrowse1 = NewComponent<TFolderBrowse>(this, "FolderBrowse1");
}

void THTMLPublishToForm::FormShow(TObject* /*Sender*/) {
    PublishTo->Items().Clear();
    ReadPublishFolders(PublishTo->Items(), MaxFolders);
    PublishTo->SetText(StoredPublishFolder());
}

void THTMLPublishToForm::PubFileNameButtonClick(TObject* /*Sender*/) {
    FolderBrowse1->SetTitle("Publish to");
    FolderBrowse1->SetDirectory(PublishTo->Text());
    if (!FolderBrowse1->Execute(FolderBrowserOwner))
        return;
    const String folder = FolderBrowse1->Directory();
    if (PublishTo->Items().IndexOf(folder) < 0)
        PublishTo->Items().Insert(0, folder);
    PublishTo->SetText(folder);
}

void THTMLPublishToForm::SetupButtonClick(TObject* /*Sender*/) {
    TFerrydock95Form* publisher = Ferrydock95Form;
    publisher->NoPublishedMessage = false;
    publisher->PubFileName->SetText(PageInUse ? PagePath : String());
    publisher->PublishTo->SetText(PublishTo->Text());
    publisher->CloseAfterRun = false;
    publisher->ShowModal();
    PublishTo->SetText(publisher->PublishTo->Text());
    StorePublishFolder(PublishTo->Text());
    Close();
}

void THTMLPublishToForm::OKButtonClick(TObject* /*Sender*/) {
    const String folder = PublishTo->Text();
    StorePublishFolder(folder);
    RememberPublishFolder(PublishTo->Items(), folder, MaxFolders);
}
