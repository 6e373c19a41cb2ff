#pragma once
// What the grid's units share: the grid's window, moving one entry of a per-line list, and a
// range test.

#include "platform/Controls.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace GridsPrivate {

// The grid's window: its cells beside its scroll bars.
std::unique_ptr<TControlPeer> MakeGridPeer(TControl& control);

template <typename T> void MoveEntry(std::vector<T>& list, int from, int to) {
    if (from < to)
        std::rotate(list.begin() + from, list.begin() + from + 1, list.begin() + to + 1);
    else
        std::rotate(list.begin() + to, list.begin() + from, list.begin() + from + 1);
}

inline bool InRange(int value, int low, int high) {
    return value >= low && value <= high;
}

} // namespace GridsPrivate
