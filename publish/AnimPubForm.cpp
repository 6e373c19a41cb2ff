#include "publish/AnimPubForm.h"

#include "platform/StdCtrls.h"

TAnimPub* AnimPub = nullptr;

TAnimPub::TAnimPub(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("AnimPub");
        SetCaption("Publishing");
        SetBorderStyle(bsDialog);
        SetBorderIcons({});
        SetFormStyle(fsStayOnTop);
        SetPosition(poScreenCenter);
        SetClientWidth(282);
        SetClientHeight(119);
        Label = NewControl<TLabel>(this, this, "Label");
        Label->SetAutoSize(false);
        Label->SetBounds(6, 52, 269, 61);
        Label->SetAlignment(taCenter);
        Label->SetWordWrap(true);
    });
}
