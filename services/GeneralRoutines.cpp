#include "services/GeneralRoutines.h"

#include "platform/FileUtils.h"

bool TGeneralRoutines::DirectoryExists(const String& path) const {
    String previous = GetCurrentDir();
    bool entered = SetCurrentDir(path);
    if (entered)
        SetCurrentDir(previous);
    return entered;
}

char TGeneralRoutines::GetLastChar(const String& text) const {
    return text.empty() ? '\0' : text.back();
}

char TGeneralRoutines::LastChar(const String& text) const {
    return GetLastChar(text);
}

String TGeneralRoutines::AddDirSlash(const String& path) const {
    if (path.empty() || LastChar(path) == PathDelim)
        return path;
    return path + PathDelim;
}
