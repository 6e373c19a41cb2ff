#pragma once
// A small notice window with one line of text and OK, placed by the command that shows it.

#include "platform/Forms.h"

class TLabel;
class TButton;

class TMessageForm : public TForm {
public:
    explicit TMessageForm(TComponent* AOwner);

    TLabel* Label1 = nullptr;
    TButton* Button1 = nullptr;
};

extern TMessageForm* MessageForm;
