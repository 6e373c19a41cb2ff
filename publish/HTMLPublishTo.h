#pragma once
// The publish-folder dialog: chooses the folder the Publish command publishes into, from the
// recent publish folders or the folder browser, and opens the publisher window for the rest.

#include "platform/Forms.h"

class TLabel;
class TComboBox;
class TButton;
class TQmToolbarButton;
class TFolderBrowse;

class THTMLPublishToForm : public TForm {
public:
    explicit THTMLPublishToForm(TComponent* AOwner);

    static constexpr int MaxFolders = 24;

    TLabel* FolderLabel = nullptr;
    TComboBox* PublishTo = nullptr;
    TQmToolbarButton* PubFileNameButton = nullptr;
    TButton* SetupButton = nullptr;
    TButton* OKButton = nullptr;
    TButton* CancelButton = nullptr;
    TFolderBrowse* FolderBrowse1 = nullptr;

    // Set by the caller before the dialog is shown: whether a page is open, and its path.
    bool PageInUse = false;
    String PagePath;

    void FormShow(TObject* Sender);
    void PubFileNameButtonClick(TObject* Sender);
    void SetupButtonClick(TObject* Sender);
    void OKButtonClick(TObject* Sender);

private:
    void BuildControls();
};

extern THTMLPublishToForm* HTMLPublishToForm;
