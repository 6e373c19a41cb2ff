#include "editor/GlobalProgressForm.h"

#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"

TGlobalProgressForm* GlobalProgressForm = nullptr;

TGlobalProgressForm::TGlobalProgressForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("GlobalProgressForm");
        SetBorderStyle(bsDialog);
        SetBorderIcons({});
        SetPosition(poScreenCenter);
        SetClientWidth(300);
        SetClientHeight(80);
        Image1 = NewControl<TImage>(this, this, "Image1", 8, 8, 32, 32);
        Label1 = NewControl<TLabel>(this, this, "Label1", 48, 8, 200, 13);
        Label1->SetCaption("Checking:");
        FileLabel = NewControl<TLabel>(this, this, "FileLabel", 8, 40, 284, 13);
        FileLabel->SetAlignment(taCenter);
        FileLabel->SetCaption("");
    });
}
