#include "services/Qmgraph.h"

#include "widgets/Vclutils.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

TColourMapping DefaultColourMapping = cmFrequency;

namespace {

constexpr TColor FillerGrey = RGB(128, 128, 128);

TLevelTable BuildLevelTable(std::vector<uint8_t> levels) {
    TLevelTable table;
    table.Levels = std::move(levels);
    for (int value = 0; value < 256; ++value) {
        int best = 0;
        for (int i = 1; i < int(table.Levels.size()); ++i)
            if (std::abs(value - table.Levels[i]) < std::abs(value - table.Levels[best]))
                best = i;
        table.Nearest[value] = static_cast<uint8_t>(best);
    }
    return table;
}

// Built once, at the first use, for the whole run.
const std::array<TLevelTable, 4>& BuildLevelTables() {
    static const std::array<TLevelTable, 4> tables = {
        BuildLevelTable({0, 0x55, 0xAA, 0xFF}), BuildLevelTable({0, 0x33, 0x66, 0x99, 0xCC, 0xFF}),
        BuildLevelTable({0, 0x2B, 0x55, 0x80, 0xAA, 0xD5, 0xFF}),
        BuildLevelTable({0, 0x24, 0x49, 0x6D, 0x92, 0xB6, 0xDB, 0xFF})};
    return tables;
}

// The 24-bit pixels of a DIB, row by stored row, and where each one's index goes.
struct TPixelWalk {
    TDibImage& Dib;
    int SourceRowBytes;
    int TargetRowBytes;

    explicit TPixelWalk(TDibImage& dib)
        : Dib(dib), SourceRowBytes(DibRowBytes(dib.Width, 24)),
          TargetRowBytes(DibRowBytes(dib.Width, 8)) {}

    TColor At(int x, int row) const {
        const uint8_t* p = Dib.Bits.data() + size_t(row) * SourceRowBytes + size_t(x) * 3;
        return RGB(p[2], p[1], p[0]);
    }
    // Walks every pixel; each index is written where the 8-bit row will be, which never
    // overtakes the 24-bit pixels still to be read.
    template <typename F> void MapEach(F indexOf) {
        for (int row = 0; row < Dib.Height; ++row)
            for (int x = 0; x < Dib.Width; ++x)
                Dib.Bits[size_t(row) * TargetRowBytes + x] =
                    static_cast<uint8_t>(indexOf(At(x, row), x, row));
    }
    template <typename F> void ForEach(F visit) const {
        for (int row = 0; row < Dib.Height; ++row)
            for (int x = 0; x < Dib.Width; ++x)
                visit(At(x, row));
    }
};

// ---- Frequency histogram

constexpr int HistogramSlots = 5191;
constexpr int HistogramLimit = 2049;

struct THistogramEntry {
    TColor Colour = 0;
    int Count = 0;
    int Index = -1; // the palette entry the colour maps to
};

struct THistogram {
    std::vector<int> Slots = std::vector<int>(HistogramSlots, -1);
    std::vector<THistogramEntry> Entries;

    static int ColourHash(TColor c) {
        int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
        return (r + g) * (b + g) * (r + b) % HistogramSlots;
    }
    // The entry of the colour, made when missing; -1 when the histogram is full.
    int Find(TColor colour) {
        int slot = ColourHash(colour);
        while (Slots[slot] >= 0) {
            if (Entries[Slots[slot]].Colour == colour)
                return Slots[slot];
            slot = (slot + 1) % HistogramSlots;
        }
        if (int(Entries.size()) == HistogramLimit)
            return -1;
        Slots[slot] = static_cast<int>(Entries.size());
        Entries.push_back({colour, 0, -1});
        return Slots[slot];
    }
};

struct TChannelMasks {
    int Red = 0xFF, Green = 0xFF, Blue = 0xFF;
    TColor Apply(TColor c) const {
        return RGB(GetRValue(c) & Red, GetGValue(c) & Green, GetBValue(c) & Blue);
    }
    // Blue, red and green lose their lowest remaining bit in turn.
    void DropOneBit() {
        if (Red < Green)
            Green = (Green << 1) & 0xFF;
        else if (Red > Blue)
            Red = (Red << 1) & 0xFF;
        else
            Blue = (Blue << 1) & 0xFF;
    }
};

THistogram CountColours(const TPixelWalk& walk, TChannelMasks& masks) {
    for (;;) {
        THistogram histogram;
        bool full = false;
        walk.ForEach([&](TColor c) {
            if (full)
                return;
            int entry = histogram.Find(masks.Apply(c));
            if (entry < 0)
                full = true;
            else
                ++histogram.Entries[entry].Count;
        });
        if (!full)
            return histogram;
        masks.DropOneBit();
    }
}

void ReduceByHistogram(TDibImage& dib, int wanted) {
    TPixelWalk walk(dib);
    TChannelMasks masks;
    THistogram histogram = CountColours(walk, masks);
    std::vector<int> order(histogram.Entries.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<int>(i);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return histogram.Entries[a].Count > histogram.Entries[b].Count;
    });
    size_t kept = std::min(order.size(), size_t(wanted));
    dib.Palette.assign(256, FillerGrey);
    for (size_t i = 0; i < kept; ++i) {
        histogram.Entries[order[i]].Index = static_cast<int>(i);
        dib.Palette[i] = histogram.Entries[order[i]].Colour;
    }
    for (THistogramEntry& entry : histogram.Entries) {
        if (entry.Index >= 0)
            continue;
        entry.Index = 0;
        for (size_t i = 1; i < kept; ++i)
            if (SquaredColourDistance(entry.Colour, dib.Palette[i]) <
                SquaredColourDistance(entry.Colour, dib.Palette[entry.Index]))
                entry.Index = static_cast<int>(i);
    }
    walk.MapEach([&](TColor c, int, int) {
        return histogram.Entries[histogram.Find(masks.Apply(c))].Index;
    });
}

// ---- Median cut

struct TBucket {
    int Value[3] = {0, 0, 0}; // the top 4 bits of red, green and blue
    int Count = 0;
    int Box = 0;
};

struct TBox {
    std::vector<int> Buckets; // indexes into the bucket table
    int Low[3] = {0, 0, 0};
    int High[3] = {255, 255, 255};
    int Count = 0;
};

int BucketOf(TColor c) {
    return (GetRValue(c) >> 4) << 8 | (GetGValue(c) >> 4) << 4 | GetBValue(c) >> 4;
}

void SortBuckets(std::vector<int>& list, int first, int last, const std::vector<TBucket>& buckets,
                 int channel) {
    auto key = [&](int i) { return buckets[list[i]].Value[channel]; };
    if (last - first + 1 < 8) {
        for (int i = first + 1; i <= last; ++i)
            for (int j = i; j > first && key(j - 1) > key(j); --j)
                std::swap(list[j - 1], list[j]);
        return;
    }
    int pivot = key((first + last) / 2);
    int i = first, j = last;
    while (i <= j) {
        while (key(i) < pivot)
            ++i;
        while (key(j) > pivot)
            --j;
        if (i <= j)
            std::swap(list[i++], list[j--]);
    }
    if (first < j)
        SortBuckets(list, first, j, buckets, channel);
    if (i < last)
        SortBuckets(list, i, last, buckets, channel);
}

// False when no box holds more than one bucket.
bool SplitLargestBox(std::vector<TBox>& boxes, std::vector<TBucket>& buckets) {
    int chosen = -1, channel = 0, widest = -1;
    for (int b = 0; b < int(boxes.size()); ++b) {
        if (boxes[b].Buckets.size() < 2)
            continue;
        for (int c = 0; c < 3; ++c)
            if (boxes[b].High[c] - boxes[b].Low[c] > widest) {
                widest = boxes[b].High[c] - boxes[b].Low[c];
                chosen = b;
                channel = c;
            }
    }
    if (chosen < 0)
        return false;
    TBox& box = boxes[chosen];
    SortBuckets(box.Buckets, 0, static_cast<int>(box.Buckets.size()) - 1, buckets, channel);
    size_t staying = 1;
    int stayCount = buckets[box.Buckets[0]].Count;
    while (staying + 1 < box.Buckets.size() &&
           stayCount + buckets[box.Buckets[staying]].Count <= box.Count / 2)
        stayCount += buckets[box.Buckets[staying++]].Count;
    TBox added;
    added.Buckets.assign(box.Buckets.begin() + staying, box.Buckets.end());
    box.Buckets.resize(staying);
    std::copy(std::begin(box.Low), std::end(box.Low), added.Low);
    std::copy(std::begin(box.High), std::end(box.High), added.High);
    box.High[channel] = 16 * buckets[box.Buckets.back()].Value[channel];
    added.Low[channel] = 16 * buckets[added.Buckets.front()].Value[channel];
    added.Count = box.Count - stayCount;
    box.Count = stayCount;
    boxes.push_back(std::move(added));
    return true;
}

void MedianCutReduce(TDibImage& dib) {
    TPixelWalk walk(dib);
    std::vector<TBucket> buckets(4096);
    for (int i = 0; i < 4096; ++i) {
        buckets[i].Value[0] = i >> 8;
        buckets[i].Value[1] = (i >> 4) & 15;
        buckets[i].Value[2] = i & 15;
    }
    walk.ForEach([&](TColor c) { ++buckets[BucketOf(c)].Count; });
    std::vector<TBox> boxes(1);
    for (int i = 0; i < 4096; ++i)
        if (buckets[i].Count > 0) {
            boxes[0].Buckets.push_back(i);
            boxes[0].Count += buckets[i].Count;
        }
    while (boxes.size() < 256 && SplitLargestBox(boxes, buckets)) {
    }
    dib.Palette.assign(256, clBlack);
    for (size_t b = 0; b < boxes.size(); ++b) {
        int sum[3] = {0, 0, 0};
        for (int i : boxes[b].Buckets) {
            buckets[i].Box = static_cast<int>(b);
            for (int c = 0; c < 3; ++c)
                sum[c] += buckets[i].Value[c];
        }
        int n = static_cast<int>(boxes[b].Buckets.size());
        int mean[3];
        for (int c = 0; c < 3; ++c)
            mean[c] = n > 0 ? (16 * sum[c] + 15) / n : 0;
        bool dark = mean[0] <= 16 && mean[1] <= 16 && mean[2] <= 16;
        dib.Palette[b] = dark ? clBlack : RGB(mean[0], mean[1], mean[2]);
    }
    dib.UsedColours = static_cast<int>(boxes.size());
    walk.MapEach([&](TColor c, int, int) { return buckets[BucketOf(c)].Box; });
}

// ---- Fixed palettes

void Reduce784(TDibImage& dib) {
    const auto& t = BuildLevelTables();
    const TLevelTable &red = t[2], &green = t[3], &blue = t[0];
    dib.Palette.assign(256, FillerGrey);
    for (int r = 0; r < 7; ++r)
        for (int g = 0; g < 8; ++g)
            for (int b = 0; b < 4; ++b)
                dib.Palette[r * 32 + g * 4 + b] =
                    RGB(red.Levels[r], green.Levels[g], blue.Levels[b]);
    dib.UsedColours = 224;
    TPixelWalk(dib).MapEach([&](TColor c, int, int) {
        return red.Nearest[GetRValue(c)] * 32 + green.Nearest[GetGValue(c)] * 4 +
               blue.Nearest[GetBValue(c)];
    });
}

void Reduce666(TDibImage& dib) {
    const TLevelTable& six = BuildLevelTables()[1];
    dib.Palette.assign(256, FillerGrey);
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                dib.Palette[r * 36 + g * 6 + b] = RGB(six.Levels[r], six.Levels[g], six.Levels[b]);
    dib.UsedColours = 216;
    TPixelWalk(dib).MapEach([&](TColor c, int, int) {
        return six.Nearest[GetRValue(c)] * 36 + six.Nearest[GetGValue(c)] * 6 +
               six.Nearest[GetBValue(c)];
    });
}

void ReduceToChannelRamps(TDibImage& dib) {
    dib.Palette.assign(256, clBlack);
    for (int i = 0; i < 64; ++i) {
        dib.Palette[i] = RGB(4 * i, 0, 0);
        dib.Palette[0x40 + i] = RGB(0, 4 * i, 0);
        dib.Palette[0x80 + i] = RGB(0, 0, 4 * i);
    }
    TPixelWalk(dib).MapEach([](TColor c, int x, int row) {
        switch ((row + x) % 3) {
        case 0:
            return GetRValue(c) >> 2;
        case 1:
            return 0x40 + (GetGValue(c) >> 2);
        default:
            return 0x80 + (GetBValue(c) >> 2);
        }
    });
}

void ReduceToGrey(TDibImage& dib) {
    dib.Palette.resize(256);
    for (int i = 0; i < 256; ++i)
        dib.Palette[i] = RGB(i, i, i);
    TPixelWalk(dib).MapEach([](TColor c, int, int) { return ColourBrightness(c); });
}

std::unique_ptr<TMemoryStream> StreamOf(const TDibImage& dib) {
    auto stream = std::make_unique<TMemoryStream>();
    WriteDibFile(*stream, dib);
    stream->SetPosition(0);
    return stream;
}

} // namespace

const TLevelTable& LevelTable(int levelCount) {
    switch (levelCount) {
    case 4:
        return BuildLevelTables()[0];
    case 6:
        return BuildLevelTables()[1];
    case 7:
        return BuildLevelTables()[2];
    case 8:
        return BuildLevelTables()[3];
    default:
        throw std::invalid_argument("no table of that many levels");
    }
}

int PixelFormatOfBitmap(const TBitmap& bitmap) {
    switch (bitmap.PixelFormat()) {
    case pf1bit:
        return 1;
    case pf4bit:
        return 2;
    case pf8bit:
        return 3;
    case pf24bit:
        return 4;
    default:
        return 0;
    }
}

int ColourCountOfFormat(int formatCode) {
    switch (formatCode) {
    case 1:
        return 2;
    case 2:
        return 16;
    case 3:
        return 256;
    default:
        return 0;
    }
}

void ReduceTo8Bits(TDibImage& dib, TColourMapping mapping, int wantedColours) {
    dib.UsedColours = 0;
    switch (mapping) {
    case cmFrequency:
        ReduceByHistogram(dib, wantedColours);
        break;
    case cmMedianCut:
        MedianCutReduce(dib);
        break;
    case cmLevels784:
        Reduce784(dib);
        break;
    case cmLevels666:
        Reduce666(dib);
        break;
    case cmChannelRamps:
        ReduceToChannelRamps(dib);
        break;
    case cmGrey:
        ReduceToGrey(dib);
        break;
    }
    dib.BitCount = 8;
    dib.Bits.resize(size_t(DibRowBytes(dib.Width, 8)) * dib.Height);
}

std::unique_ptr<TMemoryStream> ConvertBitmapToFormat(const TBitmap& bitmap, int formatCode,
                                                     TColourMapping mapping) {
    if (bitmap.Empty())
        throw EInvalidGraphic("Bitmap image is not valid");
    if (PixelFormatOfBitmap(bitmap) == formatCode && mapping != cmGrey) {
        auto stream = std::make_unique<TMemoryStream>();
        bitmap.SaveToStream(*stream);
        stream->SetPosition(0);
        return stream;
    }
    switch (formatCode) {
    case 1:
        return StreamOf(bitmap.ReadDibBits(1));
    case 2:
        return StreamOf(bitmap.ReadDibBits(4));
    case 3: {
        TDibImage dib = bitmap.ReadDibBits(24);
        ReduceTo8Bits(dib, mapping, ColourCountOfFormat(formatCode));
        return StreamOf(dib);
    }
    case 4:
        return StreamOf(bitmap.ReadDibBits(24));
    default:
        ReportNotImplemented();
    }
}

std::unique_ptr<TMemoryStream> ConvertBitmapForColours(const TBitmap& bitmap, int colourCount) {
    int code = colourCount <= 2 ? 1 : colourCount <= 16 ? 2 : colourCount > 256 ? 4 : 3;
    return ConvertBitmapToFormat(bitmap, code, DefaultColourMapping);
}
