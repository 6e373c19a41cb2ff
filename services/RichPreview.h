#pragma once
// The print preview window: the pages the rich-edit printer records, one at a time, scaled into
// the window, with page navigation, a zoom that grows in steps, and printing of a range of the
// pages. The pages are kept in a temporary folder of the window's own (no other preview and no
// site folder sees them), which is deleted with the window when the user closes it.

#include "platform/Forms.h"

class TButton;
class TEdit;
class TImage;
class TLabel;
class TPanel;
class TPrintDialog;

// The window's layout from the screen's size and the page's aspect ratio (height / width); 0
// counts as the ratio of an A4 page.
struct TPreviewLayout {
    int FormWidth = 0;
    int FormHeight = 0;
    TRect Picture;
};
TPreviewLayout PreviewLayout(int screenWidth, int screenHeight, double aspectRatio);

class TRichPreviewForm;
// The preview window opened last, while it is open.
extern TRichPreviewForm* RichPreviewForm;

class TRichPreviewForm : public TForm {
public:
    // Shows itself at once; frees itself when closed.
    explicit TRichPreviewForm(TComponent* AOwner);
    ~TRichPreviewForm() override;

    const String& PagesFolder() const { return FFolder; }
    // The printer's printable area in its pixels, over which a page is printed again.
    void SetPageSize(int width, int height);
    // Lays the window out for the page's proportions.
    void SetAspectRatio(double ratio);
    // The page recorded last, which is shown.
    void AddPage();

    int PageCount() const { return FPageCount; }
    int PageOnDisplay() const { return FPage; }
    double ZoomFactor() const { return FZoom; }
    double ZoomStep() const { return FStep; }
    // The part of the zoomed page beyond the window, and how far it is scrolled.
    TPoint ScrollRange() const { return FRange; }
    TPoint ScrollPosition() const { return FPosition; }
    String PageFileName(int index) const;

    void ArrowButton1Click(TObject* Sender);
    void ArrowButton2Click(TObject* Sender);
    void SpeedButton1Click(TObject* Sender);
    void SpeedButton2Click(TObject* Sender);
    void SpeedButton3Click(TObject* Sender);
    void MaskEdit1Change(TObject* Sender);
    void Label7DblClick(TObject* Sender);
    void BitBtn1Click(TObject* Sender);
    void Image1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void FormKeyPress(TObject* Sender, char& Key);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void FormPaint();

    TImage* Image1 = nullptr;
    TPanel* Panel1 = nullptr;
    TButton* ArrowButton1 = nullptr;
    TButton* ArrowButton2 = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label3 = nullptr;
    TLabel* Label4 = nullptr;
    TLabel* Label5 = nullptr;
    TLabel* Label6 = nullptr;
    TLabel* Label7 = nullptr;
    TLabel* Label8 = nullptr;
    TLabel* Label9 = nullptr;
    TButton* SpeedButton1 = nullptr;
    TButton* SpeedButton2 = nullptr;
    TButton* SpeedButton3 = nullptr;
    TEdit* MaskEdit1 = nullptr;
    TButton* BitBtn1 = nullptr;
    TPrintDialog* PrintDialog1 = nullptr;

private:
    void BuildControls();
    void ShowPage(int index);
    void ShowZoom();
    void ResetZoom();
    void EnablePrevious(bool enabled);
    void EnableNext(bool enabled);
    void DeletePages();

    String FFolder;
    int FPageCount = 0;
    int FPage = 0;
    double FZoom = 1.0;
    double FStep = 0.5;
    int FPageWidth = 0;
    int FPageHeight = 0;
    TPoint FRange;
    TPoint FPosition;
};
