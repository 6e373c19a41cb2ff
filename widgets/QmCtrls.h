#pragma once
// A panel that scrolls its lines upward through itself, the credits of the about box: while
// active its child controls are hidden and the text rises one pixel per tick of its timer, until
// it has scrolled out (or, cycled, starts again).

#include "platform/Classes.h"
#include "platform/ExtCtrls.h"

class TSecretPanel : public TPanel {
public:
    explicit TSecretPanel(TComponent* AOwner);
    ~TSecretPanel() override;

    bool Active() const { return FActive; }
    void SetActive(bool value);
    // After the last step, start over instead of stopping.
    bool Cycled() const { return FCycled; }
    void SetCycled(bool value) { FCycled = value; }
    // Milliseconds per step.
    int Interval() const { return FTimer->Interval(); }
    void SetInterval(int value);
    // Engraved text: a highlight copy one pixel down-right (lowered) or up-left (raised).
    TBevelCut TextStyle() const { return FTextStyle; }
    void SetTextStyle(TBevelCut value);
    TStrings& Lines() { return FLines; }

    // Pixels scrolled so far, and the position at which the text has gone.
    int ScrollPosition() const { return FScrollPos; }
    int ScrollLength() const { return FScrollLength; }
    TTimer* Timer() const { return FTimer; }

    TNotifyEvent OnStartPlay;
    TNotifyEvent OnStopPlay;

protected:
    void Paint() override;
    // One timer tick: the text rises a pixel, or the play ends.
    virtual void ScrollStep(TObject* Sender);
    virtual void NotifyStart();
    virtual void NotifyStop();

private:
    void Start();
    void Stop();
    // Line height, first shown line, text area and scroll length, for the lines as they are.
    void PrepareLines();
    void LinesChanged(TObject* Sender);
    void HideChildren();
    void ShowHiddenChildren();
    void PaintScrollText();

    bool FActive = false;
    bool FCycled = false;
    TBevelCut FTextStyle = bvNone;
    TStringList FLines;
    TTimer* FTimer = nullptr;
    int FScrollPos = 0;
    int FScrollLength = 0;
    int FLineHeight = 1;
    int FFirstLine = 0;
    TRect FTextRect;
    std::vector<TControl*> FHiddenChildren;
};
