// The aligned grid in the form stream: its records, hints and texts as stream properties, the
// ones it writes and the older ones it only reads, and the pending texts taken on at Loaded.

#include "widgets/Aligrid.h"

namespace {

[[noreturn]] void InvalidValue() {
    throw EReadError("Invalid property value");
}

// An ordinal read from the stream, refused when it names no value of its type.
int ReadOrdinal(TReader& reader, int highest) {
    int value = reader.ReadInteger();
    if (value < 0 || value > highest)
        InvalidValue();
    return value;
}

// Indexes are kept as 16-bit values.
int ReadIndex(TReader& reader) {
    return reader.ReadInteger() & 0xFFFF;
}

void WriteMyBrush(TWriter& writer, const TBrush& brush) {
    writer.WriteInteger(static_cast<int>(brush.Color()));
    writer.WriteInteger(brush.Style());
}

void ReadMyBrush(TReader& reader, TBrush& brush) {
    brush.SetColor(static_cast<TColor>(reader.ReadInteger()));
    brush.SetStyle(static_cast<TBrushStyle>(ReadOrdinal(reader, bsCross)));
}

constexpr TFontStyle StyleBits[] = {fsBold, fsItalic, fsUnderline, fsStrikeOut};

void WriteMyFont(TWriter& writer, const TFont& font) {
    writer.WriteInteger(static_cast<int>(font.Color()));
    writer.WriteInteger(font.Height());
    writer.WriteString(font.Name());
    writer.WriteInteger(font.Pitch());
    int bits = 0;
    for (int i = 0; i < 4; ++i)
        if (font.Style().Contains(StyleBits[i]))
            bits |= 1 << i;
    writer.WriteInteger(bits);
}

void ReadMyFont(TReader& reader, TFont& font) {
    font.SetColor(static_cast<TColor>(reader.ReadInteger()));
    font.SetHeight(reader.ReadInteger());
    font.SetName(reader.ReadString().substr(0, 255));
    font.SetPitch(static_cast<TFontPitch>(ReadOrdinal(reader, fpFixed)));
    int bits = reader.ReadInteger() & 0xFF;
    TFontStyles style;
    for (int i = 0; i < 4; ++i)
        if (bits & (1 << i))
            style << StyleBits[i];
    font.SetStyle(style);
}

// A list property: entries until the end of the list.
template <typename ReadEntry> void ReadList(TReader& reader, ReadEntry readEntry) {
    reader.ReadListBegin();
    while (!reader.EndOfList())
        readEntry();
    reader.ReadListEnd();
}

// An older binary property of fixed-size entries; a block that ends inside an entry is a read
// error, found before any entry is applied.
template <typename Apply> void ReadEntries(TStream& stream, int entrySize, Apply apply) {
    String block(static_cast<size_t>(stream.Size()), '\0');
    stream.ReadBuffer(block.data(), static_cast<int>(block.size()));
    if (block.size() % entrySize != 0)
        throw EReadError("Stream read error");
    auto byte = [&](size_t at) { return static_cast<uint8_t>(block[at]); };
    for (size_t at = 0; at < block.size(); at += entrySize)
        apply([&](size_t offset) { return byte(at + offset); },
              [&](size_t offset) { return byte(at + offset) | (byte(at + offset + 1) << 8); });
}

TMyAlign AlignOf(uint8_t ordinal) {
    if (ordinal > static_cast<uint8_t>(TMyAlign::alDefault))
        InvalidValue();
    return static_cast<TMyAlign>(ordinal);
}

} // namespace

// ---- Records in tagged form

void TCellProperties::WriteTagged(TWriter& Writer) const {
    if (Align != TMyAlign::alDefault) {
        Writer.WriteInteger(1);
        Writer.WriteInteger(static_cast<int>(Align));
    }
    if (Wordwrap != ww_default) {
        Writer.WriteInteger(2);
        Writer.WriteInteger(Wordwrap);
    }
    if (Editable != 0) {
        Writer.WriteInteger(3);
        Writer.WriteInteger(Editable);
    }
    const TBrush* brushes[] = {Brush(), SelectedBrush()};
    for (int i = 0; i < 2; ++i)
        if (brushes[i]) {
            Writer.WriteInteger(4 + i);
            WriteMyBrush(Writer, *brushes[i]);
        }
    const TFont* fonts[] = {Font(), SelectedFont()};
    for (int i = 0; i < 2; ++i)
        if (fonts[i]) {
            Writer.WriteInteger(6 + i);
            WriteMyFont(Writer, *fonts[i]);
        }
    Writer.WriteInteger(0);
}

void TCellProperties::ReadTag(int Tag, TReader& Reader, TStringAlignGrid*) {
    switch (Tag) {
    case 1:
        Align = static_cast<TMyAlign>(ReadOrdinal(Reader, 3));
        return;
    case 2:
        Wordwrap = static_cast<T_Wordwrap>(ReadOrdinal(Reader, ww_default));
        return;
    case 3:
        Editable = static_cast<uint8_t>(ReadOrdinal(Reader, 2));
        return;
    case 4:
    case 5: {
        TBrush brush;
        ReadMyBrush(Reader, brush);
        if (Tag == 4)
            SetBrush(&brush);
        else
            SetSelectedBrush(&brush);
        return;
    }
    case 6:
    case 7: {
        TFont font;
        ReadMyFont(Reader, font);
        if (Tag == 6)
            SetFont(&font);
        else
            SetSelectedFont(&font);
        return;
    }
    default:
        // Its value could not be skipped: what follows would be read out of step.
        InvalidValue();
    }
}

void TCellProperties::ReadTagged(TReader& Reader) {
    for (int tag = Reader.ReadInteger(); tag != 0; tag = Reader.ReadInteger())
        ReadTag(tag, Reader, FOwner);
}

// ---- The grid's stream properties

void TStringAlignGrid::DefineProperties(TFiler& Filer) {
    auto lines = [this](TPropList& list) {
        return [this, &list](TReader& reader) { ReadPropLines(reader, list); };
    };
    auto writeLines = [this](TPropList& list, bool columns) {
        return [this, &list, columns](TWriter& writer) {
            WritePropLines(writer, list, columns ? ColCount() : RowCount());
        };
    };
    Filer.DefineProperty(
        "HintCell", [this](TReader& r) { ReadHints(r); }, [this](TWriter& w) { WriteHints(w); },
        FHintsExist);
    Filer.DefineProperty(
        "Cells", [this](TReader& r) { ReadCells(r); }, [this](TWriter& w) { WriteCells(w); },
        FCellsRead);
    Filer.DefineProperty(
        "PropCell", [this](TReader& r) { ReadPropCells(r); },
        [this](TWriter& w) { WritePropCells(w); }, true);
    Filer.DefineProperty("PropCol", lines(FPropCol), writeLines(FPropCol, true), true);
    Filer.DefineProperty("PropRow", lines(FPropRow), writeLines(FPropRow, false), true);
    Filer.DefineProperty("PropFixedCol", lines(FPropFixedCol), writeLines(FPropFixedCol, true),
                         true);
    Filer.DefineProperty("PropFixedRow", lines(FPropFixedRow), writeLines(FPropFixedRow, false),
                         true);

    // The older properties, read and never written.
    using TAlignSetter = void (TStringAlignGrid::*)(int, TMyAlign);
    using TEditSetter = void (TStringAlignGrid::*)(int, bool);
    Filer.DefineBinaryProperty(
        "AlignCell",
        [this](TStream& s) {
            ReadEntries(s, 5, [this](auto byte, auto word) {
                SetAlignCell(word(0), word(2), AlignOf(byte(4)));
            });
        },
        nullptr, false);
    Filer.DefineBinaryProperty(
        "EditCell",
        [this](TStream& s) {
            ReadEntries(s, 5, [this](auto byte, auto word) {
                SetEditCell(word(0), word(2), byte(4) != 0);
            });
        },
        nullptr, false);
    std::pair<const char*, TAlignSetter> alignLines[] = {
        {"AlignCol", &TStringAlignGrid::SetAlignCol},
        {"FixedAlignCol", &TStringAlignGrid::SetFixedAlignCol},
        {"AlignRow", &TStringAlignGrid::SetAlignRow},
        {"FixedAlignRow", &TStringAlignGrid::SetFixedAlignRow}};
    // Each binding is copied into its capture: Clang before 16 cannot capture a structured
    // binding itself.
    for (auto [name, setter] : alignLines)
        Filer.DefineBinaryProperty(
            name,
            [this, setter = setter](TStream& s) {
                ReadEntries(s, 3, [this, setter](auto byte, auto word) {
                    (this->*setter)(word(0), AlignOf(byte(2)));
                });
            },
            nullptr, false);
    std::pair<const char*, TEditSetter> editLines[] = {{"EditCol", &TStringAlignGrid::SetEditCol},
                                                       {"EditRow", &TStringAlignGrid::SetEditRow}};
    for (auto [name, setter] : editLines)
        Filer.DefineBinaryProperty(
            name,
            [this, setter = setter](TStream& s) {
                ReadEntries(s, 3, [this, setter](auto byte, auto word) {
                    (this->*setter)(word(0), byte(2) != 0);
                });
            },
            nullptr, false);

    Filer.DefineProperty(
        "FontCell",
        [this](TReader& r) {
            ReadList(r, [&] {
                int col = ReadIndex(r);
                int row = ReadIndex(r);
                TFont font;
                ReadMyFont(r, font);
                FontCell(col, row).Assign(font);
            });
        },
        nullptr, false);
    Filer.DefineProperty(
        "BrushCell",
        [this](TReader& r) {
            ReadList(r, [&] {
                int col = ReadIndex(r);
                int row = ReadIndex(r);
                TBrush brush;
                ReadMyBrush(r, brush);
                BrushCell(col, row).Assign(brush);
            });
        },
        nullptr, false);
    Filer.DefineProperty(
        "ColorCell",
        [this](TReader& r) {
            ReadList(r, [&] {
                int col = ReadIndex(r);
                int row = ReadIndex(r);
                SetColorCell(col, row, static_cast<TColor>(r.ReadInteger()));
            });
        },
        nullptr, false);
    Filer.DefineProperty(
        "SelectedColorCell",
        [this](TReader& r) {
            ReadList(r, [&] {
                int col = ReadIndex(r);
                int row = ReadIndex(r);
                SetSelectedColorCell(col, row, static_cast<TColor>(r.ReadInteger()));
            });
        },
        nullptr, false);

    using TFontGetter = TFont& (TStringAlignGrid::*)(int);
    using TBrushGetter = TBrush& (TStringAlignGrid::*)(int);
    using TColorSetter = void (TStringAlignGrid::*)(int, TColor);
    std::pair<const char*, TFontGetter> fontLines[] = {
        {"FontCol", &TStringAlignGrid::FontCol},
        {"FontFixedCol", &TStringAlignGrid::FontFixedCol},
        {"FontRow", &TStringAlignGrid::FontRow},
        {"FontFixedRow", &TStringAlignGrid::FontFixedRow}};
    for (auto [name, getter] : fontLines)
        Filer.DefineProperty(
            name,
            [this, getter = getter](TReader& r) {
                ReadList(r, [&] {
                    int index = ReadIndex(r);
                    TFont font;
                    ReadMyFont(r, font);
                    (this->*getter)(index).Assign(font);
                });
            },
            nullptr, false);
    std::pair<const char*, TBrushGetter> brushLines[] = {
        {"BrushCol", &TStringAlignGrid::BrushCol},
        {"BrushFixedCol", &TStringAlignGrid::BrushFixedCol},
        {"BrushRow", &TStringAlignGrid::BrushRow},
        {"BrushFixedRow", &TStringAlignGrid::BrushFixedRow}};
    for (auto [name, getter] : brushLines) {
        Filer.DefineProperty(
            name,
            [this, getter = getter](TReader& r) {
                ReadList(r, [&] {
                    int index = ReadIndex(r);
                    TBrush brush;
                    ReadMyBrush(r, brush);
                    (this->*getter)(index).Assign(brush);
                });
            },
            nullptr, false);
        String colorName = String("Color") + (name + 5);
        Filer.DefineProperty(
            colorName,
            [this, getter = getter](TReader& r) {
                ReadList(r, [&] {
                    int index = ReadIndex(r);
                    (this->*getter)(index).SetColor(static_cast<TColor>(r.ReadInteger()));
                });
            },
            nullptr, false);
    }
    std::pair<const char*, TColorSetter> selectedLines[] = {
        {"SelectedColorCol", &TStringAlignGrid::SetSelectedColorCol},
        {"SelectedColorRow", &TStringAlignGrid::SetSelectedColorRow}};
    for (auto [name, setter] : selectedLines)
        Filer.DefineProperty(
            name,
            [this, setter = setter](TReader& r) {
                ReadList(r, [&] {
                    int index = ReadIndex(r);
                    (this->*setter)(index, static_cast<TColor>(r.ReadInteger()));
                });
            },
            nullptr, false);
}

void TStringAlignGrid::ReadHints(TReader& reader) {
    ReadList(reader, [&] {
        int col = ReadIndex(reader);
        int row = ReadIndex(reader);
        FHints.Ensure(col).Ensure(row) = reader.ReadString();
    });
    FHintsExist = true;
}

void TStringAlignGrid::WriteHints(TWriter& writer) {
    writer.WriteListBegin();
    for (int col = 0; col < FHints.Count(); ++col) {
        const auto& column = FHints.Items()[col];
        for (int row = 0; row < column.Count(); ++row)
            if (!column.Items()[row].empty()) {
                writer.WriteInteger(col);
                writer.WriteInteger(row);
                writer.WriteString(column.Items()[row]);
            }
    }
    writer.WriteListEnd();
}

void TStringAlignGrid::ReadCells(TReader& reader) {
    if (!FPendingCells)
        FPendingCells = std::make_unique<TTextTable>();
    ReadList(reader, [&] {
        int col = ReadIndex(reader);
        int row = ReadIndex(reader);
        FPendingCells->Ensure(col).Ensure(row) = reader.ReadString();
    });
    FCellsRead = true;
}

void TStringAlignGrid::WriteCells(TWriter& writer) {
    writer.WriteListBegin();
    for (int col = 0; col < ColCount(); ++col)
        for (int row = 0; row < RowCount(); ++row)
            if (String text = Cells(col, row); !text.empty()) {
                writer.WriteInteger(col);
                writer.WriteInteger(row);
                writer.WriteString(text);
            }
    writer.WriteListEnd();
}

void TStringAlignGrid::ReadPropCells(TReader& reader) {
    ReadList(reader, [&] {
        int col = ReadIndex(reader);
        int row = ReadIndex(reader);
        std::unique_ptr<TCellProperties> record(PropClass(this));
        record->ReadTagged(reader);
        FPropCell.Ensure(col).Ensure(row) = std::move(record);
    });
}

void TStringAlignGrid::WritePropCells(TWriter& writer) {
    writer.WriteListBegin();
    for (int col = 0; col < FPropCell.Count(); ++col) {
        const TPropList& column = FPropCell.Items()[col];
        for (int row = 0; row < column.Count(); ++row)
            if (const auto& record = column.Items()[row]; record && !record->IsEmpty()) {
                writer.WriteInteger(col);
                writer.WriteInteger(row);
                record->WriteTagged(writer);
            }
    }
    writer.WriteListEnd();
}

void TStringAlignGrid::ReadPropLines(TReader& reader, TPropList& list) {
    ReadList(reader, [&] {
        int index = ReadIndex(reader);
        std::unique_ptr<TCellProperties> record(PropClass(this));
        record->ReadTagged(reader);
        list.Ensure(index) = std::move(record);
    });
}

void TStringAlignGrid::WritePropLines(TWriter& writer, const TPropList& list, int count) {
    writer.WriteListBegin();
    for (int index = 0; index < std::min(count, list.Count()); ++index)
        if (const auto& record = list.Items()[index]; record && !record->IsEmpty()) {
            writer.WriteInteger(index);
            record->WriteTagged(writer);
        }
    writer.WriteListEnd();
}

void TStringAlignGrid::Loaded() {
    TStringGrid::Loaded();
    if (FPendingCells) {
        for (int col = 0; col < ColCount(); ++col)
            for (int row = 0; row < RowCount(); ++row) {
                const TLineList<String>* column = FPendingCells->Get(col);
                const String* text = column ? column->Get(row) : nullptr;
                SetCells(col, row, text ? *text : String());
            }
        if (!ComponentState().Contains(csDesigning))
            FPendingCells.reset();
    }
    FReopenEditor = Options().Contains(goAlwaysShowEditor);
    if (FReopenEditor && FSelectEditText)
        FSavedSelLength = -1;
    HideEditor();
}
