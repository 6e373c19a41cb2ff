// The sixteen application buttons of the tag bar's Apps page: each starts a program of the
// user's choice with the page or the selected files on its command line, and is set up through
// its dialog.

#include "publish/AppButtons.h"

#include "editor/CorvaletForm.h"
#include "editor/DialogGuard.h"
#include "editor/HelpPointer.h"
#include "platform/Events.h"
#include "platform/FileListBox.h"
#include "platform/FileUtils.h"
#include "platform/Processes.h"
#include "platform/Registry.h"
#include "platform/StdCtrls.h"
#include "publish/AppCmdForm.h"
#include "services/ProgramSettings.h"
#include "tags/HTMLGlobal.h"
#include "tags/TagButtons.h"
#include "widgets/QmToolbars.h"

namespace {

// Replaces the placeholder's first occurrence in the first argument that holds it.
void PutInFirst(std::vector<String>& arguments, const String& placeholder, const String& value) {
    for (String& argument : arguments) {
        String::size_type at = argument.find(placeholder);
        if (at != String::npos) {
            argument.replace(at, placeholder.size(), value);
            return;
        }
    }
}

void WriteAppDefinition(int index, const String& commandLine, const String& hint,
                        const String& glyph, const String& text) {
    TRegistry reg;
    if (!reg.OpenKey(ProductSubKey("Apps"), true))
        return;
    String number = IntToStr(index);
    reg.WriteString("AppCmdLine" + number, commandLine);
    reg.WriteString("AppHint" + number, hint);
    reg.WriteString("ButtonGlyph" + number, glyph);
    reg.WriteString("ButtonText" + number, text);
}

} // namespace

std::vector<String> AppCommandArguments(const String& commandLine, const TAppPlaceholders& values) {
    std::vector<String> arguments = SplitCommandLine(commandLine);
    std::vector<bool> written;
    for (const String& argument : arguments)
        written.push_back(!argument.empty());
    PutInFirst(arguments, "%s1", values.ShortPath);
    PutInFirst(arguments, "%1", values.Path);
    PutInFirst(arguments, "%2", values.Url);
    PutInFirst(arguments, "%3", values.SelectedFiles);
    // A placeholder that stood alone for nothing leaves no argument, as it leaves no word.
    std::vector<String> kept;
    for (std::size_t i = 0; i < arguments.size(); ++i)
        if (!arguments[i].empty() || !written[i])
            kept.push_back(arguments[i]);
    return kept;
}

// A step of the window's creation: the definitions stored for the buttons, and the buttons showing
// them.
void THTMLEMainForm::ReadAppButtons() {
    ShowSplashProgress("Setting up application buttons...");
    TRegistry reg;
    bool opened = reg.OpenKey(ProductSubKey("Apps"), false);
    for (int i = 0; i < AppButtonCount; ++i) {
        AppCmdLines[i].clear();
        AppHints[i].clear();
        AppButtonGlyphs[i].clear();
        AppButtonTexts[i].clear();
        if (opened) {
            ReadSetting(reg, "AppCmdLine" + IntToStr(i), AppCmdLines[i]);
            ReadSetting(reg, "AppHint" + IntToStr(i), AppHints[i]);
            ReadSetting(reg, "ButtonGlyph" + IntToStr(i), AppButtonGlyphs[i]);
            ReadSetting(reg, "ButtonText" + IntToStr(i), AppButtonTexts[i]);
        }
        TagButtons->AppButtons[i]->SetHint(AppHints[i]);
    }
    for (int i = 0; i < AppButtonCount; ++i)
        SetUpAppButton(i);
}

void THTMLEMainForm::SetUpAppButton(int index) {
    TQmToolbarButton* button = TagButtons->AppButtons[index];
    if (!AppButtonGlyphs[index].empty() && !FileExists(AppButtonGlyphs[index]))
        AppButtonGlyphs[index].clear();
    if (!AppButtonGlyphs[index].empty()) {
        LoadButtonGlyph(button, AppButtonGlyphs[index]);
        button->SetCaption("");
    } else if (!AppButtonTexts[index].empty()) {
        button->SetCaption(AppButtonTexts[index]);
        button->Font().SetName("Small Fonts");
        button->Font().SetStyle({});
    }
}

void THTMLEMainForm::BindAppButtons() {
    for (TQmToolbarButton* button : TagButtons->AppButtons) {
        button->OnClick = Handler(this, &THTMLEMainForm::AppButton1Click);
        button->OnMouseDown = Handler(this, &THTMLEMainForm::AppButton1MouseDown);
    }
}

void THTMLEMainForm::AppButton1MouseDown(TObject* /*Sender*/, TMouseButton /*Button*/,
                                         TShiftState Shift, int /*X*/, int /*Y*/) {
    LastShiftState = Shift;
}

void THTMLEMainForm::AppButton1Click(TObject* Sender) {
    if (HandleHelpPointer(HelpContexts::AppButton1Click))
        return;
    int index = static_cast<TComponent*>(Sender)->Tag();
    if (!LastShiftState.Contains(ssCtrl) && !AppCmdLines[index].empty())
        RunAppCommand(index);
    else
        SetUpAppCommand(index);
}

// The program gets each argument whole and no shell reads the line, so a page path with blanks
// or shell characters reaches it as it is. On this system a path has no short form.
void THTMLEMainForm::RunAppCommand(int index) {
    const String path = ActiveFileName();
    std::vector<String> arguments = AppCommandArguments(
        AppCmdLines[index], {path, path, FileURL(path), SelectedFilesWithFolder()});
    if (arguments.empty())
        return;
    String program = arguments.front();
    arguments.erase(arguments.begin());
    StartProgram(program, arguments);
}

String THTMLEMainForm::SelectedFilesWithFolder() const {
    String folder = IncludeTrailingPathDelimiter(FileListBox1->Directory());
    String files;
    for (int i : SelectedFileIndexes())
        files += (files.empty() ? "" : ";") + folder + FileListBox1->Items()[i];
    return files;
}

void THTMLEMainForm::SetUpAppCommand(int index) {
    TDialogGuard<TAppCmdForm> dialog(AppCmdForm, TButtonLook::FromSetting);
    if (!dialog)
        return;
    const int number = index + 1;
    dialog->AppNumLabel->SetCaption("Application " + IntToStr(number));
    dialog->AppButtonNumber = number;
    dialog->CmdLineEdit->SetText(AppCmdLines[index]);
    dialog->DescEdit->SetText(AppHints[index]);
    dialog->ButtonTextEdit->SetText(AppButtonTexts[index]);
    dialog->GlyphEdit->SetText("");
    dialog->GlyphFileName.clear();
    if (!AppButtonGlyphs[index].empty() && FileExists(AppButtonGlyphs[index]))
        dialog->ShowStoredGlyph(AppButtonGlyphs[index]);
    else
        dialog->GlyphButton->SetGlyph(&dialog->InvisButton->Glyph());
    if (dialog.ShowModal() != mrOk) {
        dialog->DiscardGlyphChanges();
        return;
    }
    dialog->ApplyGlyphChanges();
    AppCmdLines[index] = dialog->CmdLineEdit->Text();
    AppHints[index] = dialog->DescEdit->Text();
    AppButtonTexts[index] = dialog->ButtonTextEdit->Text();
    AppButtonGlyphs[index] = dialog->GlyphEdit->Text().empty() ? String() : dialog->GlyphFileName;
    ShowAppButtonDefinition(index);
    WriteAppDefinition(index, AppCmdLines[index], AppHints[index], AppButtonGlyphs[index],
                       AppButtonTexts[index]);
}

void THTMLEMainForm::ShowAppButtonDefinition(int index) {
    TQmToolbarButton* button = TagButtons->AppButtons[index];
    button->SetHint(AppHints[index]);
    button->SetCaption(AppButtonTexts[index]);
    if (!AppButtonGlyphs[index].empty() && FileExists(AppButtonGlyphs[index])) {
        LoadButtonGlyph(button, AppButtonGlyphs[index]);
        button->SetCaption("");
    } else {
        button->SetGlyph(nullptr);
    }
    if (AppCmdLines[index].empty()) {
        button->Font().SetName("MS Sans Serif");
        button->Font().SetStyle(fsBold);
        button->SetCaption(IntToStr(index + 1));
        button->SetGlyph(nullptr);
    } else {
        button->Font().SetName("Small Fonts");
        button->Font().SetStyle({});
    }
}
