#pragma once
// One shell file operation per Execute: copy, move, delete or rename of a path or wildcard mask,
// with the shell's own questions, progress window, error boxes and Trash.

#include "platform/Component.h"

enum TFileCmd { cmCopy, cmMove, cmDelete, cmRename };

class TJCopy : public TComponent {
public:
    using TComponent::TComponent;

    TFileCmd FileCommand() const { return FFileCommand; }
    void SetFileCommand(TFileCmd value) { FFileCommand = value; }
    // One path, or a path whose file part is a wildcard mask.
    const String& FileMaskFrom() const { return FFileMaskFrom; }
    void SetFileMaskFrom(const String& value) { FFileMaskFrom = value; }
    // A folder, or a file path for copy and rename; delete does not use it.
    const String& FileMaskTo() const { return FFileMaskTo; }
    void SetFileMaskTo(const String& value) { FFileMaskTo = value; }
    // Off: a mask matches files only.
    bool RecurseDirs() const { return FRecurseDirs; }
    void SetRecurseDirs(bool value) { FRecurseDirs = value; }
    // Off: the shell answers Yes to all of its own questions.
    bool ConfirmFiles() const { return FConfirmFiles; }
    void SetConfirmFiles(bool value) { FConfirmFiles = value; }
    // Off: folders the operation needs are made without asking.
    bool ConfirmDirs() const { return FConfirmDirs; }
    void SetConfirmDirs(bool value) { FConfirmDirs = value; }
    // Off: a file that would be overwritten gets a new name instead.
    bool FileOverwrite() const { return FFileOverwrite; }
    void SetFileOverwrite(bool value) { FFileOverwrite = value; }
    bool ShowProgress() const { return FShowProgress; }
    void SetShowProgress(bool value) { FShowProgress = value; }
    // On: a delete goes to the Trash.
    bool AllowUndo() const { return FAllowUndo; }
    void SetAllowUndo(bool value) { FAllowUndo = value; }
    bool ShowErrors() const { return FShowErrors; }
    void SetShowErrors(bool value) { FShowErrors = value; }

    // Carries out the operation the properties describe; true when it failed or was cancelled.
    // The shell tells the user itself; nothing is raised.
    bool Execute();

private:
    unsigned OperationFlags() const;

    TFileCmd FFileCommand = cmCopy;
    String FFileMaskFrom;
    String FFileMaskTo;
    bool FRecurseDirs = false;
    bool FConfirmFiles = true;
    bool FConfirmDirs = true;
    bool FFileOverwrite = true;
    bool FShowProgress = true;
    bool FAllowUndo = true;
    bool FShowErrors = true;
};
