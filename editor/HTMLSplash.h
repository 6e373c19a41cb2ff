#pragma once
// The splash window shown while the program starts, and the start-up state that the main window
// reads: the version shown on the splash and the command line of this run.

#include "platform/Forms.h"

class TCanvas;
class TPanel;
class TImage;
class TLabel;
class TBevel;
class TRotateLabel;

class TSplash : public TForm {
public:
    explicit TSplash(TComponent* AOwner);

    // Shows a progress text at once, without waiting for the message loop.
    void ShowProgress(const String& text);

    TPanel* Panel1 = nullptr;
    TImage* Image1 = nullptr;
    TRotateLabel* StateLabel = nullptr;
    TLabel* VersionLabel = nullptr;
    TBevel* Bevel2 = nullptr;

    void FormCreate(TObject* Sender);

private:
    void BuildControls();
};

// The product picture of the splash and of the main window's logo panel, in a picture of the
// size given, with the rows of quilt patches at its top.
void PaintProductPicture(TCanvas& canvas, int width, int height, int quiltRows);

// The splash window; made without an owner at start-up, null once the main window's first showing
// has freed it.
extern TSplash* Splash;
// The version shown on the splash; the main window's creation replaces it with its own.
extern String ProgramVersionText;
// Everything after the program's name on the command line, as one text.
extern String StartupCommandLine;
