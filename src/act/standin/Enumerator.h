#pragma once
// A snapshot enumerator (IEnumConnectionPoints, IEnumConnections): the items as they were
// when it was made, each handed out with a reference of its own.

// windows.h first: the COM headers rely on what it declares.
#include <windows.h>

#include <ocidl.h>

#include <atomic>
#include <new>
#include <vector>

#include "act/standin/ServerModule.h"

namespace bp::standin {

// Policy: how an item takes and drops a reference.
inline void takeReference(IConnectionPoint* point) {
    point->AddRef();
}
inline void dropReference(IConnectionPoint* point) {
    point->Release();
}
inline void takeReference(const CONNECTDATA& connection) {
    connection.pUnk->AddRef();
}
inline void dropReference(const CONNECTDATA& connection) {
    connection.pUnk->Release();
}

// COM interfaces are released through Release, never deleted through a base pointer.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
template <typename Interface, typename Item>
class Enumerator final : public Interface {
public:
    // Takes references of its own to `items`. Starts with one reference for the creator.
    Enumerator(const IID& iid, std::vector<Item> items, std::size_t next = 0)
        : iid_(iid), items_(std::move(items)), next_(next) {
        ServerModule::objectCreated();
        for (const Item& item : items_) {
            takeReference(item);
        }
    }
    Enumerator(const Enumerator&) = delete;
    Enumerator& operator=(const Enumerator&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (::IsEqualIID(iid, IID_IUnknown) || ::IsEqualIID(iid, iid_)) {
            *object = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) {
            delete this;
        }
        return left;
    }

    HRESULT STDMETHODCALLTYPE Next(ULONG wanted, Item* into, ULONG* fetched) override {
        if (into == nullptr || (wanted > 1 && fetched == nullptr)) {
            return E_POINTER;
        }
        ULONG given = 0;
        while (given < wanted && next_ < items_.size()) {
            into[given] = items_[next_++];
            takeReference(into[given]);
            ++given;
        }
        if (fetched != nullptr) {
            *fetched = given;
        }
        return given == wanted ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        const std::size_t left = items_.size() - next_;
        next_ += count < left ? count : left;
        return count <= left ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        next_ = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(Interface** copy) override {
        if (copy == nullptr) {
            return E_POINTER;
        }
        *copy = new (std::nothrow) Enumerator(iid_, items_, next_);
        return *copy == nullptr ? E_OUTOFMEMORY : S_OK;
    }

private:
    ~Enumerator() {
        for (const Item& item : items_) {
            dropReference(item);
        }
        ServerModule::objectDestroyed();
    }

    const IID& iid_;
    std::vector<Item> items_;
    std::size_t next_;
    std::atomic<ULONG> references_{1};
};
#pragma GCC diagnostic pop

}  // namespace bp::standin
