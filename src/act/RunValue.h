#pragma once
// A value of the run that one module writes and every other module reads. Writing takes the
// owner's key, a type only the owning module's writers can make, so a second writer does not
// compile; reading is `value()` for everyone.

#include <utility>

namespace bp::act {

template <typename T, typename Key>
class RunValue {
public:
    RunValue() = default;
    explicit RunValue(T initial) : value_(std::move(initial)) {}

    const T& operator()() const noexcept { return value_; }
    void set(const Key& /*owner*/, T value) { value_ = std::move(value); }

private:
    T value_{};
};

}  // namespace bp::act
