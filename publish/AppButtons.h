#pragma once
// The sixteen application buttons of the tag bar's Apps page: each starts a program of the
// user's choice with the page or the selected files on its command line, and is set up through
// its dialog. The command lines hold placeholders that the program and arguments are made from.

#include "editor/CorvaletForm.h"
#include "editor/MainFormFeature.h"
#include "platform/SysUtils.h"

#include <array>
#include <vector>

// What the placeholders of a command line stand for.
struct TAppPlaceholders {
    String ShortPath;     // "%s1": the page's path in its short form
    String Path;          // "%1": the page's path
    String Url;           // "%2": the page's path as a file URL
    String SelectedFiles; // "%3": the file list's selected files, with their folder, joined by ";"
};

// The command line split into the program and its arguments, then each placeholder ("%s1", "%1",
// "%2", "%3", in this order) replaced at its first occurrence. Splitting comes first, so a path
// put in for a placeholder stays one argument whatever blanks it holds; an argument that was
// only a placeholder standing for nothing is left out. Empty for a blank line.
std::vector<String> AppCommandArguments(const String& commandLine, const TAppPlaceholders& values);

class TAppButtons : public TMainFormFeature {
public:
    using TMainFormFeature::TMainFormFeature;
    void Bind() override;
    // The definitions stored for the buttons, and the buttons showing them.
    void ReadSettings() override;

    // Runs the button's command line, or opens its set-up dialog when Ctrl was held at the press
    // or the button has no command line.
    void AppButton1Click(TObject* Sender);
    void AppButton1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    // Caption, font, hint and glyph of button index after its definition was set up.
    void ShowAppButtonDefinition(int index);

    std::array<String, THTMLEMainForm::AppButtonCount> AppCmdLines;
    std::array<String, THTMLEMainForm::AppButtonCount> AppHints;
    std::array<String, THTMLEMainForm::AppButtonCount> AppButtonTexts;
    std::array<String, THTMLEMainForm::AppButtonCount> AppButtonGlyphs;

private:
    void SetUpAppButton(int index);
    // Starts the program of button index with the placeholders of its command line filled in.
    void RunAppCommand(int index);
    // The set-up dialog of button index; OK gives the button and its stored values the new
    // definition.
    void SetUpAppCommand(int index);
    // The selected files of the file list, each with its folder, joined by ";".
    String SelectedFilesWithFolder() const;
};
