#pragma once
// The largest single block this test program has asked of the heap since the last reset, so a
// test can show that a step never asked for more than its bound.

#include <cstddef>

void ResetLargestAllocation();
size_t LargestAllocation();
