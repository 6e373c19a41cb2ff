#pragma once
// Multi-publish, multi-copy and Show Dates Published: the selected files of the file list
// published into, or copied to, every folder of a folder group, with revision stamps and a log.

#include "editor/MainFormFeature.h"

class TMultiPublishing : public TMainFormFeature {
public:
    using TMainFormFeature::TMainFormFeature;
    void Build() override;
    void Bind() override;
    // Multi-Publish shows once the window has read its settings, as the window's hidden
    // commands do.
    void ReadSettings() override;
    // The Publish menu's commands need a page.
    void UpdateCommands() override;
    // The Publish menu drops down: the commands on the file list need a selection in it.
    void PublishMenuOpening();
    // The pages' pop-up menu offers Show Dates Published for a page that holds a revision stamp.
    void MenuOpening(TMenuItem& menu) override;

    void MultiPublish1Click(TObject* Sender);
    void MultiSave1Click(TObject* Sender);
    void MultiCopy1Click(TObject* Sender);
    void ShowDatesPublished1Click(TObject* Sender);

    TMenuItem* MultiPublish1 = nullptr;
    TMenuItem* MultiPublish2 = nullptr;
    TMenuItem* MultiCopy1 = nullptr;
    TMenuItem* MultiSave3 = nullptr;
    TMenuItem* ShowDatesPublished1 = nullptr;
    // True only while a multi-publish runs.
    bool PublishSelectedFiles = false;

private:
    // Makes the folder-group dialog when missing and fills its groups from the registry.
    void LoadMultiPublishFolders();
};
