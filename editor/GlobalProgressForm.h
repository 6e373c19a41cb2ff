#pragma once
// The small window that names the file being searched during Global Find and Replace.

#include "platform/Forms.h"

class TLabel;
class TImage;

class TGlobalProgressForm : public TForm {
public:
    explicit TGlobalProgressForm(TComponent* AOwner);

    TLabel* Label1 = nullptr;
    TLabel* FileLabel = nullptr;
    TImage* Image1 = nullptr;
};

extern TGlobalProgressForm* GlobalProgressForm;
