#include "platform/ShlObj.h"
#include "platform/FileUtils.h"
#include "platform/Forms.h"
#include "platform/Peer.h"
#include "platform/TestHooks.h"

#include <QFile>
#include <QFileDialog>

namespace {

// The answer of a test, or an empty text when it cancelled. The prompt records the folder the
// browser would have opened at.
String HookedChoice(const String& title, const String& startFolder) {
    TestHooks::TDialogAnswer answer;
    if (!TestHooks::TakeDialogAnswer("FolderBrowser", title, answer, startFolder) ||
        !answer.Accepted)
        return String();
    return answer.Folder;
}

String ShownChoice(HWND owner, const String& title, const String& startFolder) {
    TWinControl* control = FindControl(owner);
    QString chosen = QFileDialog::getExistingDirectory(
        control ? control->Peer().Widget() : nullptr, DisplayText(title),
        QFile::decodeName(QByteArray::fromStdString(startFolder)), QFileDialog::ShowDirsOnly);
    return QFile::encodeName(chosen).toStdString();
}

} // namespace

bool SHBrowseForFolder(HWND owner, const String& title, const String& startFolder, String& folder) {
    TModalScope modal;
    // A start folder that is not there leaves the browser where it opens by itself.
    String start = DirectoryExists(startFolder) ? startFolder : String();
    String chosen =
        TestHooks::Active() ? HookedChoice(title, start) : ShownChoice(owner, title, start);
    if (chosen.empty())
        return false;
    folder = chosen.size() > 1 ? ExcludeTrailingPathDelimiter(chosen) : chosen;
    return true;
}
