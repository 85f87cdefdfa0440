#pragma once
// The preview button: what the run button would produce from the same choices, shown in
// frmPreview instead of being produced. It takes the run's own steps (the checks, the filter,
// the results list, the data file's cells), so the preview cannot differ from the output,
// and it leaves everything as it found it: no lookup, no data file, no staged definition,
// no setting and the main window's results list unchanged.

#include <cstddef>
#include <string>
#include <vector>

#include "act/Session.h"
#include "filter/SalesFilter.h"
#include "output/FrmPreview.h"
#include "output/RunWindow.h"

namespace bp::output {

class PreviewCommand {
public:
    PreviewCommand(act::Session& session, RunWindow& window);

    // Fills `form` and shows it modally; after a stop the user has been told why.
    void cmdPreview_Click();
    // Fills `form` as cmdPreview_Click does without showing it. False when the work stopped:
    // a message told the user why, or the user cancelled.
    bool fill(FrmPreview& form);

private:
    bool select(FrmPreview& form, filter::SalesFilter& filter, bool report);
    bool showLookup(FrmPreview& form, filter::SalesFilter& filter);
    void showContacts(std::vector<std::vector<std::string>>& rows, const filter::IdList& ids,
                      std::size_t from, std::size_t to);
    bool showReport(FrmPreview& form, filter::SalesFilter& filter);
    void tell(const std::string& text, forms::MsgIcon icon, const std::string& title = {});

    act::Session& session_;
    RunWindow& window_;
};

}  // namespace bp::output
