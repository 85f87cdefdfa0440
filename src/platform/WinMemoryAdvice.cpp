#include "platform/MemoryAdvice.h"

namespace bp::platform {

// Windows backs memory with large pages only when it is allocated so (VirtualAlloc with
// MEM_LARGE_PAGES, which needs the lock-pages privilege ordinary users lack); a block that
// already exists cannot be advised afterwards, so there is nothing to do.
void adviseHugePages(const void* /*data*/, std::size_t /*bytes*/) {}

}  // namespace bp::platform
