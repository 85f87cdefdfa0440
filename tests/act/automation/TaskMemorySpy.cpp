#include "TaskMemorySpy.h"

#include <oleauto.h>

// Exported by the automation runtime but declared in no header of the cross toolchain.
extern "C" void SetOaNoCache(void);

namespace bp::automation::test {

TaskMemorySpy::TaskMemorySpy() {
    ::SetOaNoCache();
    registered_ = SUCCEEDED(::CoRegisterMallocSpy(this));
}

TaskMemorySpy::~TaskMemorySpy() {
    if (registered_) {
        ::CoRevokeMallocSpy();
    }
}

HRESULT TaskMemorySpy::QueryInterface(REFIID iid, void** out) {
    if (iid == IID_IUnknown || iid == IID_IMallocSpy) {
        *out = static_cast<IMallocSpy*>(this);
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

void* TaskMemorySpy::PostAlloc(void* actual) {
    if (actual != nullptr) {
        ++allocations_;
    }
    return actual;
}

void* TaskMemorySpy::PreFree(void* request, BOOL spied) {
    if (request != nullptr && spied) {
        ++frees_;
    }
    return request;
}

SIZE_T TaskMemorySpy::PreRealloc(void* request, SIZE_T size, void** newRequest, BOOL) {
    *newRequest = request;
    return size;
}

}  // namespace bp::automation::test
