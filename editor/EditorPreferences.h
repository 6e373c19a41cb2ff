#pragma once
// The editor preferences: the commands of the Preferences menu (and View's Hide File List) that
// change how the editors behave and look, each kept in the registry the moment it is chosen and
// taking effect at once. The settings themselves stay the window's, read as it is made, since the
// editor keys, the tag buttons, the generators and opening a page read them too.

#include "editor/MainFormFeature.h"

#include <vector>

class TMenuItem;
class TRichEdit;

// The glossary form's editor, which keeps the pages' tab stops: the form sets it as it is made
// and clears it as it goes; nullptr while there is none.
extern TRichEdit* GlossaryEditor;

class TEditorPreferences : public TMainFormFeature {
public:
    using TMainFormFeature::TMainFormFeature;
    // Tab Width and Margins follow Smart Tabs, the Splash Screen submenu comes before Set up,
    // Default Extension ends Set up, and Hide File List joins View.
    void Build() override;
    // Its own items and the shell's preference items.
    void Bind() override;
    // View ticks Hide File List while the file pane is hidden.
    void MenuOpening(TMenuItem& menu) override;

    void SmartTabsMenuClick(TObject* Sender);
    void TabSetting1Click(TObject* Sender);
    void HideFileList1Click(TObject* Sender);
    void Margins1Click(TObject* Sender);
    void Office97Style1Click(TObject* Sender);
    void ParaPrefsClick(TObject* Sender);
    void ShowLineNumber2Click(TObject* Sender);
    void ShowSize2Click(TObject* Sender);
    void RequestALTtags1Click(TObject* Sender);
    void MaxPageSize1Click(TObject* Sender);
    void DefaultExtension1Click(TObject* Sender);
    void ShowOnTop1Click(TObject* Sender);
    void Show1Click(TObject* Sender);
    void DontShow1Click(TObject* Sender);
    void SplashScreen1Click(TObject* Sender);
    void PermanentSaveonViewing1Click(TObject* Sender);
    void WordWrap1Click(TObject* Sender);
    void On2Click(TObject* Sender);
    void Off2Click(TObject* Sender);
    void AutoInsertTabsClick(TObject* Sender);

    TMenuItem* TabSetting1 = nullptr;
    TMenuItem* Margins1 = nullptr;
    TMenuItem* DefaultExtension1 = nullptr;
    TMenuItem* SplashScreen1 = nullptr;
    TMenuItem* ShowOnTop1 = nullptr;
    TMenuItem* Show1 = nullptr;
    TMenuItem* DontShow1 = nullptr;
    TMenuItem* HideFileList1 = nullptr;

private:
    // Inverts the window's setting, ticks the item as it now is and writes the value.
    void ToggleSetting(bool& setting, TMenuItem* item, const String& valueName);
    void ShowPositionAs(bool lineNumbers);
    void WriteSplashChoice(const String& choice);
    void WrapAllPages(bool wrap);
    // The editors that take the tab stops: the pages', the print editor, the glossary's.
    std::vector<TRichEdit*> TabStopEditors() const;
};
