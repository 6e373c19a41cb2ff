#include "publish/HTMLSelDir.h"

TSelDirForm* SelDirForm = nullptr;

TSelDirForm::TSelDirForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("SelDirForm");
        SetCaption("Quiltmarker - Select Folder");
        SetBounds(Left(), Top(), 290, 258);
    });
}
