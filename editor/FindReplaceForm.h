#pragma once
// The Global Find and Replace options: the texts, case, the line report and the kind of files,
// whose choice is stored the moment it is clicked.

#include "platform/Forms.h"

class TLabel;
class TMemo;
class TButton;
class TCheckBox;
class TGroupBox;
class TRadioButton;

class TFindReplaceForm : public TForm {
public:
    explicit TFindReplaceForm(TComponent* AOwner);

    TLabel* Label1 = nullptr;
    TMemo* FindMemo = nullptr;
    TLabel* Label2 = nullptr;
    TMemo* ReplaceMemo = nullptr;
    TButton* Button1 = nullptr;
    TButton* Button3 = nullptr;
    TButton* Button4 = nullptr;
    TCheckBox* CaseCheck = nullptr;
    TCheckBox* ShowLinesCheck = nullptr;
    TGroupBox* RadioGroup1 = nullptr;
    TRadioButton* HTMLCheck = nullptr;
    TRadioButton* TextCheck = nullptr;

    bool FindOnly = false;
    // 0 cancelled, 1 Find All, 2 Replace All.
    int Action = 0;

    void Button1Click(TObject* Sender);
    void Button3Click(TObject* Sender);
    void Button4Click(TObject* Sender);
    void HTMLCheckClick(TObject* Sender);

private:
    void BuildControls();
};

extern TFindReplaceForm* FindReplaceForm;

// The stored kind of files ("FindType"): true for all text files, false for HTML only.
bool StoredFindTypeIsText();
