#include "services/JCopy.h"

#include "platform/Forms.h"
#include "platform/ShellApi.h"

unsigned TJCopy::OperationFlags() const {
    unsigned flags = FOF_CONFIRMMOUSE;
    if (!FRecurseDirs)
        flags |= FOF_FILESONLY;
    if (!FConfirmFiles)
        flags |= FOF_NOCONFIRMATION;
    if (!FConfirmDirs)
        flags |= FOF_NOCONFIRMMKDIR;
    if (!FFileOverwrite)
        flags |= FOF_RENAMEONCOLLISION;
    if (!FShowProgress)
        flags |= FOF_SILENT;
    if (FAllowUndo)
        flags |= FOF_ALLOWUNDO;
    if (!FShowErrors)
        flags |= FOF_NOERRORUI;
    return flags;
}

// The name lists are sized to the names, so a long path is never cut short.
bool TJCopy::Execute() {
    static const UINT operations[] = {FO_COPY, FO_MOVE, FO_DELETE, FO_RENAME};
    String from = ShellNameList(FFileMaskFrom);
    String to = ShellNameList(FFileMaskTo);
    SHFILEOPSTRUCT operation;
    TForm* mainForm = Application ? Application->MainForm() : nullptr;
    operation.hwnd = mainForm ? mainForm->Handle() : nullptr;
    operation.wFunc = operations[FFileCommand];
    operation.pFrom = from.c_str();
    operation.pTo = to.c_str();
    operation.fFlags = static_cast<FILEOP_FLAGS>(OperationFlags());
    return SHFileOperation(&operation) != 0;
}
