#pragma once
// The glossary of phrases: a dialog made at start-up that lives for the whole run. Each phrase is
// a file of its own; "glossary.ini" maps the phrases' titles to their files.

#include "platform/Forms.h"

#include <memory>

class TButton;
class TComboBox;
class TLabel;
class TMenuItem;
class TQmDock;
class TQmToolbar;
class TQmToolbarButton;
class TRichEdit;
class TStringList;

class TGlossaryForm : public TForm {
public:
    explicit TGlossaryForm(TComponent* AOwner);
    ~TGlossaryForm() override;

    TLabel* TitleLabel = nullptr;
    TComboBox* GlossaryCombo = nullptr;
    // The phrase being edited; the main window gives it the same tab stops as the pages.
    TRichEdit* GlossaryMemo = nullptr;
    TButton* OKButton = nullptr;
    TQmDock* QmDock1 = nullptr;
    TQmToolbar* QmToolbar1 = nullptr;
    TQmToolbarButton* NewButton = nullptr;
    TQmToolbarButton* SaveButton = nullptr;
    TQmToolbarButton* CutButton = nullptr;
    TQmToolbarButton* CopyButton = nullptr;
    TQmToolbarButton* PasteButton = nullptr;
    TQmToolbarButton* PasteToButton = nullptr;
    TQmToolbarButton* DeleteButton = nullptr;
    TMenuItem* New1 = nullptr;
    TMenuItem* Save1 = nullptr;
    TMenuItem* Exit1 = nullptr;
    TMenuItem* Cut1 = nullptr;
    TMenuItem* Copy1 = nullptr;
    TMenuItem* Paste1 = nullptr;
    TMenuItem* PasteSpecial1 = nullptr;
    TMenuItem* Delete1 = nullptr;

    // The page Paste to Document pastes into; nullptr while no page is open.
    TRichEdit* TargetEditor = nullptr;
    // The full path of "glossary.ini".
    String IniFileName;
    // Where new phrase files are made; the index file's folder when empty.
    String TemplateFolder;
    int TabWidth = 0;
    // The section's titles in file order, those with an empty entry too.
    std::unique_ptr<TStringList> Titles;
    // The list's item chosen when the dialog was last closed with OK.
    int LastItemIndex = 0;

    void FormShow(TObject* Sender);
    void LoadTitles();
    void ShowPhrase(const String& title);
    void GlossaryComboChange(TObject* Sender);
    void New1Click(TObject* Sender);
    void Save1Click(TObject* Sender);
    void Delete1Click(TObject* Sender);
    void Cut1Click(TObject* Sender);
    void Copy1Click(TObject* Sender);
    void Paste1Click(TObject* Sender);
    void PasteSpecial1Click(TObject* Sender);
    void OKButtonClick(TObject* Sender);

private:
    void BuildToolbar();
    void BuildMenu();
    // The phrase file a title's entry names; "" when the entry is missing or empty.
    String PhraseFileOf(const String& title);
    // False when the index file is there but cannot be read: it has been reported, and nothing
    // may be written to it.
    bool IndexReadable();
    // Moves an older registry index into the index file, once; the key goes only when every
    // title reached the file.
    void MoveRegistryIndex();
    // A fresh ".glos" name in the phrase folder that no file has yet; raises when none can be
    // made.
    String NewPhraseFileName() const;
    // True when the phrase and its entry were written; a failure has been reported, and the memo
    // keeps the phrase.
    bool SavePhrase();
    // Loads the phrase file into the memo; false, with the memo as it was, when it cannot be read.
    bool LoadPhraseFile(const String& fileName);
    void EmptyMemo();
    void SetMemoTabStops();
};

extern TGlossaryForm* GlossaryForm;
