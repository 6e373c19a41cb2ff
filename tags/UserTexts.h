#pragma once
// The texts the user keeps to put into pages again and again: the glossary of phrases, and the
// sixteen user-defined tag buttons with their Alt shortcuts. The buttons' definitions live in
// the registry and are read afresh at every press.

#include "editor/MainFormFeature.h"

class TQmToolbarButton;

class TUserTexts : public TMainFormFeature {
public:
    using TMainFormFeature::TMainFormFeature;
    void Bind() override;

    void GlossaryButtonClick(TObject* Sender);
    // Every user button's press and shortcut, with that button as sender.
    void User1ButtonClick(TObject* Sender);

    // A user button's definition as the registry holds it; missing values are empty.
    struct TDefinition {
        String Before;
        String After;
        String Text;
        String Glyph;
    };
    static TDefinition ReadDefinition(int number);
    // The hint the button shows once defined, with its shortcut: "(Alt+3)", "(Alt+Shift+2)".
    static String ButtonHint(int number, const String& hint);

private:
    // The editor for the button; on OK the definition is stored and the button dressed.
    void DefineButton(TQmToolbarButton* button, const TDefinition& definition);
    // The folder of "glossary.ini": the template folder, else the program folder.
    String GlossaryFolder() const;
};
