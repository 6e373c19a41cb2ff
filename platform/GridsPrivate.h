#pragma once
// What the grid's units share: moving one entry of a per-line list, and a range test.

#include <algorithm>
#include <vector>

namespace GridsPrivate {

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
