#pragma once
// Templates and the framework document: pages started from a template, templates opened and
// saved, the template folder (which takes the glossary along when it moves), and the framework
// document that new pages can be wrapped in, saved from the active page. Templates go through the
// documents' opening and saving; the framework document is read and written here.

#include "editor/MainFormFeature.h"

#include <utility>

// The glossary's index file, in the template folder (the program folder while none is set).
inline const char* const GlossaryIndexName = "glossary.ini";

class TMenuItem;

class TTemplates : public TMainFormFeature {
public:
    using TMainFormFeature::TMainFormFeature;
    // From Template follows Blank Document, Template follows Open's File..., the two saving items
    // follow Save As, and Template Folder goes into Set up.
    void Build() override;
    void Bind() override;
    // Saving as a template or framework document needs a page, or help-pointer mode.
    void UpdateCommands() override;
    void MenuOpening(TMenuItem& menu) override;

    void Template1Click(TObject* Sender);
    void OpenTemplateClick(TObject* Sender);
    void SaveAsTemplateClick(TObject* Sender);
    void SaveAsFrameworkDocument1Click(TObject* Sender);
    void TemplateFolder1Click(TObject* Sender);

    // The framework document's file, in the program folder.
    String FrameworkDocumentName() const;
    // What a new framework document puts before the caret (up to the end of the BODY start tag,
    // then a line break) and after it; the built-in skeleton when the file gives no text.
    std::pair<String, String> FrameworkDocumentParts() const;

    TMenuItem* Template1 = nullptr;
    TMenuItem* OpenTemplate = nullptr;
    TMenuItem* SaveAsTemplate = nullptr;
    TMenuItem* SaveAsFrameworkDocument1 = nullptr;
    TMenuItem* TemplateFolder1 = nullptr;

private:
    // The glossary file goes from the old template folder to the new one; a copy that fails is
    // reported and the old file stays.
    void MoveGlossaryFile(const String& oldFolder, const String& newFolder);
};
