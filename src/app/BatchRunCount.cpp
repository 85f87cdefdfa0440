#include "app/BatchRunCount.h"

#include "app/MainWindowCount.h"
#include "filter/HostSnapshot.h"
#include "filter/SelectionCount.h"
#include "platform/AppInfo.h"
#include "platform/ErrorHandler.h"

namespace bp::app {

namespace {

constexpr int kCountDone = 0;
constexpr int kCountStopped = 1;

int tell(act::Session& session, const std::string& title, const std::string& text) {
    session.ui->message({title, text, forms::MsgButtons::OK, forms::MsgIcon::None});
    return kCountStopped;
}

}  // namespace

int countBatch(FrmMain& frmMain, std::ostream& out) {
    act::Session& session = frmMain.session();
    criteria::Criteria criteria = frmMain.panel().criteria();
    if (criteria.reportOutput) {
        auto notReady = MainWindowCount::reportNotReady(
            session, MainWindowCount::selectedReport(frmMain), session.iOutputType());
        if (notReady) {
            return tell(session, std::string(platform::kAppTitle), *notReady);
        }
    }
    std::shared_ptr<const filter::HostSnapshot> snapshot;
    if (!platform::guarded(*session.ui, {"frmMain", "Count", platform::RoutineKind::Sub},
                           [&] { snapshot = filter::readSnapshot(session); })) {
        return kCountStopped;
    }
    filter::SelectionCount count =
        filter::countSelection(snapshot, session.programFolder, criteria);
    if (count.outcome != filter::SelectionCount::Outcome::Counted) {
        return tell(session, count.title, count.message);
    }
    out << count.contacts << ' ' << count.opportunities << '\n' << std::flush;
    return kCountDone;
}

}  // namespace bp::app
