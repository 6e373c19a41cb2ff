#pragma once
// The Text Files dialog: the extensions of the files that open as text, kept in the registry as
// "1", "2"... under the product's "Text Files" key.

#include "platform/Forms.h"

#include <vector>

class TLabel;
class TListBox;
class TEdit;
class TButton;

class TTextFilesForm : public TForm {
public:
    explicit TTextFilesForm(TComponent* AOwner);

    TLabel* Label1 = nullptr;
    TListBox* ListBox1 = nullptr;
    TEdit* AddEdit = nullptr;
    TButton* AddButton = nullptr;
    TButton* DeleteButton = nullptr;
    TButton* OKButton = nullptr;
    TButton* CancelButton = nullptr;

    void ShowExtensions(const std::vector<String>& extensions);
    std::vector<String> Extensions() const;

    void AddEditChange(TObject* Sender);
    void AddButtonClick(TObject* Sender);
    void ListBox1Click(TObject* Sender);
    void DeleteButtonClick(TObject* Sender);
    void ListBox1KeyPress(TObject* Sender, char& Key);

private:
    void BuildControls();
};

extern TTextFilesForm* TextFilesForm;

// What the main window treats as text when no list is stored.
extern const char* const DefaultTextFileExtensions;
// The stored extensions, up to the first missing number.
std::vector<String> StoredTextFileTypes();
// The same, or the defaults when none is stored.
std::vector<String> ReadTextFileTypes();
// Replaces the stored list; gives the extensions each followed by one blank, as the main window
// keeps them.
String WriteTextFileTypes(const std::vector<String>& extensions);
