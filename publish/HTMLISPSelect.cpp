#include "publish/HTMLISPSelect.h"

TISPSelectForm* ISPSelectForm = nullptr;

TISPSelectForm::TISPSelectForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("ISPSelectForm");
        SetCaption("Select ISP");
        SetBorderIcons({});
        SetBounds(Left(), Top(), 199, 311);
    });
}
