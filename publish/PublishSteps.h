#pragma once
// The clean-up steps that turn a saved page into its published copy, as plain text routines: the
// publisher runs them in order on the page held as one string with CR LF line ends. Each one
// costs time in proportion to the page's size, so a large page publishes as fast as a small one
// per byte; the steps that only shorten the page or change its letters work on it in place.

#include "platform/SysUtils.h"
#include "publish/CodeExpansion.h"

// The text as lines, each ended by CR LF: CR LF, a lone CR and a lone LF each end one line, and a
// last line without an ending gets one. This is how a page is read and how its copy is written.
String JoinAsCrLfLines(String text);

// The revision stamps "<!-- LMR" ... "LMR -->" and "<!-- LR" ... "LR -->" read "<[-- LMR" ...
// "LMR ]->" and "<[-- LR" ... "LR ]->" while comments are removed, and read as before afterwards.
String ShieldRevisionStamps(String text);
String RestoreRevisionStamps(String text);

// The name change that the replace code "globalnamechange" asks for: its variants whose keys occur
// in the destination key rename index pages ("indexshtml", "indexhtm") or every page and link
// (".html" to "*shtml" or "*htm"); sourcePath follows the renaming of the page itself.
void ApplyGlobalNameChange(const String& codeText, const String& destinationKey, String& text,
                           String& sourcePath);

// Comments disappear; those inside a SCRIPT or STYLE block stay with the block.
String RemoveComments(String text);

// Tags in upper or lower case; quoted values, scripts and comments keep theirs.
String ChangeTagCase(String text, bool upperCase);

// Empty lines go; lines of blanks stay.
String StripBlankLines(String text);

// Runs of blanks and tabs outside quoted values become one blank and the lines are joined, except
// in script blocks; PRE and TEXTAREA blocks, which a browser shows as written, stay as they are.
// With wrap, the result is broken after a blank or ">" into lines of about lineLength characters
// (a length below 1 counts as 1), never inside a PRE or TEXTAREA block.
String CompactText(String text, bool wrap, int lineLength);

// Where the first "</html>" (in any case) begins; npos when the text has none.
size_t HtmlEndPosition(const String& text);

// The page ends with "</html>" (in any case) and the one character that follows it; a page
// without it stays whole.
String CutAfterHtmlEnd(String text);

enum TTagCase { tcUpperCase, tcLowerCase, tcNoChange };

// The publisher's choices for one page, as its window holds them.
struct TPublishSettings {
    bool RemoveComments = false;
    TTagCase TagCase = tcUpperCase;
    bool RemoveBlankLines = false;
    bool Compact = false;
    bool Wrap = false;
    String LineLength = "80"; // as typed; read as a whole number only when wrapping
};

// Every step from stamp shielding through the cut, in the publisher's order, on a page read by
// JoinAsCrLfLines. The name change may rename the page: context.SourcePath follows it, and the
// codes are expanded with the new name. Raises what the code expansion raises (EAbort ends the
// run), and EConvertError for a line length that is not a whole number.
String PublishPageText(String text, const TPublishSettings& settings, TExpansionContext& context);
