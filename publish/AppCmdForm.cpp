#include "publish/AppCmdForm.h"

#include "editor/DialogGuard.h"
#include "platform/CommonDialogs.h"
#include "platform/Events.h"
#include "platform/ExtCtrls.h"
#include "platform/FileUtils.h"
#include "platform/Processes.h"
#include "platform/ShellApi.h"
#include "platform/StdCtrls.h"
#include "widgets/IconCtls.h"
#include "widgets/QmToolbars.h"

TAppCmdForm* AppCmdForm = nullptr;

namespace {

constexpr int GlyphSize = 16;

const char* const PlaceholderHelp[] = {
    "'%1' - inserts current document path and name into command line",
    "'%s1' - as for %1 but inserts short file name/path (e.g. 8.3 format)",
    "'%2' - inserts current path and filename in HTML format (eg file:///c|\\page.htm)",
    "'%3' - inserts path and filename of selected files into command line",
};

TLabel* AddLabel(TForm* form, const String& name, const String& caption, int left, int top) {
    auto* label = NewControl<TLabel>(form, form, name, left, top, 200, 13);
    label->SetCaption(caption);
    return label;
}

TButton* AddButton(TForm* form, const String& name, const String& caption, int left, int top,
                   int width) {
    auto* button = NewControl<TButton>(form, form, name, left, top, width, 25);
    button->SetCaption(caption);
    return button;
}

// A program path with blanks is quoted, so that the command line still reads it as one.
String CommandLinePath(const String& path) {
    return path.find_first_of(" \t") == String::npos ? path : "\"" + path + "\"";
}

// Asks for a file through a dialog of its own; "" when the user cancelled.
String ChooseFile(TComponent* owner, const String& filter, const String& initialDir) {
    TOpenDialog dialog(owner);
    dialog.SetFilter(filter);
    dialog.SetInitialDir(initialDir);
    return dialog.Execute() ? dialog.FileName() : String();
}

} // namespace

TAppCmdForm::TAppCmdForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("AppCmdForm");
        SetCaption("Quiltmarker - Application Command Line");
        SetBorderStyle(bsDialog);
        SetBorderIcons({biSystemMenu});
        SetClientWidth(430);
        SetClientHeight(330);
        BuildControls();
        BuildGlyphControls();
        BuildButtons();
        OnShow = Handler(this, &TAppCmdForm::FormShow);
    });
}

TAppCmdForm::~TAppCmdForm() {
    DiscardPendingGlyph();
}

void TAppCmdForm::BuildControls() {
    AppNumLabel = AddLabel(this, "AppNumLabel", "Application", 8, 8);
    CmdLineLabel = AddLabel(this, "CmdLineLabel", "Command Line", 8, 28);
    CmdLineEdit = NewControl<TEdit>(this, this, "CmdLineEdit", 8, 44, 330, 21);
    BrowseButton = AddButton(this, "BrowseButton", "Browse", 346, 42, 75);
    BrowseButton->OnClick = Handler(this, &TAppCmdForm::BrowseButtonClick);
    DescLabel = AddLabel(this, "DescLabel", "Description (Hint)", 8, 72);
    DescEdit = NewControl<TEdit>(this, this, "DescEdit", 8, 88, 330, 21);
    ButtonTextLabel = AddLabel(this, "ButtonTextLabel", "Button Text", 8, 116);
    ButtonTextEdit = NewControl<TEdit>(this, this, "ButtonTextEdit", 8, 132, 80, 21);
    ButtonTextEdit->OnChange = Handler(this, &TAppCmdForm::ButtonTextEditChange);
    TextButton = NewControl<TQmToolbarButton>(this, this, "TextButton", 96, 130, 25, 25);
    TextButton->SetCaption("");
    ButtonTextNote =
        AddLabel(this, "ButtonTextNote", "(Do not normally use more than 4 characters)", 130, 136);
    Memo1 = NewControl<TMemo>(this, this, "Memo1", 8, 256, 414, 66);
    Memo1->SetReadOnly(true);
    for (const char* line : PlaceholderHelp)
        Memo1->Lines().Add(line);
}

void TAppCmdForm::BuildGlyphControls() {
    GlyphLabel = AddLabel(this, "GlyphLabel", "Glyph (Icon)", 8, 160);
    GlyphEdit = NewControl<TEdit>(this, this, "GlyphEdit", 8, 176, 250, 21);
    GlyphBrowseButton = AddButton(this, "GlyphBrowseButton", "Browse", 266, 174, 75);
    GlyphBrowseButton->OnClick = Handler(this, &TAppCmdForm::GlyphBrowseButtonClick);
    GlyphButton = NewControl<TQmToolbarButton>(this, this, "GlyphButton", 346, 174, 25, 25);
    GlyphNote = AddLabel(
        this, "GlyphNote",
        "(If an icon is specified, this will be used in preference to the  Button Text)", 8, 202);
    IconComboBox1 = NewControl<TIconComboBox>(this, this, "IconComboBox1");
    IconComboBox1->SetLeft(372);
    IconComboBox1->SetTop(160);
    IconComboBox1->SetVisible(false);
    IconComboBox1->OnClick = Handler(this, &TAppCmdForm::IconComboBox1Click);
    Image1 = NewControl<TImage>(this, this, "Image1", 0, 0, GlyphSize, GlyphSize);
    Image1->SetVisible(false);
    InvisButton = NewControl<TQmToolbarButton>(this, this, "InvisButton", 0, 0, 25, 25);
    InvisButton->SetVisible(false);
}

void TAppCmdForm::BuildButtons() {
    DeleteIconButton = AddButton(this, "DeleteIconButton", "Delete Icon", 8, 222, 80);
    DeleteIconButton->OnClick = Handler(this, &TAppCmdForm::DeleteIconButtonClick);
    DeleteButton = AddButton(this, "DeleteButton", "&Delete", 96, 222, 75);
    DeleteButton->OnClick = Handler(this, &TAppCmdForm::DeleteButtonClick);
    OKButton = AddButton(this, "OKButton", "OK", 266, 222, 75);
    OKButton->SetDefault(true);
    OKButton->SetModalResult(mrOk);
    OKButton->OnClick = Handler(this, &TAppCmdForm::OKButtonClick);
    CancelButton = AddButton(this, "CancelButton", "Cancel", 346, 222, 75);
    CancelButton->SetCancel(true);
    CancelButton->SetModalResult(mrCancel);
    CancelButton->OnClick = Handler(this, &TAppCmdForm::CancelButtonClick);
}

void TAppCmdForm::FormShow(TObject* /*Sender*/) {
    KeepFormOnScreen(this);
}

void TAppCmdForm::OKButtonClick(TObject* /*Sender*/) {
    SetModalResult(mrOk);
}

void TAppCmdForm::CancelButtonClick(TObject* /*Sender*/) {
    SetModalResult(mrCancel);
}

void TAppCmdForm::ButtonTextEditChange(TObject* /*Sender*/) {
    TextButton->SetCaption(ButtonTextEdit->Text());
}

void TAppCmdForm::BrowseButtonClick(TObject* /*Sender*/) {
    String fileName =
        ChooseFile(this, "Executable files (*.exe)|*.exe|All files (*.*)|*.*", String());
    if (fileName.empty())
        return;
    CmdLineEdit->SetText(CommandLinePath(fileName));
    GlyphEdit->SetText(fileName);
    SetGlyphFromFile(fileName);
}

void TAppCmdForm::GlyphBrowseButtonClick(TObject* /*Sender*/) {
    String initialDir;
    std::vector<String> command = SplitCommandLine(CmdLineEdit->Text());
    if (!command.empty())
        initialDir = ExtractFilePath(command.front());
    String fileName = ChooseFile(
        this, "Icon files (*.exe;*.dll;*.ico)|*.exe;*.dll;*.ico|All files (*.*)|*.*", initialDir);
    if (fileName.empty())
        return;
    GlyphEdit->SetText(fileName);
    IconComboBox1->SetFileName(fileName);
    IconComboBox1->SetVisible(IconComboBox1->NumberOfIcons() > 1);
    SetGlyphFromFile(fileName);
}

void TAppCmdForm::SetGlyphFromFile(const String& fileName) {
    TBitmap icon;
    bool found = SHGetFileIcon(fileName, GlyphSize, icon);
    String upper = UpperCase(fileName);
    if (Pos(".EXE", upper) > 0 || Pos(".DLL", upper) > 0) {
        IconComboBox1->SetFileName(fileName);
        IconComboBox1->SetVisible(IconComboBox1->NumberOfIcons() > 1);
    }
    SaveGlyph(found ? &icon : nullptr);
}

void TAppCmdForm::IconComboBox1Click(TObject* /*Sender*/) {
    TBitmap icon;
    bool found =
        ExtractIcon(IconComboBox1->FileName(), IconComboBox1->ItemIndex(), GlyphSize, icon);
    SaveGlyph(found ? &icon : nullptr);
}

void TAppCmdForm::DeleteIconButtonClick(TObject* /*Sender*/) {
    ClearGlyphPreview();
    GlyphEdit->SetText("");
    GlyphFileName.clear();
    DiscardPendingGlyph();
}

void TAppCmdForm::DeleteButtonClick(TObject* /*Sender*/) {
    for (TEdit* edit : {CmdLineEdit, DescEdit, ButtonTextEdit, GlyphEdit})
        edit->SetText("");
    TextButton->SetCaption("");
    GlyphButton->SetGlyph(nullptr);
    IconComboBox1->SetVisible(false);
    DiscardPendingGlyph();
    FDeleteGlyphOnOK = true;
    GlyphFileName.clear();
}

void TAppCmdForm::NameStoredGlyph(const String& fileName) {
    GlyphEdit->SetText(fileName);
    GlyphFileName = fileName;
}

void TAppCmdForm::ApplyGlyphChanges() {
    if (!FPendingGlyph.empty()) {
        WriteFileAtomic(ButtonGlyphPath(), ReadFileBytes(FPendingGlyph));
        DiscardPendingGlyph();
    } else if (FDeleteGlyphOnOK) {
        DeleteFile(ButtonGlyphPath());
    }
    FDeleteGlyphOnOK = false;
}

String TAppCmdForm::ButtonGlyphPath() const {
    return ProgramFolder() + "appbmp" + IntToStr(AppButtonNumber) + ".bmp";
}

// The picture waits in a temporary file of the program folder until OK puts it in the glyph
// file's place.
void TAppCmdForm::SaveGlyph(TBitmap* icon) {
    TBitmap& glyph = Image1->Picture().Bitmap();
    glyph.SetSize(GlyphSize, GlyphSize);
    glyph.Canvas().Brush().SetColor(clBtnFace);
    glyph.Canvas().FillRect(Rect(0, 0, GlyphSize, GlyphSize));
    if (icon)
        glyph.Canvas().Draw(0, 0, *icon);
    DiscardPendingGlyph();
    FPendingGlyph = GetTempFileName(ProgramFolder(), "appbmp");
    glyph.SaveToFile(FPendingGlyph);
    FDeleteGlyphOnOK = false;
    GlyphFileName = ButtonGlyphPath();
    GlyphButton->SetGlyph(&glyph);
}

void TAppCmdForm::DiscardGlyphChanges() {
    DiscardPendingGlyph();
    FDeleteGlyphOnOK = false;
}

void TAppCmdForm::DiscardPendingGlyph() {
    if (!FPendingGlyph.empty())
        DeleteFile(FPendingGlyph);
    FPendingGlyph.clear();
}

void TAppCmdForm::ClearGlyphPreview() {
    GlyphButton->SetGlyph(&InvisButton->Glyph());
}
