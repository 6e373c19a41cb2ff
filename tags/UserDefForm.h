#pragma once
// The editor of a user-defined tag button: the texts it puts around the selection, its caption
// or picture, and its hint. A picture the user chooses, or the removal of the button's picture
// file, reaches the disk only when the editor is closed with OK.

#include "platform/Forms.h"

#include <memory>

class TBitmap;
class TButton;
class TEdit;
class TIconComboBox;
class TMemo;
class TOpenDialog;
class TSpeedButton;

class THTMLEUserDefForm : public TForm {
public:
    explicit THTMLEUserDefForm(TComponent* AOwner);
    ~THTMLEUserDefForm() override;

    TMemo* BeforeEdit = nullptr;
    TMemo* AfterEdit = nullptr;
    TEdit* HintEdit = nullptr;
    TEdit* ButtonTextEdit = nullptr;
    TButton* TextButton = nullptr;
    TSpeedButton* GlyphButton = nullptr;
    TEdit* GlyphEdit = nullptr;
    TButton* GlyphBrowseButton = nullptr;
    TIconComboBox* IconComboBox1 = nullptr;
    TButton* DeleteIconButton = nullptr;
    TButton* DeleteButton = nullptr;
    TButton* OKButto = nullptr;
    TButton* CancelButton = nullptr;
    TOpenDialog* OpenDialog = nullptr;

    // The button being defined, 1 to 16.
    int ButtonNumber = 0;
    // The picture file that OK stores for the button; "" for none.
    String GlyphFileName;

    // The stored picture file, shown when it can be read.
    void ShowGlyphFile(const String& fileName);
    // Where the button's picture is kept: "userbmp" + N + ".bmp" in the program folder.
    String ButtonGlyphPath() const;
    // On OK: writes the picture chosen meanwhile, or deletes the file after Delete. False when
    // that failed: it has been reported, the old file is as it was, and GlyphFileName names it
    // again.
    bool CommitGlyphFile(const String& storedGlyph);

    void ButtonTextEditChange(TObject* Sender);
    void GlyphBrowseButtonClick(TObject* Sender);
    void MakeGlyphFromFile(const String& fileName);
    void IconComboBox1Click(TObject* Sender);
    void DeleteIconButtonClick(TObject* Sender);
    void DeleteButtonClick(TObject* Sender);

private:
    void BuildControls();
    // The icon, 16 pixels square over the button face, becomes the picture waiting for OK.
    void UseIconAsGlyph(TBitmap& icon);
    void ClearGlyph();

    std::unique_ptr<TBitmap> FNewGlyph;
    bool FDeleteGlyphFile = false;
};

extern THTMLEUserDefForm* HTMLEUserDefForm;
