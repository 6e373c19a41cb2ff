#include "services/RichPrint.h"

#include "platform/Registry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

constexpr double MillimetresToInches = 0.03937007874015748;
constexpr double InchesToMillimetres = 25.4;

const char* const MarginNames[] = {"MarginTop", "MarginBottom", "MarginLeft", "MarginRight"};

bool MarginsStored() {
    return TRegistry().KeyExists(RichPrintMarginsPath());
}

// A stored margin, or false when there is none that can be used.
bool ReadStoredMargin(const char* name, double& value) {
    TRegistry registry;
    if (!registry.OpenKeyReadOnly(RichPrintMarginsPath()) ||
        registry.GetDataType(name) != rdBinary || registry.GetDataSize(name) != 8)
        return false;
    unsigned char bytes[8];
    registry.ReadBinaryData(name, bytes, sizeof bytes);
    uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = bits << 8 | bytes[i];
    std::memcpy(&value, &bits, sizeof value);
    return std::isfinite(value);
}

void WriteStoredMargin(const char* name, double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    unsigned char bytes[8];
    for (unsigned char& byte : bytes) {
        byte = static_cast<unsigned char>(bits);
        bits >>= 8;
    }
    TRegistry registry;
    registry.OpenKey(RichPrintMarginsPath(), true);
    registry.WriteBinaryData(name, bytes, sizeof bytes);
}

// "CodeMeasurement" and "CodeDirection": 1 unless a number is stored as a string.
int ReadCode(const char* name) {
    TRegistry registry;
    if (!registry.OpenKeyReadOnly(RichPrintMarginsPath()) || registry.GetDataType(name) != rdString)
        return 1;
    return StrToIntDef(registry.ReadString(name), 1);
}

void WriteCode(const char* name, int code) {
    TRegistry registry;
    registry.OpenKey(RichPrintMarginsPath(), true);
    registry.WriteString(name, IntToStr(code));
}

} // namespace

String RichPrintMarginsPath() {
    return String("\\") + RichPrintSettingsKey + "\\" + RichPrintMarginsKey;
}

TRichPrinter::TRichPrinter(TComponent* AOwner) : TComponent(AOwner) {
    FFontHeaderFooter.SetName("Courier New");
    FFontHeaderFooter.SetSize(10);
    AdoptStoredUnit();
    if (!MarginsStored())
        SetOrientation(poPortrait);
    SetMeasureUnit(FMeasureUnit);
    LoadPageSettings();
}

void TRichPrinter::RefuseWhilePrinting(const char* what) const {
    if (IsPrinting())
        throw ELinePrinter(String("Unable to change ") + what + " while printing");
}

// Margins stored in inches must be re-applied as inches: taken for millimetres, they would be
// clamped to the unprintable edge and written back, and the user's margins would be lost.
void TRichPrinter::AdoptStoredUnit() {
    if (!MarginsStored() || ReadCode("CodeMeasurement") == 1)
        return;
    FMeasureUnit = muInches;
    for (double& margin : FMargins)
        margin *= MillimetresToInches;
    FBorderOffset *= MillimetresToInches;
}

// ---- Geometry

int TRichPrinter::UnitsToPixelsX(double value) const {
    double inches = FMeasureUnit == muMillimeters ? value * MillimetresToInches : value;
    return static_cast<int>(std::nearbyint(Printer().Page().PixelsPerInchX * inches));
}

int TRichPrinter::UnitsToPixelsY(double value) const {
    double inches = FMeasureUnit == muMillimeters ? value * MillimetresToInches : value;
    return static_cast<int>(std::nearbyint(Printer().Page().PixelsPerInchY * inches));
}

namespace {

double PixelsToUnits(int pixels, int pixelsPerInch, TMeasureUnit unit) {
    double inches = pixels / double(pixelsPerInch > 0 ? pixelsPerInch : 600);
    return unit == muMillimeters ? inches * InchesToMillimetres : inches;
}

} // namespace

double TRichPrinter::PixelsToUnitsX(int pixels) const {
    return PixelsToUnits(pixels, Printer().Page().PixelsPerInchX, FMeasureUnit);
}

double TRichPrinter::PixelsToUnitsY(int pixels) const {
    return PixelsToUnits(pixels, Printer().Page().PixelsPerInchY, FMeasureUnit);
}

double TRichPrinter::PhysicalPageWidth() const {
    return PixelsToUnitsX(Printer().Page().PhysicalWidth);
}

double TRichPrinter::PhysicalPageHeight() const {
    return PixelsToUnitsY(Printer().Page().PhysicalHeight);
}

double TRichPrinter::PrintableWidth() const {
    return PixelsToUnitsX(Printer().Page().PrintableWidth);
}

double TRichPrinter::PrintableHeight() const {
    return PixelsToUnitsY(Printer().Page().PrintableHeight);
}

double TRichPrinter::GutterTop() const {
    return PixelsToUnitsY(Printer().Page().OffsetY);
}

double TRichPrinter::GutterLeft() const {
    return PixelsToUnitsX(Printer().Page().OffsetX);
}

double TRichPrinter::GutterRight() const {
    return PhysicalPageWidth() - PrintableWidth() - GutterLeft();
}

double TRichPrinter::GutterBottom() const {
    return PhysicalPageHeight() - PrintableHeight() - GutterTop();
}

// ---- Margins

double TRichPrinter::Margin(TMarginSide side) const {
    double stored;
    return ReadStoredMargin(MarginNames[side], stored) ? stored : FMargins[side];
}

void TRichPrinter::SetMargin(TMarginSide side, double value) {
    static const char* const sides[] = {"top margin", "bottom margin", "left margin",
                                        "right margin"};
    RefuseWhilePrinting(sides[side]);
    if (std::isnan(value))
        return;
    double lower[] = {GutterTop(), GutterBottom(), GutterLeft(), GutterRight()};
    double upper[] = {PhysicalPageHeight() - GutterBottom(), PhysicalPageHeight() - GutterTop(),
                      PhysicalPageWidth() - GutterRight(), PhysicalPageWidth() - GutterLeft()};
    FMargins[side] = std::clamp(value, lower[side], upper[side]);
    WriteStoredMargin(MarginNames[side], FMargins[side]);
}

double TRichPrinter::MarginTop() const {
    return Margin(msTop);
}

void TRichPrinter::SetMarginTop(double value) {
    SetMargin(msTop, value);
}

double TRichPrinter::MarginBottom() const {
    return Margin(msBottom);
}

void TRichPrinter::SetMarginBottom(double value) {
    SetMargin(msBottom, value);
}

double TRichPrinter::MarginLeft() const {
    return Margin(msLeft);
}

void TRichPrinter::SetMarginLeft(double value) {
    SetMargin(msLeft, value);
}

double TRichPrinter::MarginRight() const {
    return Margin(msRight);
}

void TRichPrinter::SetMarginRight(double value) {
    SetMargin(msRight, value);
}

void TRichPrinter::ReapplyMargins() {
    SetMarginTop(MarginTop());
    SetMarginBottom(MarginBottom());
    SetMarginLeft(MarginLeft());
    SetMarginRight(MarginRight());
}

// ---- Unit, orientation, settings

void TRichPrinter::SetMeasureUnit(TMeasureUnit value) {
    TMeasureUnit old = FMeasureUnit;
    FMeasureUnit = value;
    if (value != old) {
        double factor = value == muInches ? MillimetresToInches : InchesToMillimetres;
        SetMarginTop(MarginTop() * factor);
        SetMarginBottom(MarginBottom() * factor);
        SetMarginLeft(MarginLeft() * factor);
        SetMarginRight(MarginRight() * factor);
        FBorderOffset *= factor;
    }
    ReapplyMargins();
    WriteCode("CodeMeasurement", value == muMillimeters ? 1 : 0);
}

TPrinterOrientation TRichPrinter::Orientation() const {
    if (MarginsStored())
        return ReadCode("CodeDirection") == 1 ? poPortrait : poLandscape;
    return Printer().Orientation();
}

void TRichPrinter::SetOrientation(TPrinterOrientation value) {
    RefuseWhilePrinting("orientation");
    Printer().SetOrientation(value);
    WriteCode("CodeDirection", Printer().Orientation() == poPortrait ? 1 : 0);
}

String TRichPrinter::Title() const {
    return Printer().Title();
}

void TRichPrinter::SetTitle(const String& value) {
    RefuseWhilePrinting("title");
    Printer().SetTitle(value);
}

void TRichPrinter::SetFont_HeaderFooter(const TFont& value) {
    FFontHeaderFooter.Assign(value);
    if (FFontHeaderFooter.Color() == clWhite)
        FFontHeaderFooter.SetColor(clBlack);
}

// A margin's getter gives the stored value, or the field where none can be used, so each margin
// goes through its setter in the same way whether settings are stored or not.
void TRichPrinter::LoadPageSettings() {
    bool stored = MarginsStored();
    for (TMarginSide side : {msLeft, msTop, msBottom, msRight})
        SetMargin(side, Margin(side));
    if (stored)
        SetMeasureUnit(ReadCode("CodeMeasurement") == 1 ? muMillimeters : muInches);
    else
        SetMeasureUnit(FMeasureUnit);
    SetOrientation(Orientation());
}

void TRichPrinter::SavePageSettings() {
    for (TMarginSide side : {msLeft, msTop, msBottom, msRight})
        WriteStoredMargin(MarginNames[side], Margin(side));
    WriteCode("CodeMeasurement", FMeasureUnit == muMillimeters ? 1 : 0);
    WriteCode("CodeDirection", Orientation() == poPortrait ? 1 : 0);
}

void TRichPrinter::SetOptions_Dialog(TPageOptions value) {
    enum : unsigned {
        PSD_INTHOUSANDTHSOFINCHES = 0x4,
        PSD_INHUNDREDTHSOFMILLIMETERS = 0x8,
        PSD_MARGINS = 0x2,
        PSD_DISABLEMARGINS = 0x10,
        PSD_DISABLEPRINTER = 0x20,
        PSD_DISABLEORIENTATION = 0x100,
        PSD_DISABLEPAPER = 0x200,
    };
    FOptionsDialog = value;
    FPageSetupFlags = 0;
    if (FOptionsDialog.Contains(poDisableMargins)) {
        FPageSetupFlags = PSD_DISABLEMARGINS;
        FOptionsDialog >> poMargins;
    }
    if (FOptionsDialog.Contains(poMargins)) {
        FPageSetupFlags |= PSD_MARGINS;
        FOptionsDialog >> poDisableMargins;
    }
    if (FOptionsDialog.Contains(poDisableOrientation))
        FPageSetupFlags |= PSD_DISABLEORIENTATION;
    if (FOptionsDialog.Contains(poDisablePaper))
        FPageSetupFlags |= PSD_DISABLEPAPER;
    if (FOptionsDialog.Contains(poDisablePrinter))
        FPageSetupFlags |= PSD_DISABLEPRINTER;
    FPageSetupFlags |=
        FMeasureUnit == muMillimeters ? PSD_INHUNDREDTHSOFMILLIMETERS : PSD_INTHOUSANDTHSOFINCHES;
}
