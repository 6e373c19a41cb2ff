#pragma once
// The File Properties report: a file's names, folder, size, download times, image size, times
// and attributes, each line's caption in blue.

#include "platform/Forms.h"

class TRichEdit;
class TPanel;
class TButton;

class TDetailsForm : public TForm {
public:
    explicit TDetailsForm(TComponent* AOwner);

    TRichEdit* DetailsRE = nullptr;
    TPanel* Panel1 = nullptr;
    TButton* OKButton = nullptr;
    // The full path reported on.
    String FileName;

    void FormShow(TObject* Sender);
    // Appends the line, black (grey when it begins with "(DOS") with its first n characters blue
    // (grey for that line as well), and leaves nothing selected.
    void AddDetailLine(const String& text, int n);

private:
    void BuildControls();
};

extern TDetailsForm* DetailsForm;

// The attribute part of the report's last line: " Archive  ", "ReadOnly  ", "Hidden  ",
// "System  " and "Compressed" for those the attributes hold, in that order, or "None".
String AttributesText(int attributes);
