#pragma once
// The help viewer. A help file here is the index of an HTML help set: an INI text that names,
// for each topic number and keyword, a page beside it (a page may carry "#anchor"):
//
//   [Options]             Title=..., HelpOnHelp=page, Contents=page (else the index page)
//   [Contents]            title=page, one line per entry of the index page, in order
//   [Topics]              number=page
//   [Keywords]            keyword=page (keywords match without regard to case)
//
// Pages are shown in the viewer's own window; pop-up topics in a small window at the pointer.
// A topic that has no page shows the help set's index page, which says what was asked for.

#include "platform/Messages.h"
#include "platform/SysUtils.h"

#include <cstdint>

// HELP_CONTEXT and HELP_CONTEXTPOPUP take the topic number as data; HELP_KEY and
// HELP_PARTIALKEY a pointer to the keyword's text; HELP_FINDER, HELP_CONTENTS, HELP_HELPONHELP
// and HELP_QUIT none. With the test hooks on, the request is recorded and nothing is shown.
BOOL WinHelp(HWND owner, const String& helpFile, UINT command, uintptr_t data);

// Where a request leads: a page file (with its anchor), or, for a topic without a page, the
// index page's HTML.
struct THelpTopic {
    String Title; // the help set's, for the window
    String Page;
    String Html;
};
// False when the help file cannot be read or the command asks for no topic.
bool FindHelpTopic(const String& helpFile, UINT command, uintptr_t data, THelpTopic& topic);

// The viewer that WinHelp asks when no test records the request. A help file that cannot be
// read is reported in a message box, and the answer is false.
bool RunHelpViewer(const String& helpFile, UINT command, uintptr_t data);
// The viewer started on its own, as the help program is started with a file on its command line:
// the file's contents page, or, without a file, an empty window. False, and nothing shown, when a
// file is given that cannot be read. With the test hooks on, a HELP_FINDER request is recorded.
bool OpenHelpViewer(const String& helpFile);

// What the viewer's window (or its pop-up window) shows: the page file with its anchor,
// "(index)" for an index page, "" while the window is closed.
String HelpWindowSource(bool popup);
