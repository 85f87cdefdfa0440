#include "FakeObject.h"

#include <cwctype>

#include "act/automation/VariantConvert.h"
#include "platform/WinText.h"

namespace bp::automation::test {

namespace {

std::string folded(const std::string& name) {
    std::string text = name;
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

// One number per member name for every fake, so objects of a kind agree as real ones do.
DISPID numberOf(const std::string& member) {
    static std::map<std::string, DISPID> numbers;
    const auto [it, added] =
        numbers.try_emplace(folded(member), static_cast<DISPID>(numbers.size() + 100));
    return it->second;
}

}  // namespace

ComPtr<FakeObject> FakeObject::create(std::string prefix, std::shared_ptr<Tally> tally) {
    return ComPtr<FakeObject>::adopt(new FakeObject(std::move(prefix), std::move(tally)));
}

void FakeObject::on(const std::string& member, Handler handler) {
    members_[numberOf(member)] = Member{member, std::move(handler)};
}

void FakeObject::answer(const std::string& member, const Variant& value) {
    on(member, [value](const std::vector<Variant>&, VARIANT* result, EXCEPINFO*) {
        return result == nullptr ? S_OK : ::VariantCopy(result, const_cast<VARIANT*>(&value.get()));
    });
}

HRESULT FakeObject::QueryInterface(REFIID iid, void** out) {
    if (iid == IID_IUnknown || iid == IID_IDispatch) {
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG FakeObject::Release() {
    const long left = --refs_;
    if (left == 0) {
        delete this;
    }
    return static_cast<ULONG>(left);
}

HRESULT FakeObject::GetTypeInfoCount(UINT* count) {
    *count = 0;
    return S_OK;
}

HRESULT FakeObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (count != 1) {
        return E_INVALIDARG;
    }
    const DISPID id = numberOf(platform::toUtf8(std::wstring_view(names[0])));
    if (members_.count(id) == 0) {
        ids[0] = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }
    ids[0] = id;
    return S_OK;
}

HRESULT FakeObject::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                           EXCEPINFO* info, UINT*) {
    const auto member = members_.find(id);
    if (member == members_.end()) {
        return DISP_E_MEMBERNOTFOUND;
    }
    const std::string name = prefix_ + member->second.name;
    ++tally_->counts[name];
    tally_->flags[name] = flags;
    lastFlags = flags;
    lastArgs.clear();
    std::vector<VARTYPE>& kinds = tally_->argKinds[name];
    kinds.clear();
    for (UINT i = params->cArgs; i > 0; --i) {
        lastArgs.push_back(Variant::copyOf(params->rgvarg[i - 1]));
        kinds.push_back(params->rgvarg[i - 1].vt);
    }
    return member->second.handler(lastArgs, result, info);
}

Variant objectValue(IDispatch* object) {
    VARIANT value;
    ::VariantInit(&value);
    value.vt = VT_DISPATCH;
    value.pdispVal = object;
    return Variant::copyOf(value);
}

HRESULT raiseHostError(EXCEPINFO* info, int number, const wchar_t* description) {
    info->bstrSource = ::SysAllocString(L"brindlepath-host");
    info->bstrDescription = ::SysAllocString(description);
    info->scode = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, number);
    return DISP_E_EXCEPTION;
}

}  // namespace bp::automation::test
