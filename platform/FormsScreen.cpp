#include "platform/DateTime.h"
#include "platform/Forms.h"
#include "platform/Peer.h"
#include "platform/TestHooks.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <numeric>

struct HCURSOR__ {
    QCursor Cursor; // an animated cursor's frame shown now
    // An animated cursor's frames, each shown for its time in sixtieths of a second from Start.
    std::vector<QCursor> Frames;
    std::vector<unsigned> Jiffies;
    TDateTime Start = 0;
    int Shown = 0;
};

namespace {

struct StockCursor {
    TCursor Number;
    Qt::CursorShape Shape;
};

constexpr StockCursor StockCursors[] = {
    {crDefault, Qt::ArrowCursor},    {crNone, Qt::BlankCursor},
    {crArrow, Qt::ArrowCursor},      {crCross, Qt::CrossCursor},
    {crIBeam, Qt::IBeamCursor},      {crSizeNESW, Qt::SizeBDiagCursor},
    {crSizeNS, Qt::SizeVerCursor},   {crSizeNWSE, Qt::SizeFDiagCursor},
    {crSizeWE, Qt::SizeHorCursor},   {crUpArrow, Qt::UpArrowCursor},
    {crHourGlass, Qt::WaitCursor},   {crDrag, Qt::DragMoveCursor},
    {crNoDrop, Qt::ForbiddenCursor}, {crHSplit, Qt::SplitHCursor},
    {crVSplit, Qt::SplitVCursor},    {crMultiDrag, Qt::DragCopyCursor},
    {crSQLWait, Qt::WaitCursor},     {crNo, Qt::ForbiddenCursor},
    {crAppStart, Qt::BusyCursor},    {crHelp, Qt::WhatsThisCursor},
};

// The program's cursor resources, drawn with the nearest stock shapes.
struct NamedCursor {
    const char* Name;
    Qt::CursorShape Shape;
};

constexpr NamedCursor NamedCursors[] = {
    {"HAND", Qt::PointingHandCursor},     {"WBHAND", Qt::PointingHandCursor},
    {"WLHAND", Qt::PointingHandCursor},   {"QM_HANDCUR", Qt::PointingHandCursor},
    {"QM_DRAGCUR", Qt::ClosedHandCursor}, {"DRAGCURSOR", Qt::ClosedHandCursor},
    {"MYHELP", Qt::WhatsThisCursor},
};

// Cursors live as long as the program: handles to them are kept anywhere.
HCURSOR CursorOfShape(Qt::CursorShape shape) {
    static auto* made = new std::map<Qt::CursorShape, HCURSOR>;
    HCURSOR& cursor = (*made)[shape];
    if (!cursor) {
        cursor = new HCURSOR__;
        cursor->Cursor = QCursor(shape);
    }
    return cursor;
}

} // namespace

HINSTANCE HInstance = nullptr;

HCURSOR LoadCursor(HINSTANCE /*instance*/, const char* name) {
    for (const NamedCursor& named : NamedCursors)
        if (SameText(named.Name, name))
            return CursorOfShape(named.Shape);
    return nullptr;
}

QCursor CursorFor(TCursor cursor) {
    HCURSOR handle = Screen ? Screen->Cursors(cursor) : nullptr;
    return handle ? handle->Cursor : QCursor(Qt::ArrowCursor);
}

namespace {

std::vector<HCURSOR>& AnimatedCursors() {
    static auto* cursors = new std::vector<HCURSOR>;
    return *cursors;
}

QTimer* AnimationTimer() {
    static QTimer* timer = nullptr;
    if (!timer && QCoreApplication::instance()) {
        timer = new QTimer(QCoreApplication::instance());
        timer->setInterval(1000 / 60);
        QObject::connect(timer, &QTimer::timeout, [] { RefreshAnimatedCursors(); });
    }
    return timer;
}

void ShowCursorOn(TControl& control, HCURSOR cursor) {
    if (Screen->Cursors(control.Cursor()) == cursor)
        control.Peer().SetCursor(control.Cursor());
    if (auto* window = dynamic_cast<TWinControl*>(&control))
        for (int i = 0; i < window->ControlCount(); ++i)
            ShowCursorOn(*window->Controls(i), cursor);
}

} // namespace

HCURSOR CreateAnimatedCursor(const std::vector<TCursorFrame>& frames) {
    if (frames.empty())
        return nullptr;
    auto* cursor = new HCURSOR__;
    for (const TCursorFrame& frame : frames) {
        QPixmap picture =
            frame.Picture ? QPixmap::fromImage(BitmapImage(*frame.Picture)) : QPixmap();
        cursor->Frames.push_back(QCursor(picture, frame.HotSpot.x, frame.HotSpot.y));
        cursor->Jiffies.push_back(std::max(frame.Jiffies, 1u));
    }
    cursor->Cursor = cursor->Frames.front();
    cursor->Start = Now();
    AnimatedCursors().push_back(cursor);
    if (QTimer* timer = AnimationTimer())
        timer->start();
    return cursor;
}

void DestroyCursor(HCURSOR cursor) {
    auto& cursors = AnimatedCursors();
    cursors.erase(std::remove(cursors.begin(), cursors.end(), cursor), cursors.end());
    if (cursors.empty())
        if (QTimer* timer = AnimationTimer())
            timer->stop();
    delete cursor;
}

int CursorFrameShown(HCURSOR cursor) {
    if (!cursor || cursor->Frames.empty())
        return 0;
    // A day count holds a moment to a few microseconds only: a hair more counts as the jiffy.
    const double elapsed = std::max(0.0, (Now() - cursor->Start) * 24 * 60 * 60 * 60);
    const unsigned total = std::accumulate(cursor->Jiffies.begin(), cursor->Jiffies.end(), 0u);
    auto jiffy = static_cast<unsigned>(std::fmod(std::floor(elapsed + 1e-3), total));
    int frame = 0;
    while (jiffy >= cursor->Jiffies[frame]) {
        jiffy -= cursor->Jiffies[frame];
        ++frame;
    }
    return frame;
}

void RefreshAnimatedCursors() {
    for (HCURSOR cursor : AnimatedCursors()) {
        const int frame = CursorFrameShown(cursor);
        if (frame == cursor->Shown)
            continue;
        cursor->Shown = frame;
        cursor->Cursor = cursor->Frames[frame];
        if (!Screen)
            continue;
        for (int i = 0; i < Screen->FormCount(); ++i)
            ShowCursorOn(*Screen->Forms(i), cursor);
        if (Screen->Cursor() != crDefault && Screen->Cursors(Screen->Cursor()) == cursor &&
            QGuiApplication::instance())
            QGuiApplication::changeOverrideCursor(cursor->Cursor);
    }
}

TScreen::TScreen() : TComponent(nullptr) {}

TScreen::~TScreen() = default;

void TScreen::SetCursor(TCursor value) {
    if (value == FCursor)
        return;
    bool overridden = FCursor != crDefault;
    FCursor = value;
    if (!QGuiApplication::instance())
        return;
    if (overridden)
        QGuiApplication::restoreOverrideCursor();
    if (value != crDefault)
        QGuiApplication::setOverrideCursor(CursorFor(value));
}

HCURSOR TScreen::Cursors(int index) const {
    auto it = FCursors.find(index);
    if (it != FCursors.end())
        return it->second;
    for (const StockCursor& stock : StockCursors)
        if (stock.Number == index)
            return CursorOfShape(stock.Shape);
    return CursorOfShape(Qt::ArrowCursor);
}

void TScreen::SetCursors(int index, HCURSOR cursor) {
    if (cursor)
        FCursors[index] = cursor;
    else
        FCursors.erase(index);
}

namespace {

TRect ScreenRect(bool available) {
    QScreen* screen = QGuiApplication::instance() ? QGuiApplication::primaryScreen() : nullptr;
    if (!screen)
        return Rect(0, 0, 1024, 768);
    QRect r = available ? screen->availableGeometry() : screen->geometry();
    return Bounds(r.x(), r.y(), r.width(), r.height());
}

} // namespace

int TScreen::Width() const {
    return TestHooks::Active() ? TestHooks::ScreenSize().cx : ScreenRect(false).Width();
}

int TScreen::Height() const {
    return TestHooks::Active() ? TestHooks::ScreenSize().cy : ScreenRect(false).Height();
}

TRect TScreen::WorkAreaRect() const {
    return TestHooks::Active() ? TestHooks::WorkArea() : ScreenRect(true);
}

TRect TScreen::DesktopRect() const {
    if (TestHooks::Active())
        return Rect(0, 0, TestHooks::ScreenSize().cx, TestHooks::ScreenSize().cy);
    QScreen* screen = QGuiApplication::instance() ? QGuiApplication::primaryScreen() : nullptr;
    if (!screen)
        return ScreenRect(false);
    QRect r = screen->virtualGeometry();
    return Bounds(r.x(), r.y(), r.width(), r.height());
}

TStrings& TScreen::Fonts() {
    if (!FFonts) {
        FFonts = std::make_unique<TStringList>();
        FFonts->SetSorted(true);
        if (QGuiApplication::instance())
            for (const QString& family : QFontDatabase::families())
                FFonts->Add(TextFromDisplay(family));
    }
    return *FFonts;
}

std::vector<TFontFamily> TScreen::FontFamilies() const {
    if (const std::vector<TFontFamily>* fixed = TestHooks::FontFamilies())
        return *fixed;
    std::vector<TFontFamily> families;
    if (!QGuiApplication::instance())
        return families;
    for (const QString& family : QFontDatabase::families()) {
        uint8_t kind = QFontDatabase::isFixedPitch(family) ? 0 : TMPF_FIXED_PITCH;
        if (QFontDatabase::isSmoothlyScalable(family))
            kind |= TMPF_TRUETYPE;
        families.push_back({TextFromDisplay(family), kind});
    }
    return families;
}

TForm* TScreen::ActiveForm() const {
    for (TForm* form : FForms)
        if (form->Active())
            return form;
    return nullptr;
}

TForm* TScreen::Forms(int index) const {
    if (index < 0 || index >= FormCount())
        throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    return FForms[index];
}

void TScreen::AddForm(TForm* form) {
    FForms.push_back(form);
}

void TScreen::RemoveForm(TForm* form) {
    std::erase(FForms, form);
}
