#include "publish/Ferrydock95Main.h"

TFerrydock95Form* Ferrydock95Form = nullptr;

TFerrydock95Form::TFerrydock95Form(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("Ferrydock95Form");
        SetCaption("Quiltmarker - Publisher");
        SetBorderStyle(bsSingle);
        SetBorderIcons({biSystemMenu, biMinimize});
        SetClientWidth(293);
        SetClientHeight(499);
    });
}
