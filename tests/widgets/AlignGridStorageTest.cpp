#include "AlignGridFixture.h"

#include "TestSupport.h"

namespace {

String Bytes(TMemoryStream& stream) {
    return String(static_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
}

class AlignGridStorageTest : public AlignGridTestBase {
protected:
    // The grid's stream properties as its form would hold them.
    String Write(TStringAlignGrid& grid) {
        TMemoryStream stream;
        TWriter writer(stream);
        grid.DefineProperties(writer);
        writer.WriteProperties();
        return Bytes(stream);
    }
    // Reads into the grid as loading a form does: properties, then Loaded.
    void Read(TStringAlignGrid& grid, const String& bytes) {
        TMemoryStream stream;
        stream.Write(bytes.data(), static_cast<int>(bytes.size()));
        stream.SetPosition(0);
        TReader reader(stream);
        grid.DefineProperties(reader);
        grid.LoadComponents([&] { reader.ReadProperties(); });
    }
    static String Name(const String& name) {
        return String(1, static_cast<char>(name.size())) + name;
    }
    static String EmptyList(const String& name) { return Name(name) + String("\x01\x00", 2); }
    static String EmptyProps() {
        return EmptyList("PropCell") + EmptyList("PropCol") + EmptyList("PropRow") +
               EmptyList("PropFixedCol") + EmptyList("PropFixedRow");
    }
    TStringAlignGrid* NewGrid() {
        auto* grid = new TStringAlignGrid(Form);
        grid->SetColCount(5);
        grid->SetRowCount(5);
        return grid;
    }
};

TEST_F(AlignGridStorageTest, AGridWithoutRecordsWritesFiveEmptyLists) {
    TStringAlignGrid* grid = NewGrid();
    EXPECT_EQ(Write(*grid), EmptyProps() + String(1, '\0'));
}

TEST_F(AlignGridStorageTest, ACellRecordIsWrittenAsItsTaggedSettings) {
    TStringAlignGrid* grid = NewGrid();
    grid->SetAlignCell(2, 3, TMyAlign::alCenter);
    grid->SetEditRow(2, false);
    grid->SetAlignCol(300, TMyAlign::alRight);
    grid->SetColCount(301);
    String expected = Name("PropCell") +
                      String("\x01"
                             "\x02\x02"
                             "\x02\x03"
                             "\x02\x01\x02\x02"
                             "\x02\x00"
                             "\x00",
                             12) +
                      Name("PropCol") +
                      String("\x01"
                             "\x03\x2c\x01"
                             "\x02\x01\x02\x00"
                             "\x02\x00"
                             "\x00",
                             11) +
                      Name("PropRow") +
                      String("\x01"
                             "\x02\x02"
                             "\x02\x03\x02\x01"
                             "\x02\x00"
                             "\x00",
                             10) +
                      EmptyList("PropFixedCol") + EmptyList("PropFixedRow") + String(1, '\0');
    EXPECT_EQ(Write(*grid), expected);
}

TEST_F(AlignGridStorageTest, ARecordMadeByAGetterIsWrittenAnEmptyOneIsNot) {
    TStringAlignGrid* grid = NewGrid();
    grid->FontCol(1);
    grid->SetEditCell(1, 1, true);
    TStringAlignGrid* copy = NewGrid();
    Read(*copy, Write(*grid));
    EXPECT_TRUE(copy->EditCell(1, 1));
    EXPECT_EQ(copy->FontCol(1).Name(), grid->Font().Name());
    String written = Write(*grid);
    EXPECT_NE(written.find(Name("PropCol") + "\x01\x02\x01\x02\x06"), String::npos);
}

TEST_F(AlignGridStorageTest, EverySettingSurvivesARoundTrip) {
    Grid->SetAlignCell(2, 3, TMyAlign::alRight);
    Grid->SetColorCell(2, 3, clYellow);
    Grid->SetSelectedColorCell(2, 3, clMaroon);
    Grid->FontCell(2, 3).SetStyle(TFontStyles{fsBold, fsStrikeOut});
    Grid->FontCell(2, 3).SetHeight(-20);
    Grid->FontCell(2, 3).SetName("Courier New");
    Grid->FontCell(2, 3).SetPitch(fpFixed);
    Grid->SetEditCol(1, false);
    Grid->SetAlignRow(4, TMyAlign::alCenter);
    Grid->SetFixedAlignCol(3, TMyAlign::alRight);
    Grid->BrushFixedRow(0).SetColor(clRed);
    Grid->SetHintCell(1, 2, "valign=top");
    String first = Write(*Grid);

    TStringAlignGrid* copy = NewGrid();
    Read(*copy, first);
    EXPECT_EQ(copy->AlignCell(2, 3), TMyAlign::alRight);
    EXPECT_EQ(copy->ColorCell(2, 3), clYellow);
    EXPECT_EQ(copy->SelectedColorCell(2, 3), clMaroon);
    const TFont& font = copy->CellFont(2, 3);
    EXPECT_EQ(font.Style(), (TFontStyles{fsBold, fsStrikeOut}));
    EXPECT_EQ(font.Height(), -20);
    EXPECT_EQ(font.Name(), "Courier New");
    EXPECT_EQ(font.Pitch(), fpFixed);
    EXPECT_FALSE(copy->EditCell(1, 2));
    EXPECT_EQ(copy->AlignCell(3, 4), TMyAlign::alCenter);
    EXPECT_EQ(copy->AlignCell(3, 0), TMyAlign::alRight);
    EXPECT_EQ(copy->ColorCell(1, 0), clRed);
    EXPECT_EQ(copy->HintCell(1, 2), "valign=top");
    EXPECT_EQ(Write(*copy), first);
}

TEST_F(AlignGridStorageTest, CellTextsAreKeptOnlyOnceAFormCarriedThem) {
    EXPECT_EQ(Write(*Grid).find("Cells"), String::npos);
    String cells = Name("Cells") + "\x01" + String("\x02\x01\x02\x02\x06\x02", 6) + "hi" +
                   String("\x02\x03\x02\x00\x06\x01", 6) + "x" + String(1, '\0');
    TStringAlignGrid* grid = NewGrid();
    grid->SetCells(4, 4, "gone");
    Read(*grid, cells + EmptyProps() + String(1, '\0'));
    EXPECT_EQ(grid->Cells(1, 2), "hi");
    EXPECT_EQ(grid->Cells(3, 0), "x");
    EXPECT_EQ(grid->Cells(4, 4), "") << "a cell the form does not hold becomes empty";
    EXPECT_EQ(Write(*grid), cells + EmptyProps() + String(1, '\0'));
}

TEST_F(AlignGridStorageTest, TheOlderBlocksLoadThroughTheSettersAndAreSavedAsRecords) {
    String legacy = Name("AlignCell") +
                    String("\x0a\x05\x00\x00\x00"
                           "\x02\x00\x03\x00\x02",
                           10) +
                    Name("EditCol") +
                    String("\x0a\x03\x00\x00\x00"
                           "\x01\x00\x00",
                           8) +
                    Name("ColorRow") +
                    String("\x01"
                           "\x02\x02"
                           "\x04\xff\x00\x00\x00"
                           "\x00",
                           9) +
                    String(1, '\0');
    TStringAlignGrid* grid = NewGrid();
    Read(*grid, legacy);
    EXPECT_EQ(grid->AlignCell(2, 3), TMyAlign::alCenter);
    EXPECT_FALSE(grid->EditCell(1, 2));
    EXPECT_EQ(grid->ColorCell(3, 2), clRed);
    String written = Write(*grid);
    EXPECT_NE(written.find(Name("PropCell") +
                           String("\x01\x02\x02\x02\x03\x02\x01\x02\x02\x02\x00\x00", 12)),
              String::npos);
    EXPECT_EQ(written.find("AlignCell"), String::npos);
}

TEST_F(AlignGridStorageTest, DamagedStreamsEndInTheReadErrorWithoutHarm) {
    struct Case {
        const char* What;
        String Bytes;
        String Message;
    } cases[] = {
        {"unknown tag",
         Name("PropCol") + String("\x01\x02\x01\x02\x09\x02\x01\x02\x00\x00\x00", 11),
         "Invalid property value"},
        {"alignment out of range",
         Name("PropCol") + String("\x01\x02\x01\x02\x01\x02\x07\x02\x00\x00\x00", 11),
         "Invalid property value"},
        {"list cut off", Name("PropCell") + String("\x01\x02\x01\x02\x01\x02\x01", 7),
         "Stream read error"},
        {"partial binary entry",
         Name("AlignCell") +
             String("\x0a\x07\x00\x00\x00"
                    "\x02\x00\x03\x00\x02\x01\x00",
                    12) +
             String(1, '\0'),
         "Stream read error"},
        {"binary longer than the stream", Name("EditRow") + String("\x0a\xff\xff\xff\x0f\x01", 6),
         "Stream read error"},
        {"hint text longer than the stream",
         Name("HintCell") + String("\x01\x02\x01\x02\x01\x0c\xff\xff\xff\x7f"
                                   "ab",
                                   12),
         "Stream read error"},
        {"name longer than the stream",
         String("\x40"
                "Prop",
                5),
         "Stream read error"},
        {"unknown property", Name("Nonsense") + String("\x02\x01\x00", 3),
         "Property Nonsense does not exist"},
    };
    for (const Case& c : cases) {
        TStringAlignGrid* grid = NewGrid();
        EXPECT_EQ(TestSupport::MessageOf<EReadError>([&] { Read(*grid, c.Bytes); }), c.Message)
            << c.What;
        EXPECT_EQ(grid->AlignCell(2, 3), TMyAlign::alLeft) << c.What;
        grid->Free();
    }
}

TEST_F(AlignGridStorageTest, AFontNameOverLongIsCutTo255Characters) {
    String name(300, 'n');
    String font = String("\x02\x00", 2) + "\x02\xf5" + "\x0c" + String("\x2c\x01\x00\x00", 4) +
                  name + String("\x02\x00\x02\x00", 4);
    String bytes = Name("FontCol") + "\x01" + String("\x02\x01", 2) + font + String("\x00\x00", 2);
    TStringAlignGrid* grid = NewGrid();
    Read(*grid, bytes);
    EXPECT_EQ(grid->FontCol(1).Name(), String(255, 'n'));
    EXPECT_EQ(grid->FontCol(1).Height(), -11);
}

} // namespace
