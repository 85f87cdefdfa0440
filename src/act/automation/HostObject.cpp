#include "act/automation/HostObject.h"

#include "act/automation/VariantConvert.h"

namespace bp::automation {

HostObject::HostObject(ComPtr<IDispatch> object, std::string kind, const std::string& countPrefix,
                       std::span<const char* const> members,
                       std::shared_ptr<AdapterContext> context)
    : context_(std::move(context)),
      dispatch_(std::move(object), std::move(kind)),
      names_(members),
      ids_(members.size(), DISPID_UNKNOWN) {
    counted_.reserve(members.size());
    for (const char* name : members) {
        counted_.push_back(context_->counter.member(countPrefix + name));
    }
}

DISPID HostObject::idOf(std::size_t member) {
    if (ids_[member] == DISPID_UNKNOWN) {
        ids_[member] = dispatch_.idOf(names_[member]);
    }
    return ids_[member];
}

Variant HostObject::get(std::size_t member, std::span<const Variant> args) {
    const DISPID id = idOf(member);
    context_->counter.count(counted_[member]);
    return dispatch_.getById(id, names_[member], args);
}

void HostObject::call(std::size_t member, std::span<const Variant> args) {
    const DISPID id = idOf(member);
    context_->counter.count(counted_[member]);
    dispatch_.callById(id, names_[member], args);
}

std::string HostObject::text(std::size_t member, std::span<const Variant> args) {
    return toText(get(member, args).get(), context_->locale);
}

int HostObject::number(std::size_t member, std::span<const Variant> args) {
    return toInt(get(member, args).get());
}

bool HostObject::flag(std::size_t member, std::span<const Variant> args) {
    return toBool(get(member, args).get());
}

ComPtr<IDispatch> HostObject::object(std::size_t member, std::span<const Variant> args) {
    return toObject(get(member, args).get());
}

}  // namespace bp::automation
