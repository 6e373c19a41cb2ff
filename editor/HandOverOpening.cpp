// A file handed over by a second copy of the program: the running window comes to the front and
// opens it on a page of its own, as the first showing opens the file of its own command line.

#include "editor/CorvaletForm.h"

void THTMLEMainForm::OpenHandedOverFile(const String& commandLine) {
    if (WindowState() == wsMinimized)
        SetWindowState(wsNormal);
    Show();
    BringToFront();
    OpenFileNamed(commandLine);
}
