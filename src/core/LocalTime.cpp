#include "core/LocalTime.h"

namespace bp::core {

std::tm localTime(std::time_t moment) {
    std::tm local{};
#ifdef _WIN32
    if (localtime_s(&local, &moment) != 0) {
        return std::tm{};
    }
#else
    if (localtime_r(&moment, &local) == nullptr) {
        return std::tm{};
    }
#endif
    return local;
}

}  // namespace bp::core
