// The printer's page settings: margins kept in the registry as 8-byte doubles, clamped to the
// page, read back robustly, converted with the measuring unit; orientation and the page-setup
// flags.

#include "services/RichPrint.h"

#include "platform/Registry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>

namespace {

const char* const MarginsKey = "\\RichPrint.Settings\\Marges";

String DoubleBytes(double value) {
    String bytes(8, '\0');
    std::memcpy(bytes.data(), &value, 8); // the test machine is little-endian, as the format is
    return bytes;
}

void StoreBinary(const char* name, const String& bytes) {
    TRegistry reg;
    reg.OpenKey(MarginsKey, true);
    reg.WriteBinaryData(name, bytes.data(), static_cast<int>(bytes.size()));
}

void StoreString(const char* name, const String& text) {
    TRegistry reg;
    reg.OpenKey(MarginsKey, true);
    reg.WriteString(name, text);
}

// The values as the program's start-up seeds them.
void SeedStartupValues() {
    for (auto [name, value] : {std::pair{"MarginBottom", 25.0},
                               {"MarginTop", 20.0},
                               {"MarginLeft", 20.0},
                               {"MarginRight", 20.0}})
        StoreBinary(name, DoubleBytes(value));
    StoreString("CodeDirection", "1");
    StoreString("CodeMeasurement", "1");
    StoreString("CodePlainText", "0");
}

// The stored margin; NaN when it is not an 8-byte binary value.
double StoredMargin(const char* name) {
    TRegistry reg;
    if (!reg.OpenKeyReadOnly(MarginsKey) || reg.GetDataType(name) != rdBinary ||
        reg.GetDataSize(name) != 8)
        return std::numeric_limits<double>::quiet_NaN();
    double value;
    reg.ReadBinaryData(name, &value, 8);
    return value;
}

String StoredString(const char* name) {
    TRegistry reg;
    if (!reg.OpenKeyReadOnly(MarginsKey) || reg.GetDataType(name) != rdString)
        return "<no string>";
    return reg.ReadString(name);
}

} // namespace

TEST(RichPrinter, WithNothingStoredItsOwnMarginsAreWrittenInMillimetresAndPortrait) {
    TRichPrinter printer(nullptr);

    EXPECT_EQ(printer.MarginTop(), 30);
    EXPECT_EQ(printer.MarginBottom(), 25);
    EXPECT_EQ(printer.MarginLeft(), 25);
    EXPECT_EQ(printer.MarginRight(), 15);
    EXPECT_EQ(StoredMargin("MarginTop"), 30);
    EXPECT_EQ(StoredMargin("MarginBottom"), 25);
    EXPECT_EQ(StoredMargin("MarginLeft"), 25);
    EXPECT_EQ(StoredMargin("MarginRight"), 15);
    EXPECT_EQ(StoredString("CodeMeasurement"), "1");
    EXPECT_EQ(StoredString("CodeDirection"), "1");
    EXPECT_EQ(printer.MeasureUnit(), muMillimeters);
    EXPECT_EQ(printer.Orientation(), poPortrait);
}

TEST(RichPrinter, StoredMarginsStandAndASetMarginIsClampedToThePageAndStoredAtOnce) {
    SeedStartupValues();
    TRichPrinter printer(nullptr);
    EXPECT_EQ(printer.MarginTop(), 20);
    EXPECT_EQ(printer.MarginBottom(), 25);
    EXPECT_EQ(printer.MarginLeft(), 20);
    EXPECT_EQ(printer.MarginRight(), 20);
    EXPECT_EQ(StoredString("CodePlainText"), "0");

    // The stand-in printer's A4 page of 210 x 297 mm, whose printable part starts 6 mm in and is
    // 198 x 284 mm, to its pixels.
    struct Case {
        const char* Name;
        void (TRichPrinter::*Set)(double);
        double (TRichPrinter::*Get)() const;
        double Value;
        double Expected;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {"MarginLeft", &TRichPrinter::SetMarginLeft, &TRichPrinter::MarginLeft, 12.5, 12.5},
        {"MarginLeft", &TRichPrinter::SetMarginLeft, &TRichPrinter::MarginLeft, 0, 6},
        {"MarginLeft", &TRichPrinter::SetMarginLeft, &TRichPrinter::MarginLeft, 1000, 204},
        {"MarginRight", &TRichPrinter::SetMarginRight, &TRichPrinter::MarginRight, -5, 6},
        {"MarginTop", &TRichPrinter::SetMarginTop, &TRichPrinter::MarginTop, 0, 6},
        {"MarginTop", &TRichPrinter::SetMarginTop, &TRichPrinter::MarginTop, 1000, 290},
        {"MarginBottom", &TRichPrinter::SetMarginBottom, &TRichPrinter::MarginBottom, 0, 7},
        {"MarginBottom", &TRichPrinter::SetMarginBottom, &TRichPrinter::MarginBottom, 1000, 291},
        {"MarginBottom", &TRichPrinter::SetMarginBottom, &TRichPrinter::MarginBottom, nan, 291},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(String(c.Name) + " := " + FloatToStr(c.Value));
        (printer.*c.Set)(c.Value);
        EXPECT_NEAR((printer.*c.Get)(), c.Expected, 0.2); // Qt rounds the paper to points
        EXPECT_EQ(StoredMargin(c.Name), (printer.*c.Get)());
    }
}

TEST(RichPrinter, AStoredMarginThatCannotBeReadCountsAsMissing) {
    struct Case {
        const char* Name;
        std::function<void()> Store;
    };
    const Case cases[] = {
        {"string", [] { StoreString("MarginTop", "20"); }},
        {"integer",
         [] {
             TRegistry reg;
             reg.OpenKey(MarginsKey, true);
             reg.WriteInteger("MarginTop", 20);
         }},
        {"4 bytes", [] { StoreBinary("MarginTop", String("\0\0\xA0\x41", 4)); }},
        {"9 bytes", [] { StoreBinary("MarginTop", DoubleBytes(20) + "x"); }},
        {"NaN", [] { StoreBinary("MarginTop", DoubleBytes(std::nan(""))); }},
        {"infinity",
         [] { StoreBinary("MarginTop", DoubleBytes(std::numeric_limits<double>::infinity())); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TRegistry().DeleteKey("\\RichPrint.Settings");
        SeedStartupValues();
        c.Store();

        TRichPrinter printer(nullptr);

        EXPECT_EQ(printer.MarginTop(), 30) << "the printer's own top margin stands";
        EXPECT_EQ(StoredMargin("MarginTop"), 30) << "and is stored in the right form";
        EXPECT_EQ(printer.MarginLeft(), 20);
        EXPECT_EQ(StoredMargin("MarginBottom"), 25);
    }
}

TEST(RichPrinter, ChangingTheUnitConvertsTheMarginsAndInchesSurviveTheNextStart) {
    SeedStartupValues();
    {
        TRichPrinter printer(nullptr);
        printer.SetMeasureUnit(muInches);
        EXPECT_DOUBLE_EQ(printer.MarginTop(), 20 * 0.03937007874015748);
        EXPECT_DOUBLE_EQ(printer.MarginBottom(), 25 * 0.03937007874015748);
        EXPECT_DOUBLE_EQ(printer.BorderOffset(), 2 * 0.03937007874015748);
        EXPECT_EQ(StoredString("CodeMeasurement"), "0");
    }

    TRichPrinter printer(nullptr);
    EXPECT_EQ(printer.MeasureUnit(), muInches);
    EXPECT_DOUBLE_EQ(printer.MarginTop(), 20 * 0.03937007874015748);
    EXPECT_DOUBLE_EQ(StoredMargin("MarginLeft"), 20 * 0.03937007874015748);
    EXPECT_DOUBLE_EQ(printer.BorderOffset(), 2 * 0.03937007874015748);

    printer.SetMeasureUnit(muMillimeters);
    EXPECT_NEAR(printer.MarginTop(), 20, 1e-9);
    EXPECT_NEAR(printer.MarginBottom(), 25, 1e-9);
    EXPECT_NEAR(printer.BorderOffset(), 2, 1e-9);
    EXPECT_EQ(StoredString("CodeMeasurement"), "1");
}

TEST(RichPrinter, StoredDirectionDecidesTheOrientation) {
    TRichPrinter printer(nullptr);
    const std::pair<const char*, TPrinterOrientation> cases[] = {
        {"1", poPortrait}, {"0", poLandscape}, {"2", poLandscape}, {"up", poPortrait}};
    for (auto [code, orientation] : cases) {
        SCOPED_TRACE(code);
        StoreString("CodeDirection", code);
        EXPECT_EQ(printer.Orientation(), orientation);
    }
}

TEST(RichPrinter, PageSetupOptionsGiveTheDialogsFlags) {
    struct Case {
        TPageOptions Options;
        TMeasureUnit Unit;
        unsigned Flags;
        TPageOptions Kept;
    };
    const Case cases[] = {
        {{poMargins}, muMillimeters, 0x2 | 0x8, {poMargins}},
        {{poMargins}, muInches, 0x2 | 0x4, {poMargins}},
        {{poDisableMargins, poMargins}, muMillimeters, 0x10 | 0x8, {poDisableMargins}},
        {{poDisableOrientation, poDisablePaper, poDisablePrinter},
         muMillimeters,
         0x100 | 0x200 | 0x20 | 0x8,
         {poDisableOrientation, poDisablePaper, poDisablePrinter}},
    };
    for (const Case& c : cases) {
        TRichPrinter printer(nullptr);
        EXPECT_EQ(printer.PageSetupFlags(), 0u) << "until options are assigned";
        printer.SetMeasureUnit(c.Unit);
        printer.SetOptions_Dialog(c.Options);
        EXPECT_EQ(printer.PageSetupFlags(), c.Flags);
        EXPECT_TRUE(printer.Options_Dialog() == c.Kept);
    }
}

// The stand-in printer has 600 pixels an inch; the page's sizes follow its paper and orientation.
TEST(RichPrinter, UnitsAndPixelsConvertAtThePrintersResolution) {
    TRichPrinter printer(nullptr);
    EXPECT_EQ(printer.UnitsToPixelsX(25.4), 600);
    EXPECT_EQ(printer.UnitsToPixelsY(10), 236);
    EXPECT_DOUBLE_EQ(printer.PixelsToUnitsX(300), 12.7);
    printer.SetMeasureUnit(muInches);
    EXPECT_EQ(printer.UnitsToPixelsY(1.5), 900);
    EXPECT_DOUBLE_EQ(printer.PixelsToUnitsY(150), 0.25);
    printer.SetMeasureUnit(muMillimeters);
    EXPECT_NEAR(printer.PhysicalPageWidth(), 210, 0.2);
    printer.SetOrientation(poLandscape);
    EXPECT_NEAR(printer.PhysicalPageWidth(), 297, 0.2);
    EXPECT_NEAR(printer.PrintableHeight(), 210 - 6 - 7, 0.2);
}
