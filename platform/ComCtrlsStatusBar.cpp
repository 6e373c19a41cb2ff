#include "platform/ComCtrls.h"
#include "platform/StdPeers.h"

#include <QSizeGrip>

#include <algorithm>

void TStatusPanel::SetText(const String& value) {
    FText = value;
    FBar.Invalidate();
}

void TStatusPanel::SetWidth(int value) {
    FWidth = value;
    FBar.Invalidate();
}

void TStatusPanel::SetAlignment(TAlignment value) {
    FAlignment = value;
    FBar.Invalidate();
}

TStatusPanel* TStatusPanels::Items(int index) const {
    if (index < 0 || index >= Count())
        throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    return FItems[index].get();
}

TStatusPanel* TStatusPanels::Add() {
    FItems.push_back(std::make_unique<TStatusPanel>(FBar));
    FBar.Invalidate();
    return FItems.back().get();
}

void TStatusPanels::Delete(int index) {
    Items(index);
    FItems.erase(FItems.begin() + index);
    FBar.Invalidate();
}

class TStatusBarPeer : public TPaintedPeer {
public:
    explicit TStatusBarPeer(TControl& control)
        : TPaintedPeer(control), FGrip(new QSizeGrip(Widget())) {
        FGrip->hide();
    }
    void ShowGrip(bool shown, const TRect& client) {
        int size = std::min(client.Height(), 16);
        FGrip->setGeometry(client.Right - size, client.Bottom - size, size, size);
        FGrip->setVisible(shown);
    }

private:
    QSizeGrip* FGrip;
};

namespace {

void DrawPanelText(TCanvas& canvas, const TRect& rect, const String& text, TAlignment alignment) {
    TSize extent = canvas.TextExtent(text);
    int x = alignment == taLeftJustify    ? rect.Left + 2
            : alignment == taRightJustify ? rect.Right - 2 - extent.cx
                                          : rect.Left + (rect.Width() - extent.cx) / 2;
    canvas.Brush().SetStyle(bsClear);
    canvas.TextRect(rect, x, rect.Top + (rect.Height() - extent.cy) / 2, text);
}

} // namespace

TStatusBar::TStatusBar(TComponent* AOwner)
    : TCustomControl(AOwner, MakePeer<TStatusBarPeer>), TPeerOf(Peer()), FPanels(*this) {
    SetColor(clBtnFace);
    SetBounds(0, 0, 185, 19);
    SetAlign(alBottom);
    SetSizeGrip(true);
}

void TStatusBar::SetSimplePanel(bool value) {
    FSimplePanel = value;
    Invalidate();
}

void TStatusBar::SetSimpleText(const String& value) {
    FSimpleText = value;
    Invalidate();
}

void TStatusBar::SetSizeGrip(bool value) {
    FSizeGrip = value;
    TypedPeer().ShowGrip(value, ClientRect());
}

TRect TStatusBar::PanelRect(int index) const {
    FPanels.Items(index);
    int left = 0;
    for (int i = 0; i < index; ++i)
        left += FPanels.Items(i)->Width();
    int right = index == FPanels.Count() - 1 ? ClientWidth() : left + FPanels.Items(index)->Width();
    return Rect(left, 2, std::max(left, right), ClientHeight());
}

void TStatusBar::Paint() {
    TypedPeer().ShowGrip(FSizeGrip, ClientRect());
    TCanvas& canvas = Canvas();
    if (FSimplePanel) {
        DrawPanelText(canvas, Rect(0, 2, ClientWidth(), ClientHeight()), FSimpleText,
                      taLeftJustify);
        return;
    }
    for (int i = 0; i < FPanels.Count(); ++i) {
        const TStatusPanel& panel = *FPanels.Items(i);
        TRect rect = PanelRect(i);
        if (panel.Bevel() == pbLowered)
            Frame3D(canvas, rect, clBtnShadow, clBtnHighlight, 1);
        else if (panel.Bevel() == pbRaised)
            Frame3D(canvas, rect, clBtnHighlight, clBtnShadow, 1);
        DrawPanelText(canvas, rect, panel.Text(), panel.Alignment());
    }
}
