// The application buttons: their command lines, their definitions in the registry and their
// set-up dialog.

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
#include "site/FilePane.h"
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

// Read as the window is created: the splash screen says so.
void TAppButtons::ReadSettings() {
    Form.ShowSplashProgress("Setting up application buttons...");
    TRegistry reg;
    bool opened = reg.OpenKey(ProductSubKey("Apps"), false);
    for (int i = 0; i < Form.AppButtonCount; ++i) {
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
        Form.TagButtons->AppButtons[i]->SetHint(AppHints[i]);
    }
    for (int i = 0; i < Form.AppButtonCount; ++i)
        SetUpAppButton(i);
}

void TAppButtons::SetUpAppButton(int index) {
    TQmToolbarButton* button = Form.TagButtons->AppButtons[index];
    if (!AppButtonGlyphs[index].empty() && !FileExists(AppButtonGlyphs[index]))
        AppButtonGlyphs[index].clear();
    if (!AppButtonGlyphs[index].empty()) {
        Form.LoadButtonGlyph(button, AppButtonGlyphs[index]);
        button->SetCaption("");
    } else if (!AppButtonTexts[index].empty()) {
        button->SetCaption(AppButtonTexts[index]);
        button->Font().SetName("Small Fonts");
        button->Font().SetStyle({});
    }
}

void TAppButtons::Bind() {
    for (TQmToolbarButton* button : Form.TagButtons->AppButtons) {
        button->OnClick = Handler(this, &TAppButtons::AppButton1Click);
        button->OnMouseDown = Handler(this, &TAppButtons::AppButton1MouseDown);
    }
}

void TAppButtons::AppButton1MouseDown(TObject* /*Sender*/, TMouseButton /*Button*/,
                                      TShiftState Shift, int /*X*/, int /*Y*/) {
    Form.LastShiftState = Shift;
}

void TAppButtons::AppButton1Click(TObject* Sender) {
    if (Form.HandleHelpPointer(HelpContexts::AppButton1Click))
        return;
    int index = static_cast<TComponent*>(Sender)->Tag();
    if (!Form.LastShiftState.Contains(ssCtrl) && !AppCmdLines[index].empty())
        RunAppCommand(index);
    else
        SetUpAppCommand(index);
}

// The program gets each argument whole and no shell reads the line, so a page path with blanks
// or shell characters reaches it as it is. On this system a path has no short form.
void TAppButtons::RunAppCommand(int index) {
    const String path = Form.ActiveFileName();
    std::vector<String> arguments = AppCommandArguments(
        AppCmdLines[index], {path, path, FileURL(path), SelectedFilesWithFolder()});
    if (arguments.empty())
        return;
    String program = arguments.front();
    arguments.erase(arguments.begin());
    StartProgram(program, arguments);
}

String TAppButtons::SelectedFilesWithFolder() const {
    String folder = IncludeTrailingPathDelimiter(Form.FilePane->FileListBox1->Directory());
    String files;
    for (int i : Form.FilePane->SelectedFileIndexes())
        files += (files.empty() ? "" : ";") + folder + Form.FilePane->FileListBox1->Items()[i];
    return files;
}

void TAppButtons::SetUpAppCommand(int index) {
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
    if (!AppButtonGlyphs[index].empty() && FileExists(AppButtonGlyphs[index])) {
        Form.LoadButtonGlyph(dialog->GlyphButton, AppButtonGlyphs[index]);
        dialog->NameStoredGlyph(AppButtonGlyphs[index]);
    } else
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

void TAppButtons::ShowAppButtonDefinition(int index) {
    TQmToolbarButton* button = Form.TagButtons->AppButtons[index];
    button->SetHint(AppHints[index]);
    button->SetCaption(AppButtonTexts[index]);
    if (!AppButtonGlyphs[index].empty() && FileExists(AppButtonGlyphs[index])) {
        Form.LoadButtonGlyph(button, AppButtonGlyphs[index]);
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
