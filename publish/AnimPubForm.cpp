#include "publish/AnimPubForm.h"

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
    });
}
