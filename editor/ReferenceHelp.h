#pragma once
// The HTML reference help files: the HTML 4.0 reference shipped in the help folder, with keyword
// help on the tag at the caret, and the two reference files whose places the user gives. Also
// the about box's command.

#include "editor/MainFormFeature.h"

class TMenuItem;

class TReferenceHelp : public TMainFormFeature {
public:
    using TMainFormFeature::TMainFormFeature;
    // The Help menu's items follow Using Help, the about box ends it; the set-up of the files'
    // places ends Set up.
    void Build() override;
    void Bind() override;
    // The files' places: stored, else the files shipped in the help folder.
    void ReadSettings() override;
    // The Help menu and the pages' pop-up menu name the tag at the caret as they open.
    void MenuOpening(TMenuItem& menu) override;

    void HelponTAG1Click(TObject* Sender);
    void HTML40Help1Click(TObject* Sender);
    void RefLibHelpClick(TObject* Sender);
    void IEHelpClick(TObject* Sender);
    void SetupHelpFilesClick(TObject* Sender);
    void AboutHelpClick(TObject* Sender);

    // The pop-up menu's item and the Help menu's.
    TMenuItem* HelponTAG1 = nullptr;
    TMenuItem* HelponTAG2 = nullptr;
    TMenuItem* HTML40Help1 = nullptr;
    // Shown with the first of the two located files' items that is known.
    TMenuItem* N11 = nullptr;
    TMenuItem* IEHelp = nullptr;
    TMenuItem* RefLibHelp = nullptr;
    TMenuItem* AboutSeparator = nullptr;
    TMenuItem* AboutHelp = nullptr;
    TMenuItem* SetupHelpFiles = nullptr;
    String IEHTMLHelpFile;
    String RefLibHelpFile;

private:
    // The tag at the caret named in the item, which is enabled; "Help on <TAG>" and disabled
    // when the caret is in no tag (or in a comment).
    void NameTagInHelpItem(TMenuItem* item);
    // which is "HTMLRefLib" or "IEHelp": asks for the file's place and stores it at once.
    void LocateHelpFile(const String& which);
    // The tag name a "Help on <NAME>" caption holds.
    static String TagNameOfHelpItem(const String& caption);
    // The HTML 4.0 reference's keyword for the tag, from WDGJump.ini's Jumps, else the name.
    String HelpKeywordOfTag(const String& tagName) const;
    String HTML40HelpFile() const;
    // The located file's viewer; its place is asked for first when it is not known.
    void RunLocatedHelp(String& path, const String& which);
};
