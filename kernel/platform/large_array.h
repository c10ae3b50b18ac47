// Storage for the few very large arrays of a run (a hull's tetrahedra and
// their fixed data, hundreds of megabytes for a fine hull).
#pragma once

#include <sys/mman.h>

#include <cstddef>
#include <cstdlib>
#include <new>
#include <vector>

namespace voxel {

// A block of 2 MiB or more is aligned to 2 MiB and the system is asked to
// back it with huge pages: filling it then costs one page fault per 2 MiB
// instead of one per 4 KiB, which on some machines is most of the time of
// reading a large hull. Smaller blocks come from operator new. The contents
// are those of any std::vector.
template <class T>
struct LargeArrayAllocator {
    using value_type = T;
    static constexpr std::size_t kHugePage = std::size_t{2} << 20;

    LargeArrayAllocator() = default;
    template <class U>
    LargeArrayAllocator(const LargeArrayAllocator<U>&) {}

    T* allocate(std::size_t n) {
        if (n > static_cast<std::size_t>(-1) / sizeof(T)) throw std::bad_alloc();
        const std::size_t bytes = n * sizeof(T);
        if (bytes < kHugePage) return static_cast<T*>(::operator new(bytes));
        const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
        void* p = std::aligned_alloc(kHugePage, rounded);
        if (!p) throw std::bad_alloc();
        madvise(p, rounded, MADV_HUGEPAGE);  // a hint; the block works without it
        return static_cast<T*>(p);
    }

    void deallocate(T* p, std::size_t n) {
        if (n * sizeof(T) < kHugePage)
            ::operator delete(p);
        else
            std::free(p);
    }

    template <class U>
    bool operator==(const LargeArrayAllocator<U>&) const {
        return true;
    }
    template <class U>
    bool operator!=(const LargeArrayAllocator<U>&) const {
        return false;
    }
};

template <class T>
using LargeArray = std::vector<T, LargeArrayAllocator<T>>;

}  // namespace voxel
