// A global operator new that records request sizes while an AllocationWatch is alive.
#include "AllocationWatch.h"

#include <cstdlib>
#include <new>

namespace {

bool g_watching = false;
std::size_t g_largest = 0;
std::size_t g_total = 0;

void* Allocate(std::size_t size) {
    if (g_watching) {
        g_largest = size > g_largest ? size : g_largest;
        g_total += size;
    }
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}

}  // namespace

void* operator new(std::size_t size) {
    return Allocate(size);
}

void* operator new[](std::size_t size) {
    return Allocate(size);
}

void operator delete(void* p) noexcept {
    std::free(p);
}

void operator delete[](void* p) noexcept {
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}

namespace rw::reliability {

AllocationWatch::AllocationWatch() {
    g_largest = 0;
    g_total = 0;
    g_watching = true;
}

AllocationWatch::~AllocationWatch() {
    g_watching = false;
}

std::size_t AllocationWatch::Largest() const {
    return g_largest;
}

std::size_t AllocationWatch::Total() const {
    return g_total;
}

}  // namespace rw::reliability
