#pragma once
// The Set Tag Colours dialog: a sample page coloured as the user picks the tag, parameter and
// comment colours in three rows of the 16-colour palette and their styles in nine check boxes.
// It is made on its first use and kept for the rest of the run, so the sample keeps its last
// colouring.

#include "platform/Forms.h"

class TButton;
class TCheckBox;
class TColorGrid;
class TLabel;
class TPanel;
class TRichEdit;
class TRotateLabel;

class TTagColourForm : public TForm {
public:
    explicit TTagColourForm(TComponent* AOwner);

    TPanel* ExamplePanel = nullptr;
    TRichEdit* ExampleEdit = nullptr;
    TButton* OKButton = nullptr;
    TButton* CancelButton = nullptr;
    TLabel* TagLabel = nullptr;
    TLabel* ParamLabel = nullptr;
    TLabel* CommentLabel = nullptr;
    TColorGrid* TagColorGrid = nullptr;
    TColorGrid* ParamColorGrid = nullptr;
    TColorGrid* CommentColorGrid = nullptr;
    TCheckBox* TagBoldCheck = nullptr;
    TCheckBox* TagItalicCheck = nullptr;
    TCheckBox* TagUnderlineCheck = nullptr;
    TCheckBox* ParamBoldCheck = nullptr;
    TCheckBox* ParamItalicCheck = nullptr;
    TCheckBox* ParamUnderlineCheck = nullptr;
    TCheckBox* CommentBoldCheck = nullptr;
    TCheckBox* CommentItalicCheck = nullptr;
    TCheckBox* CommentUnderlineCheck = nullptr;
    TRotateLabel* BoldLabel = nullptr;
    TRotateLabel* ItalicLabel = nullptr;
    TRotateLabel* UnderlineLabel = nullptr;
    TLabel* NoteLabel = nullptr;

    TColor ChosenTagColour = 0;
    TColor ChosenParamColour = 0;
    TColor ChosenCommentColour = 0;

    // The style sets the three rows of check boxes make.
    TFontStyles TagStyle() const;
    TFontStyles ParamStyle() const;
    TFontStyles CommentStyle() const;
    void SetStyles(TFontStyles tag, TFontStyles param, TFontStyles comment);

    // Colours the sample with the chosen colours and the styles of the check boxes.
    void ColourExample();

    void TagColorGridClick(TObject* Sender);
    void ParamColorGridClick(TObject* Sender);
    void CommentColorGridClick(TObject* Sender);
    void OKButtonClick(TObject* Sender);

private:
    void BuildControls();
    void BuildRow(int top, const String& caption, const String& prefix, TLabel*& label,
                  TColorGrid*& grid, TCheckBox*& bold, TCheckBox*& italic, TCheckBox*& underline,
                  void (TTagColourForm::*click)(TObject*));
    void BuildColumnHeadings();
};

extern TTagColourForm* TagColourForm;
