#pragma once
// The image-map editor: the picture with the rectangles the user draws on it, each given a link
// through the area dialog, and a code view with the map's code, which the user may edit before
// it goes into the page.

#include "generators/ImageMapCode.h"
#include "platform/Forms.h"

#include <optional>

class TBevel;
class TButton;
class TImage;
class TMemo;
class TMenuItem;
class TPaintBox;
class TPanel;
class TPopupMenu;
class TStatusBar;

class TIMMainForm : public TForm, public TImageMap {
public:
    explicit TIMMainForm(TComponent* AOwner);

    TPanel* MapPanel = nullptr;
    TImage* Image1 = nullptr;
    TBevel* Bevel1 = nullptr;
    TPaintBox* PaintBox1 = nullptr;
    TPanel* MapBottomPanel = nullptr;
    TButton* CreateCodeButton = nullptr;
    TStatusBar* IMStatusBar = nullptr;
    TPanel* CodePanel = nullptr;
    TMemo* Memo = nullptr;
    TPanel* CodeButtonPanel = nullptr;
    TButton* ToMapButton = nullptr;
    TButton* CancelButton = nullptr;
    TButton* OKButton = nullptr;
    TPopupMenu* PopupMenu1 = nullptr;
    TMenuItem* Delete1 = nullptr;
    TMenuItem* DeleteAll1 = nullptr;
    TMenuItem* LinkURL1 = nullptr;
    TMenuItem* DefaultURL1 = nullptr;

    // The page's selection when the command started.
    String SourceSelection;
    // The code starts with an IMG tag; off for a map read from the page, whose IMG tag stays.
    bool WriteImgTag = false;
    // A rectangle is being dragged from StartPoint; CurrentPoint is the drag's last point, or
    // where the mouse was last pressed.
    bool Drawing = false;
    TPoint StartPoint;
    TPoint CurrentPoint;
    // The area marked with a focus frame, the one under the mouse.
    std::optional<TRect> HighlightedArea;

    void FormCreate(TObject* Sender);
    void FormActivate(TObject* Sender);
    void PaintBox1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void PaintBox1MouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void PaintBox1MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void PaintBox1Paint(TObject* Sender);
    void PopupMenu1Popup(TObject* Sender);
    void Delete1Click(TObject* Sender);
    void DeleteAll1Click(TObject* Sender);
    void LinkURL1Click(TObject* Sender);
    void DefaultURL1Click(TObject* Sender);
    void CreateMap1Click(TObject* Sender);
    void ToMapButtonClick(TObject* Sender);
    void OKButtonClick(TObject* Sender);
    void CancelButtonClick(TObject* Sender);

    // The status line for a picture pixel: both numbers right-aligned, then the URL label.
    static String PositionText(int x, int y);

private:
    // The point kept within the picture.
    TPoint ClampToPicture(int x, int y) const;
    void ShowMapView();
};

extern TIMMainForm* IMMainForm;
