#pragma once
// Hints to the system about how a large block of memory will be used. One implementation
// per system (PosixMemoryAdvice.cpp, WinMemoryAdvice.cpp); a hint the system cannot take
// changes nothing.

#include <cstddef>

namespace bp::platform {

// Back the block with huge pages where it can: a first touch of a big table then costs one
// page fault per 2 MiB instead of one per 4 KiB.
void adviseHugePages(const void* data, std::size_t bytes);

}  // namespace bp::platform
