#pragma once
// Error numbers the embedded host raises. They follow the automation error codes a late-bound
// call on the Windows host reports, so messages read the same on both platforms.

namespace bp::sim {

inline constexpr int kErrHostStorage = -2147467259;          // 0x80004005: the call failed
inline constexpr int kErrHostNoDatabase = -2147418113;       // 0x8000FFFF: no database is open
inline constexpr int kErrHostInvalidArgument = -2147024809;  // 0x80070057: bad argument

}  // namespace bp::sim
