#pragma once
// The ISP destinations: the names of the hosts a site is published to, one of which a preview is
// published for, so that replace codes show the variants keyed by that name. Made hidden at
// start-up; the names are read as the dialog is made.

#include "platform/Forms.h"

class TButton;
class TComboBox;
class TPanel;

inline const String ISPFoldersKey = "\\Software\\Olvane\\Quiltmarker\\Publish\\ISPFolders";

class TISPSelectForm : public TForm {
public:
    explicit TISPSelectForm(TComponent* AOwner);

    static constexpr int MaxDestinations = 99;

    void FormCreate(TObject* Sender);
    void OKButtonClick(TObject* Sender);
    void Button1Click(TObject* Sender);
    void AddButtonClick(TObject* Sender);
    void Button2Click(TObject* Sender);
    void ISPComboKeyPress(TObject* Sender, char& Key);
    void Panel2Resize(TObject* Sender);
    void SaveISPWindowPosition();

    TPanel* Panel2 = nullptr;
    TComboBox* ISPCombo = nullptr;
    TPanel* Panel1 = nullptr;
    TButton* Button1 = nullptr;
    TButton* OKButton = nullptr;
    TButton* AddButton = nullptr;
    TButton* Button2 = nullptr;

private:
    void BuildControls();
    void LoadDestinations();
    void LoadWindowPosition();
    void DeleteDestination(int index);
};

extern TISPSelectForm* ISPSelectForm;
