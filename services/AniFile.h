#pragma once
// Animated cursors read from their RIFF files of form type "ACON": a list of frames, each an icon
// with its hot spot and its display time, handed on to icons, bitmaps, icon lists and the
// screen's cursor.

#include "platform/Classes.h"
#include "platform/Forms.h"
#include "platform/Graphics.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class TIconList;

// The "anih" chunk, each field 32 bits.
struct TAniHeader {
    uint32_t HeaderSize = 0;
    uint32_t Frames = 0;
    uint32_t Steps = 0;
    uint32_t Width = 0;
    uint32_t Height = 0;
    uint32_t BitCount = 0;
    uint32_t Planes = 0;
    uint32_t DisplayRate = 0; // in jiffies, 1/60 s
    uint32_t Flags = 0;       // bit 0: the frames are icons
};

// One frame: the icon it shows, with its hot spot and display time.
class TIconFrame : public TObject {
public:
    TIconFrame(int iconNumber, uint32_t jiffies) : IconNumber(iconNumber), Jiffies(jiffies) {}
    // Copies all of it, the icon as a copy of its own.
    void Assign(const TIconFrame& source);

    TIcon Picture;
    bool IsPlainIcon = false;
    std::array<uint8_t, 8> ChunkHeader{};
    TPoint HotPoint;
    int IconNumber;
    uint32_t Jiffies;
};

class TAnimatedCursorImage : public TObject {
public:
    const TAniHeader& CursorHeader() const { return FHeader; }
    const String& CursorName() const { return FName; }
    const String& CursorArtist() const { return FArtist; }
    // 2, 16 or 256: the most colours an image of the file has; 0 when none said.
    int MostColours() const { return FMostColours; }
    int EntryCount() const { return static_cast<int>(FEntries.size()); }
    TIconFrame& FrameEntry(int index) const { return *FEntries.at(static_cast<size_t>(index)); }
    TIcon& FrameIcon(int index) const { return FrameEntry(index).Picture; }

    // Reads from the stream's position to its end; raises EReadError ("Stream read error") for
    // what is no animated cursor, and then holds nothing.
    void LoadFromStream(TStream& stream);
    [[noreturn]] void SaveToStream(TStream& stream) const;
    void ReadCursorFile(const String& fileName);
    void ResetImage();

    void Assign(const TAnimatedCursorImage* source);
    // The first frame's icon; nothing without frames.
    void AssignTo(TIcon& icon) const;
    // The frames side by side on the bitmap's brush colour, brought down to the colours that the
    // file's images have (16 at least).
    void AssignTo(TBitmap& bitmap) const;
    void AssignTo(TIconList& list) const;
    // The frames next to each other (stacked: one above the other) on the background; reduced to
    // the colours of the file's images when asked.
    std::unique_ptr<TBitmap> MakeFrameStrip(TColor background, bool stacked, bool reduced) const;
    // A cursor that plays the frames at their display times; nullptr without frames.
    HCURSOR CreateCursor() const;

private:
    void ReduceBitmapColours(TBitmap& bitmap) const;
    void LoadCursorData(const uint8_t* data, size_t size);
    void ReadFrameList(const uint8_t* data, size_t size);
    void ReadInfoList(const uint8_t* data, size_t size);
    // The icon of an "icon" chunk; false when the chunk holds none.
    bool ReadIconChunk(const uint8_t* header, const uint8_t* body, size_t size, TIconFrame& frame);

    TAniHeader FHeader;
    String FName;
    String FArtist;
    std::vector<std::unique_ptr<TIconFrame>> FEntries;
    int FMostColours = 0;
};
