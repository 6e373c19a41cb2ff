#include "platform/ShellApi.h"

#include "platform/Controls.h"
#include "platform/Peer.h"

#include <algorithm>
#include <cstring>
#include <set>

struct HDROP__ {
    std::vector<String> Paths;
};

namespace {

// The drops not finished yet: a handle that is not among them is never read.
std::set<HDROP>& LiveDrops() {
    static std::set<HDROP> drops;
    return drops;
}

const String* DroppedPath(HDROP drop, UINT file) {
    if (!LiveDrops().contains(drop) || file >= drop->Paths.size())
        return nullptr;
    return &drop->Paths[file];
}

} // namespace

void DragAcceptFiles(HWND window, BOOL accept) {
    if (TWinControl* control = FindControl(window))
        control->Peer().SetAcceptFiles(accept != 0);
}

UINT DragQueryFile(HDROP drop, UINT file, char* buffer, UINT size) {
    if (file == 0xFFFFFFFF)
        return LiveDrops().contains(drop) ? static_cast<UINT>(drop->Paths.size()) : 0;
    const String* path = DroppedPath(drop, file);
    if (!path)
        return 0;
    if (!buffer)
        return static_cast<UINT>(path->size());
    if (size == 0)
        return 0;
    const size_t copied = std::min<size_t>(path->size(), size - 1);
    std::memcpy(buffer, path->data(), copied);
    buffer[copied] = '\0';
    return static_cast<UINT>(copied);
}

String DragQueryFileName(HDROP drop, UINT file) {
    const String* path = DroppedPath(drop, file);
    return path ? *path : String();
}

void DragFinish(HDROP drop) {
    if (LiveDrops().erase(drop) != 0)
        delete drop;
}

HDROP MakeDrop(const std::vector<String>& paths) {
    auto* drop = new HDROP__{paths};
    LiveDrops().insert(drop);
    return drop;
}
