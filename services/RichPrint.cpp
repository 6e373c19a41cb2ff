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

// The page as the framework assumes it when no printer can be reached, which is the only page
// there is until printing reaches a printer: letter-sized in inches, A4 in millimetres.
struct TPageGeometry {
    double PhysicalWidth;
    double PhysicalHeight;
    double PrintableWidth;
    double PrintableHeight;
    double GutterLeft;
    double GutterTop;
};

const TPageGeometry& Geometry(TMeasureUnit unit) {
    static const TPageGeometry millimetres{210, 297, 198, 284, 6, 6};
    static const TPageGeometry inches{8.5, 11, 8.0, 10.5, 0.25, 0.25};
    return unit == muInches ? inches : millimetres;
}

} // namespace

String RichPrintMarginsPath() {
    return String("\\") + RichPrintSettingsKey + "\\" + RichPrintMarginsKey;
}

TRichPrinter::TRichPrinter(TComponent* AOwner) : TComponent(AOwner) {
    AdoptStoredUnit();
    SetOrientation(poPortrait);
    SetMeasureUnit(FMeasureUnit);
    LoadPageSettings();
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

double TRichPrinter::PhysicalPageWidth() const {
    return Geometry(FMeasureUnit).PhysicalWidth;
}

double TRichPrinter::PhysicalPageHeight() const {
    return Geometry(FMeasureUnit).PhysicalHeight;
}

double TRichPrinter::PrintableWidth() const {
    return Geometry(FMeasureUnit).PrintableWidth;
}

double TRichPrinter::PrintableHeight() const {
    return Geometry(FMeasureUnit).PrintableHeight;
}

double TRichPrinter::GutterTop() const {
    return Geometry(FMeasureUnit).GutterTop;
}

double TRichPrinter::GutterLeft() const {
    return Geometry(FMeasureUnit).GutterLeft;
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
    return poPortrait;
}

// No printer is reached that could be turned, so the page stays upright and that is stored.
void TRichPrinter::SetOrientation(TPrinterOrientation) {
    WriteCode("CodeDirection", 1);
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
