#include <sys/mman.h>

#include <cstdint>

#include "platform/MemoryAdvice.h"

namespace bp::platform {

void adviseHugePages(const void* data, std::size_t bytes) {
    constexpr std::uintptr_t kHuge = 2u << 20;
    auto begin = (reinterpret_cast<std::uintptr_t>(data) + kHuge - 1) & ~(kHuge - 1);
    auto end = (reinterpret_cast<std::uintptr_t>(data) + bytes) & ~(kHuge - 1);
    if (end > begin) {
        ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
    }
}

}  // namespace bp::platform
