#pragma once
// Panels, bevels, images, paint boxes, radio groups and the timer.

#include "platform/Controls.h"
#include "platform/StdCtrls.h"

#include <memory>
#include <vector>

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

// A box with a raised or lowered frame and a caption, that holds other controls.
class TPanel : public TCustomControl {
public:
    explicit TPanel(TComponent* AOwner);

    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut value);
    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut value);
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int value);
    // The space between the outer and the inner bevel.
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int value);
    // bsSingle draws a line around the panel.
    void SetBorderStyle(TBorderStyle value);

protected:
    void Paint() override;
    void WndProc(TMessage& Message) override;
    // The frame and bevels are kept free of aligned children.
    void AdjustClientRect(TRect& Rect) const override;

private:
    void FrameChanged();

    TBevelCut FBevelInner = bvNone;
    TBevelCut FBevelOuter = bvRaised;
    int FBevelWidth = 1;
    int FBorderWidth = 0;
    TBorderStyle FBorderStyle = bsNone;
    TAlignment FAlignment = taCenter;
};

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };

// A sunken or raised box or line drawn on its parent.
class TBevel : public TGraphicControl {
public:
    explicit TBevel(TComponent* AOwner);
    void SetShape(TBevelShape value);
    void SetStyle(TBevelStyle value);

protected:
    void Paint() override;

private:
    TBevelShape FShape = bsBox;
    TBevelStyle FStyle = bsLowered;
};

// Shows a picture at its top-left corner.
class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* AOwner);

    TPicture& Picture() { return FPicture; }
    // Drawing on the picture: an empty picture first becomes a bitmap of the control's size.
    TCanvas& Canvas();
    // On: the control takes the picture's size whenever the picture changes.
    void SetAutoSize(bool value);

protected:
    void Paint() override;

private:
    void PictureChanged();

    TPicture FPicture;
    bool FAutoSize = false;
};

// A surface that the program draws on in OnPaint, each time it must be painted.
class TPaintBox : public TGraphicControl {
public:
    explicit TPaintBox(TComponent* AOwner);
    TNotifyEvent OnPaint;

protected:
    void Paint() override;
};

// A group of radio buttons, one per item, of which one (ItemIndex) is checked.
class TRadioGroup : public TGroupBox {
public:
    explicit TRadioGroup(TComponent* AOwner);
    ~TRadioGroup() override;

    TStrings& Items() { return FItems; }
    // -1: none. Setting it checks that item's button and raises OnClick when it changes.
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int value);
    void SetColumns(int value);
    // The button of an item.
    TRadioButton* Buttons(int index) const;

protected:
    void Resize() override;
    void WndProc(TMessage& Message) override;

private:
    void MakeButtons();
    void ArrangeButtons();
    void ButtonClicked(TObject* Sender);

    TStringList FItems;
    std::vector<TRadioButton*> FButtons;
    int FItemIndex = -1;
    int FColumns = 1;
    bool FUpdating = false;
};

class TTimerCore;
class TTimer;

namespace TestHooks {
// Raises the timer's OnTimer at once, as its interval passing would; false, raising nothing,
// when the timer would never fire.
bool FireTimer(TTimer& timer);
} // namespace TestHooks

// Raises OnTimer every Interval milliseconds while it is enabled; an interval of 0 or less
// never fires.
class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    int Interval() const { return FInterval; }
    void SetInterval(int value);
    // Whether the timer fires at all: enabled with an interval above 0.
    bool Running() const { return FEnabled && FInterval > 0; }

    TNotifyEvent OnTimer;

protected:
    virtual void Timer();

private:
    friend bool TestHooks::FireTimer(TTimer& timer);
    friend class TTimerCore;
    void UpdateTimer();

    std::unique_ptr<TTimerCore> FCore;
    bool FEnabled = true;
    int FInterval = 1000;
};
