#include "platform/FileStamp.h"

#include <sys/stat.h>

namespace {

int64_t Nanoseconds(const timespec& t) {
    return int64_t{t.tv_sec} * 1000000000 + t.tv_nsec;
}

} // namespace

TFileStamp FileStampOf(const String& fileName) {
    struct stat info {};
    if (stat(fileName.c_str(), &info) != 0)
        return TFileStamp{};
    return TFileStamp{true,
                      static_cast<uint64_t>(info.st_dev),
                      static_cast<uint64_t>(info.st_ino),
                      static_cast<int64_t>(info.st_size),
                      Nanoseconds(info.st_mtim),
                      Nanoseconds(info.st_ctim)};
}
