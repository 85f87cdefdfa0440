#include "act/standin/ViewsObject.h"

#include <array>

#include "act/standin/ContactViewObject.h"
#include "act/standin/HostObject.h"

namespace bp::standin {

namespace {

class ViewsObject : public HostObject<ViewsObject, act::Views> {
public:
    using HostObject::HostObject;

    static std::span<const Member<ViewsObject>> members() {
        static const std::array<Member<ViewsObject>, 1> kMembers{{
            {L"Create", 1, 2,
             [](ViewsObject& self, const Arguments& args) {
                 return objectValue(newContactViewObject(
                     self.host(), self.target().Create(args.integer(0), args.text(1))));
             }},
        }};
        return kMembers;
    }
};

}  // namespace

DispatchObject* newViewsObject(HostRef host, std::shared_ptr<act::Views> target) {
    return wrap<ViewsObject>(std::move(host), std::move(target));
}

}  // namespace bp::standin
