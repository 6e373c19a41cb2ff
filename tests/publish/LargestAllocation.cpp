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

// Every form that pairs with the ones above is replaced too, so that no block made by one
// allocator (the sanitizer's own, say) is given back to another.
void* operator new(size_t size, const std::nothrow_t&) noexcept {
    Note(size);
    return std::malloc(size == 0 ? 1 : size);
}

void* operator new[](size_t size) {
    return operator new(size);
}

void* operator new[](size_t size, const std::nothrow_t& tag) noexcept {
    return operator new(size, tag);
}

void operator delete(void* block, const std::nothrow_t&) noexcept {
    std::free(block);
}

void operator delete[](void* block) noexcept {
    std::free(block);
}

void operator delete[](void* block, size_t) noexcept {
    std::free(block);
}

void operator delete[](void* block, const std::nothrow_t&) noexcept {
    std::free(block);
}
