#pragma once
// The one-line input dialog: one value (a path, a folder, a name, a number) asked of the user,
// with optional browsing for a file or a folder.

#include "platform/Forms.h"

class TLabel;
class TEdit;
class TButton;
class TOpenDialog;
class TQmToolbarButton;
class TFolderBrowse;

class TLocationForm : public TForm {
public:
    explicit TLocationForm(TComponent* AOwner);

    TLabel* LocLabelTop = nullptr;
    TLabel* LocLabel = nullptr;
    TEdit* LocEdit = nullptr;
    TQmToolbarButton* BrowseButton = nullptr;
    TQmToolbarButton* DirBrowseButton = nullptr;
    TButton* OKButton = nullptr;
    TButton* CancelButton = nullptr;
    TOpenDialog* OpenDialog = nullptr;
    TFolderBrowse* FolderBrowse1 = nullptr;

    // Where the folder browser starts.
    String StartFolder;
    // Choosing a folder keeps the file-name part of the edit's text.
    bool AppendFileName = false;

    // The decimal number at the start of a typed text, blanks and a sign allowed; 0 without
    // digits.
    static int LeadingNumber(const String& text);

    void OKButtonClick(TObject* Sender);
    void CancelButtonClick(TObject* Sender);
    void BrowseButtonClick(TObject* Sender);
    void DirBrowseButtonClick(TObject* Sender);
    void FormShow(TObject* Sender);

private:
    void BuildControls();
};

extern TLocationForm* LocationForm;
