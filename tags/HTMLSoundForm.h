#pragma once
// The dialog for an EMBED element that plays a sound or video file.

#include "platform/Forms.h"

class TButton;
class TCheckBox;
class TEdit;
class TOpenDialog;
class TSpeedButton;
class TUpDown;

class TSoundForm : public TForm {
public:
    explicit TSoundForm(TComponent* AOwner);

    TEdit* FileEdit = nullptr;
    TSpeedButton* BrowseButton = nullptr;
    TOpenDialog* OpenDialog = nullptr;
    TCheckBox* HiddenCheck = nullptr;
    TCheckBox* AutoStartCheck = nullptr;
    TEdit* WidthEdit = nullptr;
    TUpDown* WidthUD = nullptr;
    TEdit* HeightEdit = nullptr;
    TUpDown* HeightUD = nullptr;
    TCheckBox* ContinuousCheck = nullptr;
    TEdit* LoopEdit = nullptr;
    TUpDown* LoopUD = nullptr;
    TButton* OKButton = nullptr;
    TButton* CancelButton = nullptr;
    // The folder against which file paths are made relative; ends in PathDelim.
    String PageFolder;

    void BrowseButtonClick(TObject* Sender);
    void ContinuousCheckClick(TObject* Sender);
    void HiddenCheckClick(TObject* Sender);
    void AutoStartCheckClick(TObject* Sender);

    // The whole EMBED element, every attribute written.
    String EmbedTag() const;

private:
    void BuildControls();
    TEdit* AddNumberBox(const String& name, const String& caption, int left, TUpDown*& upDown,
                        const String& upDownName, int max, int step, int position);
    TCheckBox* AddCheck(const String& name, const String& caption, int left, bool checked);
};

extern TSoundForm* SoundForm;
