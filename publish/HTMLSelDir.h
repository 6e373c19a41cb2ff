#pragma once
// An empty hidden window that owns every folder browser of the program.

#include "platform/Forms.h"

class TSelDirForm : public TForm {
public:
    explicit TSelDirForm(TComponent* AOwner);
    ~TSelDirForm() override;
};

extern TSelDirForm* SelDirForm;
