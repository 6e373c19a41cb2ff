#include "tags/HTMLGlobal.h"

TGlobalForm* GlobalForm = nullptr;

TGlobalForm::TGlobalForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("GlobalForm");
        SetCaption("GlobalForm");
        OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
    });
}

void TGlobalForm::FormCreate(TObject* /*Sender*/) {
    MissingImageMessage = "Cannot find the image file ";
}
