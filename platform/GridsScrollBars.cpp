// The grid's scroll bars: its window holds them beside its cells, shows each only while the
// grid's lines do not all fit, and turns the user's work on them into WM_HSCROLL and WM_VSCROLL.

#include "platform/Grids.h"
#include "platform/GridsPrivate.h"
#include "platform/StdPeers.h"

#include <QGridLayout>
#include <QScrollBar>

#include <algorithm>

class TGridPeer : public TStdPeer {
public:
    explicit TGridPeer(TControl& control) : TStdPeer(control, new QWidget), FClient(new QWidget) {
        auto* layout = new QGridLayout(Widget());
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        layout->addWidget(FClient, 0, 0);
        for (bool horizontal : {false, true}) {
            auto* bar = new QScrollBar(horizontal ? Qt::Horizontal : Qt::Vertical);
            bar->setFocusPolicy(Qt::NoFocus);
            bar->hide();
            layout->addWidget(bar, horizontal ? 1 : 0, horizontal ? 0 : 1);
            QObject::connect(bar, &QScrollBar::actionTriggered, this,
                             Report([this, horizontal](int action) { Act(horizontal, action); }));
            QObject::connect(bar, &QScrollBar::sliderReleased, this, Report([this, horizontal] {
                                 Send(horizontal, SB_THUMBPOSITION, Bar(horizontal)->value());
                             }));
            FBars[horizontal] = bar;
        }
        FClient->setFocusPolicy(Qt::StrongFocus);
        Widget()->setFocusProxy(FClient);
        Watch(FClient);
    }
    QWidget* ClientWidget() const override { return FClient; }

    // The bar's range of positions, the part of it one page shows, and where it stands; a bar
    // without a range is hidden.
    void SetScrollBar(bool horizontal, bool shown, int maximum, int page, int position) {
        QScrollBar* bar = Bar(horizontal);
        QSignalBlocker blocker(bar);
        bar->setRange(0, std::max(maximum, 0));
        bar->setPageStep(std::max(page, 1));
        bar->setValue(position);
        FWanted[horizontal] = position;
        if (bar->isVisibleTo(Widget()) != shown) {
            bar->setVisible(shown);
            Widget()->layout()->activate();
        }
    }
    // The room a shown bar takes from the window's client area.
    int BarExtent(bool horizontal) const {
        QScrollBar* bar = Bar(horizontal);
        if (!bar->isVisibleTo(Widget()))
            return 0;
        return horizontal ? bar->sizeHint().height() : bar->sizeHint().width();
    }

private:
    QScrollBar* Bar(bool horizontal) const { return FBars[horizontal]; }

    void Act(bool horizontal, int action) {
        QScrollBar* bar = Bar(horizontal);
        switch (action) {
        case QAbstractSlider::SliderSingleStepAdd:
            Send(horizontal, SB_LINEDOWN, 0);
            break;
        case QAbstractSlider::SliderSingleStepSub:
            Send(horizontal, SB_LINEUP, 0);
            break;
        case QAbstractSlider::SliderPageStepAdd:
            Send(horizontal, SB_PAGEDOWN, 0);
            break;
        case QAbstractSlider::SliderPageStepSub:
            Send(horizontal, SB_PAGEUP, 0);
            break;
        case QAbstractSlider::SliderToMinimum:
            Send(horizontal, SB_TOP, 0);
            break;
        case QAbstractSlider::SliderToMaximum:
            Send(horizontal, SB_BOTTOM, 0);
            break;
        case QAbstractSlider::SliderMove:
            // The thumb follows the mouse; the grid follows it when it tracks the thumb.
            Send(horizontal, SB_THUMBTRACK, bar->sliderPosition());
            return;
        default:
            return;
        }
        // The bar stands where the grid went, not where the step alone would put it.
        bar->setSliderPosition(FWanted[horizontal]);
    }

    void Send(bool horizontal, WORD code, int position) {
        TMessage message{horizontal ? UINT{WM_HSCROLL} : UINT{WM_VSCROLL},
                         MAKEWPARAM(code, position), 0, 0};
        Deliver(message);
    }

    QWidget* FClient;
    QScrollBar* FBars[2] = {};
    int FWanted[2] = {};
};

std::unique_ptr<TControlPeer> GridsPrivate::MakeGridPeer(TControl& control) {
    return MakePeer<TGridPeer>(control);
}

void TCustomGrid::SetScrollBars(TScrollStyle value) {
    FScrollBars = value;
    UpdateScrollRange();
}

TRect TCustomGrid::ClientRect() const {
    return Rect(0, 0, Width() - TypedPeer().BarExtent(false),
                Height() - TypedPeer().BarExtent(true));
}

// The first scrollable line that can stand at the top (left) with every line after it in view.
int TCustomGrid::MaxTopLeft(bool columns) const {
    int count = columns ? ColCount() : RowCount();
    int fixed = columns ? FFixedCols : FFixedRows;
    int room = columns ? ClientWidth() : ClientHeight();
    for (int i = 0; i < fixed; ++i)
        room -= (columns ? FColWidths[i] : FRowHeights[i]) + FGridLineWidth;
    int first = count - 1;
    for (int i = count - 1; i >= fixed; --i) {
        room -= (columns ? FColWidths[i] : FRowHeights[i]) + FGridLineWidth;
        if (room < 0)
            break;
        first = i;
    }
    return std::max(first, fixed);
}

void TCustomGrid::UpdateScrollRange() {
    // Showing one bar narrows the room for the other's lines: settle both twice.
    for (int pass = 0; pass < 2; ++pass)
        for (bool columns : {true, false}) {
            bool wanted =
                FScrollBars == ssBoth || FScrollBars == (columns ? ssHorizontal : ssVertical);
            int fixed = columns ? FFixedCols : FFixedRows;
            int maximum = MaxTopLeft(columns) - fixed;
            int position = (columns ? FTopLeft.X : FTopLeft.Y) - fixed;
            int page = columns ? VisibleColCount() : VisibleRowCount();
            TypedPeer().SetScrollBar(columns, wanted && (maximum > 0 || position > 0), maximum,
                                     page, position);
        }
}
