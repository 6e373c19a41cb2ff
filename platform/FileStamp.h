#pragma once
// What shows that a file changed since it was read: which file it is, its size and its times.
// An atomic write renames a new file over the old one, so even a change within one tick of the
// file system's clock gives another stamp.

#include "platform/SysUtils.h"

#include <cstdint>

struct TFileStamp {
    bool Exists = false;
    uint64_t Device = 0;
    uint64_t Inode = 0;
    int64_t Size = 0;
    int64_t ModifiedNs = 0;
    int64_t ChangedNs = 0;
    friend bool operator==(const TFileStamp&, const TFileStamp&) = default;
};

TFileStamp FileStampOf(const String& fileName);
