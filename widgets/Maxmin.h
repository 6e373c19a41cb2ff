#pragma once
// Integer minimum and maximum, as the widget units call them.

inline int IntMax(int a, int b) {
    return a > b ? a : b;
}

inline int IntMin(int a, int b) {
    return a < b ? a : b;
}
