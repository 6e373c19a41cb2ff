#include "platform/FileListBox.h"

#include "platform/FileUtils.h"

#include <algorithm>
#include <vector>

TFileListBox::TFileListBox(TComponent* AOwner) : TListBox(AOwner) {
    FDirectory = ExcludeTrailingPathDelimiter(GetCurrentDir());
    if (FDirectory.empty())
        FDirectory = String(1, PathDelim);
    Update();
}

void TFileListBox::SetDirectory(const String& value) {
    String dir = value.size() > 1 ? ExcludeTrailingPathDelimiter(value) : value;
    if (dir == FDirectory)
        return;
    FDirectory = dir;
    Update();
}

void TFileListBox::SetMask(const String& value) {
    if (Change(FMask, value))
        Update();
}

String TFileListBox::FileName() const {
    int index = ItemIndex();
    if (index < 0)
        return "";
    return IncludeTrailingPathDelimiter(FDirectory) + Items().Get(index);
}

bool TFileListBox::MatchesAnyMask(const String& name) const {
    size_t start = 0;
    while (start <= FMask.size()) {
        size_t end = FMask.find(';', start);
        if (end == String::npos)
            end = FMask.size();
        String mask = Trim(FMask.substr(start, end - start));
        if (!mask.empty() && MatchesMask(name, mask))
            return true;
        start = end + 1;
    }
    return false;
}

void TFileListBox::Update() {
    std::vector<String> names;
    TSearchRec rec;
    String pattern = IncludeTrailingPathDelimiter(FDirectory) + "*";
    for (int found = FindFirst(pattern, faAnyFile & ~faDirectory, rec); found == 0;
         found = FindNext(rec)) {
        if (!(rec.Attr & faDirectory) && MatchesAnyMask(rec.Name))
            names.push_back(rec.Name);
    }
    FindClose(rec);
    std::sort(names.begin(), names.end(),
              [](const String& a, const String& b) { return CompareText(a, b) < 0; });
    Items().BeginUpdate();
    Items().Clear();
    for (const String& name : names)
        Items().Add(name);
    Items().EndUpdate();
}
