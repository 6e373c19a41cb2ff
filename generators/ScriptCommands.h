#pragma once
// The Scripts menu of the tag bar: ready-made JavaScript written into the active page (a drop-down
// menu of links, an image shown for a number of days, mouse-over buttons, a "last modified" line)
// and the help on them. A script that needs a function puts it once per page before the closing
// HEAD tag; its marker comments tell a later command that it is there.

#include "editor/MainFormFeature.h"

class TMenuItem;
class TPopupMenu;
class TRichEdit;
struct TPageText;

class TScriptCommands : public TMainFormFeature {
public:
    using TMainFormFeature::TMainFormFeature;
    void Build() override;
    void Bind() override;

    void DropLinkButtonClick(TObject* Sender);
    void Newimage1Click(TObject* Sender);
    void MouseOverButton1Click(TObject* Sender);
    void LastModifiedDate1Click(TObject* Sender);
    void Help2Click(TObject* Sender);

    // An IMG tag for the image file, its size read from the file; "<IMG" in front when withStart.
    String MakeImageTag(const String& fileName, const String& altText, bool withStart) const;
    // The URL of a file relative to a folder; an empty folder stands for the active page's, or
    // the file pane's for an untitled page.
    String PathRelativeToPage(const String& fileName, const String& folder) const;
    // Makes sure the three images of preset set index (0 to 2) lie in the folder, asking before
    // copying them there; false when the user declined or a copy failed, which has been told.
    bool CopyPresetButtonImages(const String& folder, int index);

    TPopupMenu* ScriptsMenu = nullptr;
    TMenuItem* DropDownLinksMenu1 = nullptr;
    TMenuItem* Newimagebodycode1 = nullptr;
    TMenuItem* MouseOverButton1 = nullptr;
    TMenuItem* LastModifiedDate1 = nullptr;
    TMenuItem* N29 = nullptr;
    TMenuItem* Help2 = nullptr;

private:
    // The page's folder for files put beside it: the file pane's for an untitled page.
    String PageFolder() const;
    // Gives the editor the new text with the caret where the page says.
    void ShowPage(TRichEdit* editor, const TPageText& page);
    // The page's colours, the caret in view and the status bar, after the page changed.
    void FinishPageChange(TRichEdit* editor);
    bool CopyPresetImage(const String& source, const String& target, const String& failure);
};
