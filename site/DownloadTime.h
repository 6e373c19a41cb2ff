#pragma once
// How long a page takes to arrive with the images it shows: the bytes counted from the files on
// disk, and the times at the connection speeds of the estimate, in seconds and in quarter
// minutes.

#include "platform/SysUtils.h"

#include <array>
#include <cstdint>

struct TConnectionSpeed {
    const char* Label;
    int BytesPerSecond;
};

// The speeds of the estimate, slowest first.
extern const std::array<TConnectionSpeed, 7> ConnectionSpeeds;

// The bytes of a page and of the images it names, and how many of those were found or not.
struct TDownloadSize {
    int64_t Total = 0;
    int Found = 0;
    int Missing = 0;
};

// The page file's size plus the size of every image its "<IMG" SRC and "<BODY" BACKGROUND values
// name, an image named twice counted twice. A value without a folder is looked for in the page
// file's folder; an absolute path or a URL ("http:") is taken as it stands; a value naming no file
// is tried once more with each "%20" read as a blank before it counts as missing. Raises
// EFOpenError or EReadError naming the page when the page cannot be read.
TDownloadSize MeasureDownload(const String& pageFile);

// The seconds the bytes take at the speed, "%.1f" with a full stop.
String DownloadSeconds(int64_t bytes, int bytesPerSecond);
// The seconds to the nearest quarter minute: "0 mins.", "\xBC mins." (the quarter sign of the
// Windows code page), "1\xBD mins.", "2 mins."... Only whole seconds count.
String FormatMinutes(double seconds);
