#pragma once
// A control array: controls sharing one name, addressed by index ("chkSales"(3)). Indices may
// have gaps, as in the window designs; asking for a missing index is an error, as it is there.

#include <stdexcept>
#include <string>
#include <vector>

namespace bp::forms {

template <class T>
class ControlArray {
public:
    void set(int index, T& control) {
        if (index < 0) {
            throw std::out_of_range("Control array index must not be negative");
        }
        if (static_cast<std::size_t>(index) >= members_.size()) {
            members_.resize(static_cast<std::size_t>(index) + 1, nullptr);
        }
        members_[static_cast<std::size_t>(index)] = &control;
    }

    T& operator[](int index) const {
        if (!contains(index)) {
            throw std::out_of_range("Control array element '" + std::to_string(index) +
                                    "' doesn't exist");
        }
        return *members_[static_cast<std::size_t>(index)];
    }
    bool contains(int index) const {
        return index >= 0 && static_cast<std::size_t>(index) < members_.size() &&
               members_[static_cast<std::size_t>(index)] != nullptr;
    }
    // Lowest and highest index in use (LBound/UBound); -1 when empty.
    int lowerBound() const {
        for (std::size_t i = 0; i < members_.size(); ++i) {
            if (members_[i] != nullptr) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }
    int upperBound() const {
        for (std::size_t i = members_.size(); i > 0; --i) {
            if (members_[i - 1] != nullptr) {
                return static_cast<int>(i - 1);
            }
        }
        return -1;
    }
    int count() const {
        int n = 0;
        for (T* m : members_) {
            n += m != nullptr ? 1 : 0;
        }
        return n;
    }
    // Visits the members in index order.
    template <class Fn>
    void forEach(Fn&& visit) const {
        for (T* m : members_) {
            if (m != nullptr) {
                visit(*m);
            }
        }
    }

private:
    std::vector<T*> members_;
};

}  // namespace bp::forms
