// A global operator new that records request sizes while an AllocationWatch is alive. The array forms and
// the sized delete need no replacing: their defaults call these.
#include <algorithm>
#include <cstdlib>
#include <new>

#include "Support.h"

namespace {
bool g_watching = false;
std::size_t g_refuseAbove = 0;
std::size_t g_largest = 0;
std::size_t g_total = 0;
}  // namespace

void* operator new(std::size_t size) {
    if (g_watching) {
        if (g_refuseAbove != 0 && size > g_refuseAbove) {
            throw std::bad_alloc();
        }
        g_largest = std::max(g_largest, size);
        g_total += size;
    }
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace rw::reliability {

AllocationWatch::AllocationWatch(std::size_t refuseAbove) {
    g_largest = g_total = 0;
    g_refuseAbove = refuseAbove;
    g_watching = true;
}
AllocationWatch::~AllocationWatch() {
    g_watching = false;
}
std::size_t AllocationWatch::Largest() {
    return g_largest;
}
std::size_t AllocationWatch::Total() {
    return g_total;
}

}  // namespace rw::reliability
