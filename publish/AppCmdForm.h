#pragma once
// The set-up dialog of an application button: its command line, hint, caption and icon.
//
// The icon chosen here is kept in a temporary file beside the button's glyph file until OK, so
// that Cancel leaves the button's glyph as it was; Delete likewise removes the glyph file only
// on OK.

#include "platform/Forms.h"

class TButton;
class TEdit;
class TImage;
class TLabel;
class TMemo;
class TBitmap;
class TIconComboBox;
class TQmToolbarButton;

class TAppCmdForm : public TForm {
public:
    explicit TAppCmdForm(TComponent* AOwner);
    ~TAppCmdForm() override;

    TLabel* AppNumLabel = nullptr;
    TLabel* CmdLineLabel = nullptr;
    TEdit* CmdLineEdit = nullptr;
    TButton* BrowseButton = nullptr;
    TLabel* DescLabel = nullptr;
    TEdit* DescEdit = nullptr;
    TLabel* ButtonTextLabel = nullptr;
    TLabel* ButtonTextNote = nullptr;
    TEdit* ButtonTextEdit = nullptr;
    TQmToolbarButton* TextButton = nullptr;
    TLabel* GlyphLabel = nullptr;
    TLabel* GlyphNote = nullptr;
    TEdit* GlyphEdit = nullptr;
    TButton* GlyphBrowseButton = nullptr;
    TQmToolbarButton* GlyphButton = nullptr;
    TIconComboBox* IconComboBox1 = nullptr;
    TButton* DeleteIconButton = nullptr;
    TButton* DeleteButton = nullptr;
    TButton* OKButton = nullptr;
    TButton* CancelButton = nullptr;
    TMemo* Memo1 = nullptr;
    TImage* Image1 = nullptr;
    TQmToolbarButton* InvisButton = nullptr;

    int AppButtonNumber = 0;
    // The glyph file the button is to show: "appbmp" + number + ".bmp" in the program folder,
    // empty when none.
    String GlyphFileName;

    void BrowseButtonClick(TObject* Sender);
    void GlyphBrowseButtonClick(TObject* Sender);
    void IconComboBox1Click(TObject* Sender);
    void DeleteIconButtonClick(TObject* Sender);
    void DeleteButtonClick(TObject* Sender);
    void ButtonTextEditChange(TObject* Sender);
    void OKButtonClick(TObject* Sender);
    void CancelButtonClick(TObject* Sender);
    void FormShow(TObject* Sender);

    // Makes the button's glyph from the file's own icon.
    void SetGlyphFromFile(const String& fileName);
    // Names the button's stored glyph file as the dialog opens; the opener has shown its picture
    // on GlyphButton.
    void NameStoredGlyph(const String& fileName);
    // After OK: the icon chosen becomes the button's glyph file, or a deleted definition's glyph
    // file is removed. Nothing on disk changes before this.
    void ApplyGlyphChanges();
    // After Cancel: the icon chosen and a Delete are forgotten.
    void DiscardGlyphChanges();

private:
    void BuildControls();
    void BuildGlyphControls();
    void BuildButtons();
    // The glyph file of this button: "appbmp" + number + ".bmp" in the program folder.
    String ButtonGlyphPath() const;
    // Renders icon (none: an empty picture) at 16 x 16 and keeps it as the chosen glyph.
    void SaveGlyph(TBitmap* icon);
    void DiscardPendingGlyph();
    void ClearGlyphPreview();

    // The chosen icon's picture until OK; empty when none is waiting.
    String FPendingGlyph;
    bool FDeleteGlyphOnOK = false;
};

extern TAppCmdForm* AppCmdForm;
