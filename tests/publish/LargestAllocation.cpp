#include "LargestAllocation.h"

#include <atomic>
#include <cstdlib>
#include <new>

// Kept apart from the tests, so that the compiler never pairs these with a new-expression.
namespace {

std::atomic<size_t> Largest{0};

void Note(size_t size) {
    size_t largest = Largest.load(std::memory_order_relaxed);
    while (size > largest &&
           !Largest.compare_exchange_weak(largest, size, std::memory_order_relaxed)) {
    }
}

} // namespace

void ResetLargestAllocation() {
    Largest = 0;
}

size_t LargestAllocation() {
    return Largest.load();
}

void* operator new(size_t size) {
    Note(size);
    if (void* block = std::malloc(size == 0 ? 1 : size))
        return block;
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept {
    std::free(block);
}

void operator delete(void* block, size_t) noexcept {
    std::free(block);
}
