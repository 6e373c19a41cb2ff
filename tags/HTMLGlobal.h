#pragma once
// The shared routines form: made at start-up, never shown. It carries the text that dialogs hand
// to the main window, and the routines that many dialogs and commands share: image sizes, the
// 16-colour palette and its HTML names, relative URLs, keeping a form on screen and the keyboard.

#include "platform/Forms.h"

class TGlobalForm : public TForm {
public:
    explicit TGlobalForm(TComponent* AOwner);

    // A result handed between a dialog and the main window; kept until the next writer.
    String ResultText;
    // Shown before the file name when an image cannot be opened.
    String MissingImageMessage;

    void FormCreate(TObject* Sender);

    // The size of an image as decimal text: its height when selector is 'H' or 'h', else its
    // width; "0" when the file is not of the reader's kind or is too short or damaged to tell.
    // A file that cannot be opened is reported, and gives "0" too.
    String GetGifSize(const String& fileName, char selector);
    String GetJpegSize(const String& fileName, char selector);
    String GetPngSize(const String& fileName, char selector);
    String GetBmpSize(const String& fileName, char selector);

    // The colour of a square of the 16-colour picker, 0 to 15 (black for any other index).
    TColor ColourFromIndex(int index) const;
    // Six upper-case hex digits, red first, as HTML writes a colour; no "#".
    String ColourToHex(TColor colour) const;
    // The HTML name of "#" and six upper-case hex digits when it is one of the 16 named colours,
    // else "".
    String ColourNameOfHex(const String& hex) const;
    // A colour as HTML writes it: its name when it is one of the 16 named colours, else "#" and
    // six upper-case hex digits.
    String HTMLColourText(TColor colour) const;

    // The URL of a file relative to a folder, with "/" between folder names. The caller gives
    // the folder (the active page's, for most); an empty one, an untitled page's, stands for the
    // file's own.
    String RelativeURL(const String& filePath, const String& referenceFolder) const;

    // Moves a form left when its right edge passes the screen's width.
    void KeepFormOnScreen(TForm* form) const;
    // True when the key is held down at the moment of the call.
    bool IsKeyDown(int virtualKey) const;
};

extern TGlobalForm* GlobalForm;

using TImageSizeReader = String (TGlobalForm::*)(const String& fileName, char selector);

// The file's path as a file URL, "" for none: "file://" and the path, the characters that would
// end or cut it in an address or a quoted attribute escaped.
String FileURL(const String& path);

// The size reader of the first image kind the lower-cased name holds, in the order GIF, JPEG,
// BMP, PNG; nullptr for none.
TImageSizeReader ImageSizeReaderFor(const String& lowerName);
