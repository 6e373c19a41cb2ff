#pragma once
// Publishing from the main window: the Publish button and the Publish menu's commands on the
// active page (Current Document, Multiple Documents, For Validation), the publish folder, the
// publisher's set-up, the pre-publish preference and the validation copy.

#include "editor/MainFormFeature.h"

class TQmToolbarButton;

class TPublishCommands : public TMainFormFeature {
public:
    using TMainFormFeature::TMainFormFeature;
    void Build() override;
    void Bind() override;
    // Current Document needs a page.
    void UpdateCommands() override;

    void PublishButtonClick(TObject* Sender);
    void PublishButtonMouseEnter(TObject* Sender);
    // The Publish menu drops down: Current Document needs a page, the commands on the file list
    // a selection in it.
    void Publish1Click(TObject* Sender);
    void MultipleDocuments1Click(TObject* Sender);
    void SetupPublisherClick(TObject* Sender);
    void Prepublishfiles1Click(TObject* Sender);
    void ForValidation1Click(TObject* Sender);
    // The stored publish folder, empty when none is stored.
    String ReadPublishFolder() const;

    TQmToolbarButton* PublishButton = nullptr;
    TMenuItem* CurrentDocument1 = nullptr;
    TMenuItem* MultipleDocuments1 = nullptr;
    TMenuItem* ForValidation1 = nullptr;
    TMenuItem* SetupPublisher = nullptr;
    // Set by the internal browser's preview while it publishes its copy of the page; the copy's
    // source.
    bool PublishPreviewCopy = false;
    String PreviewFileName;

private:
    // Asks for the publish folder with the publish-folder dialog, saving a modified page first.
    void ChoosePublishFolder(int page, bool inUse);
    // Saves the page when its editor is shown and modified; false when it stays modified (the
    // save was cancelled or failed).
    bool SaveBeforePublishing(int page);
    // Publishes the page's text as "zvalid~.html" into the page's own folder.
    void PublishValidationCopy(int page);
};
