#pragma once
// The publisher's side of a multi-publish: its options set from the folder-group dialog, the
// sources stamped, every file published into every folder under the progress window, and the
// log. Kept apart from the main window's file list, whose unit names its own text cases.

#include "publish/RevisionStamps.h"

#include <vector>

class TFolderSelectForm;
class TGeneralRoutines;

// The files and folders a run has served, each once, in the order first met.
struct TPublishedLists {
    std::vector<String> Files;
    std::vector<String> Folders;
};

// The dialog's clean-up options on the publisher's controls, for a run of several files.
void PrepareMultiplePublishing(const TFolderSelectForm& dialog);

// Renews the revision stamps of the source pages' files, with one flush of the disk for them all.
// Raises EWriteError naming the first file that could not be written.
void StampSourceFiles(const std::vector<String>& paths, TRevisionKind kind);

// Each folder in turn, every file into it, under the progress window; a missing folder is
// reported and skipped. False when the user cancelled at the upload question.
bool PublishIntoFolders(const std::vector<String>& files, const std::vector<String>& folders,
                        const TGeneralRoutines& routines, TPublishedLists& lists);

// Appends the run's block to the log, asking first when there is no log yet.
void LogPublishedFiles(const TPublishedLists& lists);

// The publisher's messages on again, however the command ended.
void EndMultiplePublishing();
