#include "publish/HTMLSelDir.h"

#include "editor/DialogGuard.h"

TSelDirForm* SelDirForm = nullptr;

TSelDirForm::TSelDirForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("SelDirForm");
        SetCaption("Quiltmarker - Select Folder");
        SetBounds(Left(), Top(), 290, 258);
    });
    FolderBrowserOwner = this;
}

TSelDirForm::~TSelDirForm() {
    if (FolderBrowserOwner == this)
        FolderBrowserOwner = nullptr;
}
