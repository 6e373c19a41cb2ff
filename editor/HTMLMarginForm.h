#pragma once
// The margins dialog: the editors' paragraph margins, in points, tried out on a sample as they
// are changed.

#include "platform/Forms.h"

class TLabel;
class TSpinEdit;
class TRichEdit;
class TButton;

class THTMLMarginForm : public TForm {
public:
    explicit THTMLMarginForm(TComponent* AOwner);

    TLabel* LeftLabel = nullptr;
    TLabel* IndentLabel = nullptr;
    TLabel* RightLabel = nullptr;
    TSpinEdit* LeftEdit = nullptr;
    TSpinEdit* IndentEdit = nullptr;
    TSpinEdit* RightEdit = nullptr;
    TLabel* SampleLabel = nullptr;
    TRichEdit* SampleEdit = nullptr;
    TButton* OKButton = nullptr;
    TButton* CancelButton = nullptr;

    // Shows the sample with the three margins given, as the spin edits start.
    void ShowSample(int leftMargin, int leftIndent, int rightMargin);
    // A margin was changed: the sample takes the three margins as they are now.
    void LeftEditChange(TObject* Sender);

private:
    void BuildControls();
    void ApplyMarginsToSample(int leftMargin, int leftIndent, int rightMargin);
};

extern THTMLMarginForm* HTMLMarginForm;
