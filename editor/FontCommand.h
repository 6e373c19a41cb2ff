#pragma once
// The Font command: the editors' font or the printer's, chosen in the font dialog and kept in
// the registry.

#include "editor/MainFormFeature.h"
#include "platform/Messages.h"

class TFontDialog;
class TMenuItem;

class TFontCommand : public TMainFormFeature {
public:
    using TMainFormFeature::TMainFormFeature;
    // The Preferences menu's first item.
    void Build() override;
    void Bind() override;
    // The printer font kept in the registry, which typing also takes its text colour from.
    void ReadSettings() override;
    // The editor font cannot change while a view shows in the pages' place.
    void MenuOpening(TMenuItem& menu) override;

    void ChangeFontButtonClick(TObject* Sender);
    // Apply in the dialog while the editor font is chosen: the editors show the font as chosen so
    // far; nothing is kept until OK.
    void FontDialog1Apply(TObject* Sender, HWND Wnd);

    TMenuItem* Font1 = nullptr;
    TMenuItem* Editor1 = nullptr;
    TMenuItem* Printer1 = nullptr;
    TFontDialog* FontDialog1 = nullptr;

private:
    // The font, without strike-out, on every page's editor.
    void GiveEditorsFont(const TFont& font);
};
