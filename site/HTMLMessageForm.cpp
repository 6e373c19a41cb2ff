#include "site/HTMLMessageForm.h"

#include "platform/StdCtrls.h"

TMessageForm* MessageForm = nullptr;

TMessageForm::TMessageForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("MessageForm");
        SetCaption("Quiltmarker");
        SetBorderStyle(bsDialog);
        SetClientWidth(160);
        SetClientHeight(64);
        Label1 = NewControl<TLabel>(this, this, "Label1", 14, 8, 130, 13);
        Button1 = NewControl<TButton>(this, this, "Button1", 40, 30, 75, 25);
        Button1->SetCaption("OK");
        Button1->SetDefault(true);
        Button1->SetModalResult(mrOk);
    });
}
