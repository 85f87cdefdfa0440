#pragma once
// An owned interface pointer: one reference held, released once. Move-only, so a count is
// never taken or dropped behind the reader's back.

// windows.h first: the COM headers rely on what it declares.
#include <windows.h>

#include <unknwn.h>

#include <utility>

namespace bp::automation {

template <typename Interface>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { reset(); }
    ComPtr(ComPtr&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            reset();
            ptr_ = std::exchange(other.ptr_, nullptr);
        }
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    // Takes over a reference the caller already holds (what a create or query returned).
    static ComPtr adopt(Interface* owned) {
        ComPtr result;
        result.ptr_ = owned;
        return result;
    }
    // Takes a reference of its own to a pointer someone else keeps owning.
    static ComPtr share(Interface* borrowed) {
        if (borrowed != nullptr) {
            borrowed->AddRef();
        }
        return adopt(borrowed);
    }

    Interface* get() const { return ptr_; }
    Interface* operator->() const { return ptr_; }
    explicit operator bool() const { return ptr_ != nullptr; }
    Interface* release() { return std::exchange(ptr_, nullptr); }
    void reset() {
        if (Interface* old = std::exchange(ptr_, nullptr)) {
            old->Release();
        }
    }

private:
    Interface* ptr_ = nullptr;
};

}  // namespace bp::automation
