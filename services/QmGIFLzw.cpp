#include "services/QmGIFPrivate.h"

#include "platform/Graphics.h"

#include <algorithm>
#include <array>

namespace QmGIFPrivate {

namespace {

constexpr int MaxCodes = 4096;
constexpr int MaxCodeBits = 12;

// The data sub-blocks read one code at a time, least significant bit first.
class TCodeReader {
public:
    explicit TCodeReader(const String& data) {
        size_t pos = 1;
        while (pos < data.size()) {
            size_t length = static_cast<uint8_t>(data[pos++]);
            if (length == 0)
                break;
            length = std::min(length, data.size() - pos);
            FBytes.insert(FBytes.end(), data.begin() + pos, data.begin() + pos + length);
            pos += length;
        }
    }
    // -1 when the data ends.
    int Next(int width) {
        if (FBit + width > FBytes.size() * 8)
            return -1;
        int code = 0;
        for (int i = 0; i < width; ++i, ++FBit)
            code |= ((FBytes[FBit / 8] >> (FBit % 8)) & 1) << i;
        return code;
    }

private:
    std::vector<uint8_t> FBytes;
    size_t FBit = 0;
};

class TCodeWriter {
public:
    void Put(int code, int width) {
        FAccumulator |= uint32_t(code) << FBits;
        FBits += width;
        while (FBits >= 8) {
            FBytes.push_back(static_cast<char>(FAccumulator & 0xFF));
            FAccumulator >>= 8;
            FBits -= 8;
        }
    }
    String SubBlocks() {
        if (FBits > 0)
            FBytes.push_back(static_cast<char>(FAccumulator & 0xFF));
        String out;
        for (size_t pos = 0; pos < FBytes.size(); pos += 255) {
            size_t length = std::min<size_t>(255, FBytes.size() - pos);
            out += static_cast<char>(length);
            out.append(FBytes, pos, length);
        }
        out += '\0';
        return out;
    }

private:
    String FBytes;
    uint32_t FAccumulator = 0;
    int FBits = 0;
};

// Where the decoded pixels go: row by row in the frame's order, never past the last pixel.
class TPixelSink {
public:
    TPixelSink(int width, int height, bool interlaced)
        : FWidth(width), FRows(RowOrder(height, interlaced)), FPixels(size_t(width) * height, 0) {}
    bool Full() const { return FRow >= FRows.size(); }
    void Put(uint8_t value) {
        if (Full())
            return;
        FPixels[size_t(FRows[FRow]) * FWidth + FColumn] = value;
        if (++FColumn == FWidth) {
            FColumn = 0;
            ++FRow;
        }
    }
    std::vector<uint8_t> Take() { return std::move(FPixels); }

private:
    int FWidth;
    std::vector<int> FRows;
    std::vector<uint8_t> FPixels;
    size_t FRow = 0;
    int FColumn = 0;
};

} // namespace

void RaiseGifError(const String& message) {
    throw EInvalidGraphicOperation(message);
}

void RaiseStreamReadError() {
    throw EReadError("Stream read error");
}

int BitsForCount(size_t count) {
    int bits = 1;
    while ((size_t(1) << bits) < count)
        ++bits;
    return bits;
}

std::vector<int> RowOrder(int height, bool interlaced) {
    std::vector<int> rows;
    rows.reserve(height);
    if (!interlaced) {
        for (int y = 0; y < height; ++y)
            rows.push_back(y);
        return rows;
    }
    static constexpr int starts[] = {0, 4, 2, 1};
    static constexpr int steps[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
        for (int y = starts[pass]; y < height; y += steps[pass])
            rows.push_back(y);
    return rows;
}

int64_t MaxPixelsOfData(int64_t bytes) {
    int64_t codes = bytes * 8 / 3; // no code is narrower than 3 bits
    int64_t growing = std::min<int64_t>(codes, MaxCodes);
    return growing * (growing + 1) / 2 + (codes - growing) * MaxCodes;
}

std::vector<uint8_t> LzwDecode(const String& data, int width, int height, int bits, bool interlaced,
                               bool allowDamaged, bool& corrupted) {
    int codeSize = data.empty() ? 0 : static_cast<uint8_t>(data[0]);
    if (codeSize < 2 || codeSize > 9) {
        if (!allowDamaged)
            RaiseGifError("GIF code size not in range 2 to 9");
        codeSize = std::clamp(codeSize, 2, 9);
        corrupted = true;
    }
    const int clear = 1 << codeSize, end = clear + 1, mask = (1 << bits) - 1;
    std::array<uint16_t, MaxCodes> prefix{};
    std::array<uint8_t, MaxCodes> suffix{};
    std::array<uint8_t, MaxCodes + 1> chain{};
    TCodeReader reader(data);
    TPixelSink sink(width, height, interlaced);
    int width_ = codeSize + 1, next = clear + 2, previous = -1;
    uint8_t first = 0;
    while (!sink.Full()) {
        int code = reader.Next(width_);
        if (code < 0 || code == end)
            break;
        if (code == clear) {
            width_ = codeSize + 1;
            next = clear + 2;
            previous = -1;
            continue;
        }
        if (code > next || (code == next && previous < 0) || (code == next && next >= MaxCodes)) {
            if (!allowDamaged)
                RaiseGifError("GIF encoded data is corrupt");
            corrupted = true;
            break;
        }
        // The string of the code, last pixel first.
        int length = 0, walk = code == next ? previous : code;
        if (code == next)
            chain[length++] = first;
        while (walk >= clear) {
            if (length >= MaxCodes) {
                if (!allowDamaged)
                    RaiseGifError("GIF encoded data is corrupt");
                corrupted = true;
                return sink.Take();
            }
            chain[length++] = suffix[walk];
            walk = prefix[walk];
        }
        chain[length++] = static_cast<uint8_t>(walk);
        first = static_cast<uint8_t>(walk);
        for (int i = length - 1; i >= 0; --i)
            sink.Put(static_cast<uint8_t>(chain[i] & mask));
        if (previous >= 0 && next < MaxCodes) {
            prefix[next] = static_cast<uint16_t>(previous);
            suffix[next] = first;
            ++next;
            if (next == (1 << width_) && width_ < MaxCodeBits)
                ++width_;
        }
        previous = code;
    }
    return sink.Take();
}

namespace {

constexpr int HashSlots = 17777;
constexpr int FirstFullCode = 4093;

int LzwHashStart(int pixel) {
    return pixel * 301 + 903;
}

// The encoder's string table: a string is its prefix's code and its last pixel.
class TStringTable {
public:
    void Clear() { std::fill(FSlots.begin(), FSlots.end(), -1); }
    // The code of the string, or -1 with slot set to where it goes.
    int Find(int prefix, int pixel, int hash, int& slot) const {
        slot = hash % HashSlots;
        while (FSlots[slot] >= 0) {
            const TEntry& entry = FPool[FSlots[slot]];
            if (entry.Prefix == prefix && entry.Pixel == pixel)
                return entry.Code;
            slot = (slot + 1) % HashSlots;
        }
        return -1;
    }
    void Enter(int slot, int prefix, int pixel, int code) {
        FPool[code] = {prefix, code, pixel};
        FSlots[slot] = code;
    }

private:
    struct TEntry {
        int Prefix = 0, Code = 0, Pixel = 0;
    };
    std::array<int, HashSlots> FSlots{};
    std::array<TEntry, MaxCodes> FPool{};
};

} // namespace

String LzwEncode(const std::vector<uint8_t>& pixels, int width, int height, int bits,
                 bool interlaced) {
    const int codeSize = std::max(bits, 2);
    const int clear = 1 << codeSize, end = clear + 1;
    auto table = std::make_unique<TStringTable>();
    table->Clear();
    TCodeWriter writer;
    int codeWidth = codeSize + 1, next = clear + 2;
    writer.Put(clear, codeWidth);
    int current = -1, hash = 0, length = 0;
    for (int y : RowOrder(height, interlaced)) {
        for (int x = 0; x < width; ++x) {
            int pixel = pixels[size_t(y) * width + x];
            if (current < 0) {
                current = pixel;
                hash = LzwHashStart(pixel);
                length = 1;
                continue;
            }
            int extended = static_cast<int>(int64_t(pixel + length + 1 + 4) * hash % HashSlots);
            int slot = 0;
            int found = table->Find(current, pixel, extended, slot);
            if (found >= 0) {
                current = found;
                hash = extended;
                ++length;
                continue;
            }
            writer.Put(current, codeWidth);
            // The decoder makes each entry one code later than we do, so the width grows once
            // the code it will make next needs it.
            if (next >= (1 << codeWidth) && codeWidth < MaxCodeBits)
                ++codeWidth;
            if (next > FirstFullCode && codeWidth == MaxCodeBits) {
                writer.Put(clear, codeWidth);
                table->Clear();
                codeWidth = codeSize + 1;
                next = clear + 2;
            } else {
                table->Enter(slot, current, pixel, next++);
            }
            current = pixel;
            hash = LzwHashStart(pixel);
            length = 1;
        }
    }
    if (current >= 0)
        writer.Put(current, codeWidth);
    writer.Put(end, codeWidth);
    return String(1, static_cast<char>(codeSize)) + writer.SubBlocks();
}

} // namespace QmGIFPrivate
