#pragma once
// The File Masks dialog: the masks the file pane's filter combo offers, to add to, delete from
// and put in order.

#include "platform/Forms.h"

class TListBox;
class TEdit;
class TButton;

class TMaskForm : public TForm {
public:
    explicit TMaskForm(TComponent* AOwner);

    TListBox* ListBox = nullptr;
    TEdit* TextEdit = nullptr;
    TButton* BitBtn1 = nullptr;
    TButton* BitBtn2 = nullptr;
    TButton* UpButton = nullptr;
    TButton* SpeedButton2 = nullptr;
    TButton* OKButton = nullptr;
    TButton* CancelButton = nullptr;

    void BitBtn1Click(TObject* Sender);
    void BitBtn2Click(TObject* Sender);
    void UpButtonClick(TObject* Sender);
    void SpeedButton2Click(TObject* Sender);

private:
    void BuildControls();
    // Swaps the selected item with its neighbour step places away, when there is one.
    void MoveSelected(int step);
};

extern TMaskForm* MaskForm;
