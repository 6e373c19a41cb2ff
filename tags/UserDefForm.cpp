#include "tags/UserDefForm.h"

#include "platform/Buttons.h"
#include "platform/CommonDialogs.h"
#include "platform/Events.h"
#include "platform/FileUtils.h"
#include "platform/Graphics.h"
#include "platform/ShellApi.h"
#include "platform/StdCtrls.h"
#include "tags/DialogLayout.h"
#include "widgets/IconCtls.h"

THTMLEUserDefForm* HTMLEUserDefForm = nullptr;

namespace {

const int GlyphSize = 16;

TLabel* AddNote(TForm* form, const String& name, const String& caption, int left, int top,
                int width) {
    auto* label = NewControl<TLabel>(form, form, name, left, top, width, 13);
    label->SetCaption(caption);
    return label;
}

TButton* AddButton(TForm* form, const String& name, const String& caption, int left, int top,
                   int width) {
    auto* button = NewControl<TButton>(form, form, name, left, top, width, 25);
    button->SetCaption(caption);
    return button;
}

} // namespace

THTMLEUserDefForm::THTMLEUserDefForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("HTMLEUserDefForm");
        SetCaption("Quiltmarker - User Definition");
        SetBorderStyle(bsDialog);
        SetBorderIcons({biSystemMenu});
        SetClientWidth(480);
        SetClientHeight(356);
        BuildControls();
    });
}

THTMLEUserDefForm::~THTMLEUserDefForm() = default;

void THTMLEUserDefForm::BuildControls() {
    BeforeEdit = NewControl<TMemo>(this, this, "BeforeEdit", 8, 24, 464, 70);
    AddNote(this, "BeforeLabel", "Text before selection", 8, 8, 200)->SetFocusControl(BeforeEdit);
    AfterEdit = NewControl<TMemo>(this, this, "AfterEdit", 8, 116, 464, 70);
    AddNote(this, "AfterLabel", "Text after selection", 8, 100, 200)->SetFocusControl(AfterEdit);
    HintEdit =
        AddLabelledBox<TEdit>(this, this, "HintEdit", "HintLabel", "Button Hint", 8, 192, 200);
    ButtonTextEdit = AddLabelledBox<TEdit>(this, this, "ButtonTextEdit", "ButtonTextLabel",
                                           "Button Text", 220, 192, 70);
    ButtonTextEdit->SetMaxLength(7);
    ButtonTextEdit->OnChange = Handler(this, &THTMLEUserDefForm::ButtonTextEditChange);
    TextButton = AddButton(this, "TextButton", "", 296, 206, 40);
    TextButton->Font().SetName("Small Fonts");
    AddNote(this, "ButtonTextNote", "(Do not normally use more than 4 characters)", 220, 232, 252);

    AddNote(this, "GlyphLabel", "Glyph", 8, 252, 40);
    GlyphButton = NewControl<TSpeedButton>(this, this, "GlyphButton", 8, 268, 25, 25);
    GlyphEdit = NewControl<TEdit>(this, this, "GlyphEdit", 38, 270, 250, 21);
    // Only Delete icon clears the picture: a path typed here would not be a picture made.
    GlyphEdit->SetReadOnly(true);
    GlyphBrowseButton = AddButton(this, "GlyphBrowseButton", "...", 292, 268, 23);
    GlyphBrowseButton->OnClick = Handler(this, &THTMLEUserDefForm::GlyphBrowseButtonClick);
    IconComboBox1 = NewControl<TIconComboBox>(this, this, "IconComboBox1");
    IconComboBox1->SetLeft(320);
    IconComboBox1->SetTop(262);
    IconComboBox1->SetVisible(false);
    IconComboBox1->OnClick = Handler(this, &THTMLEUserDefForm::IconComboBox1Click);
    DeleteIconButton = AddButton(this, "DeleteIconButton", "Delete icon", 386, 268, 86);
    DeleteIconButton->OnClick = Handler(this, &THTMLEUserDefForm::DeleteIconButtonClick);
    AddNote(this, "GlyphNote",
            "Note: If a glyph is specified it will take precedence over the button text", 8, 304,
            464);
    OpenDialog = NewComponent<TOpenDialog>(this, "OpenDialog");

    DeleteButton = AddButton(this, "DeleteButton", "&Delete", 8, 324, 75);
    DeleteButton->OnClick = Handler(this, &THTMLEUserDefForm::DeleteButtonClick);
    OKButto = AddButton(this, "OKButto", "OK", 316, 324, 75);
    OKButto->SetDefault(true);
    OKButto->SetModalResult(mrOk);
    CancelButton = AddButton(this, "CancelButton", "Cancel", 397, 324, 75);
    CancelButton->SetCancel(true);
    CancelButton->SetModalResult(mrCancel);
}

void THTMLEUserDefForm::ButtonTextEditChange(TObject* /*Sender*/) {
    TextButton->SetCaption(ButtonTextEdit->Text());
}

// A picture that cannot be read shows nothing, but its path stays, so that OK keeps it.
void THTMLEUserDefForm::ShowGlyphFile(const String& fileName) {
    if (fileName.empty() || !FileExists(fileName))
        return;
    GlyphEdit->SetText(fileName);
    try {
        GlyphButton->Glyph().LoadFromFile(fileName);
    } catch (const Exception&) {
        ClearGlyph();
    }
}

String THTMLEUserDefForm::ButtonGlyphPath() const {
    return ProgramFolder() + "userbmp" + IntToStr(ButtonNumber) + ".bmp";
}

void THTMLEUserDefForm::GlyphBrowseButtonClick(TObject* /*Sender*/) {
    OpenDialog->SetFilter("Icon files (*.exe;*.dll;*.ico)|*.exe;*.dll;*.ico|All files (*.*)|*.*");
    if (!OpenDialog->Execute())
        return;
    const String fileName = OpenDialog->FileName();
    GlyphEdit->SetText(fileName);
    IconComboBox1->SetFileName(fileName);
    IconComboBox1->SetVisible(IconComboBox1->NumberOfIcons() > 1);
    MakeGlyphFromFile(fileName);
}

void THTMLEUserDefForm::MakeGlyphFromFile(const String& fileName) {
    TBitmap icon;
    if (!SHGetFileIcon(fileName, GlyphSize, icon)) {
        MessageBox(Handle(), "There is no icon to be had from \"" + fileName + "\".", "Quiltmarker",
                   MB_OK | MB_ICONERROR);
        return;
    }
    UseIconAsGlyph(icon);
}

void THTMLEUserDefForm::IconComboBox1Click(TObject* /*Sender*/) {
    TBitmap icon;
    if (ExtractIcon(IconComboBox1->FileName(), IconComboBox1->ItemIndex(), GlyphSize, icon))
        UseIconAsGlyph(icon);
}

void THTMLEUserDefForm::UseIconAsGlyph(TBitmap& icon) {
    FNewGlyph = std::make_unique<TBitmap>();
    FNewGlyph->SetSize(GlyphSize, GlyphSize);
    TCanvas& canvas = FNewGlyph->Canvas();
    canvas.Brush().SetColor(clBtnFace);
    canvas.FillRect(Rect(0, 0, GlyphSize, GlyphSize));
    canvas.Draw(0, 0, icon);
    FDeleteGlyphFile = false;
    GlyphFileName = ButtonGlyphPath();
    GlyphEdit->SetText(GlyphFileName);
    GlyphButton->Glyph().Assign(*FNewGlyph);
    GlyphButton->Invalidate();
}

void THTMLEUserDefForm::ClearGlyph() {
    TBitmap none;
    GlyphButton->Glyph().Assign(none);
    GlyphButton->Invalidate();
}

// The file stays: only the button lets go of it.
void THTMLEUserDefForm::DeleteIconButtonClick(TObject* /*Sender*/) {
    ClearGlyph();
    FNewGlyph.reset();
    GlyphEdit->SetText("");
    GlyphFileName = "";
}

void THTMLEUserDefForm::DeleteButtonClick(TObject* /*Sender*/) {
    for (TWinControl* edit : std::initializer_list<TWinControl*>{BeforeEdit, AfterEdit, HintEdit,
                                                                 GlyphEdit, ButtonTextEdit})
        edit->SetText("");
    ClearGlyph();
    IconComboBox1->SetVisible(false);
    FNewGlyph.reset();
    FDeleteGlyphFile = true;
    GlyphFileName = "";
}

bool THTMLEUserDefForm::CommitGlyphFile(const String& storedGlyph) {
    try {
        const String target = ButtonGlyphPath();
        if (FNewGlyph) {
            // Written beside the old picture and put in its place whole.
            const String temporary = GetTempFileName(ExtractFilePath(target), "ubm");
            try {
                FNewGlyph->SaveToFile(temporary);
                if (!RenameFile(temporary, target))
                    throw EFCreateError("Cannot create file \"" + target + "\".");
            } catch (...) {
                DeleteFile(temporary);
                throw;
            }
        } else if (FDeleteGlyphFile && FileExists(target) && !DeleteFile(target)) {
            throw EFCreateError("Cannot delete file \"" + target + "\".");
        }
    } catch (const Exception& e) {
        MessageBox(Handle(), "The button's picture could not be changed:\r\n" + e.Message(),
                   "Quiltmarker", MB_OK | MB_ICONERROR);
        GlyphFileName = storedGlyph;
        return false;
    }
    return true;
}
