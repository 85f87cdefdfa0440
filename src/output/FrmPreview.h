#pragma once
// The preview window "frmPreview": the first rows a run would produce and how many there are
// in all, without producing anything. For a report or export they are the data file's rows
// under the definition's captions; for a lookup, the contacts the lookup would hold.

#include <cstdint>
#include <string>
#include <vector>

#include "forms/CommandButton.h"
#include "forms/Form.h"
#include "forms/Label.h"
#include "forms/ListView.h"

namespace bp::output {

class FrmPreview : public forms::Form {
public:
    // The rows shown at most; the total counts them all.
    static constexpr int kShownRows = 200;
    // Columns of the hidden list the run's results are built in.
    static constexpr int kWorkColumns = 26;

    explicit FrmPreview(forms::UiService& ui);

    forms::Label& lblTotal() { return *lblTotal_; }
    forms::ListView& lvwRows() { return *lvwRows_; }
    forms::CommandButton& cmdClose() { return *cmdClose_; }
    // Where the results are built before the first of them are shown; never shown itself.
    forms::ListView& lvwWork() { return *lvwWork_; }

    // Replaces the shown columns and rows, each column as wide as its widest text allows.
    void showRows(const std::vector<std::string>& captions,
                  const std::vector<std::vector<std::string>>& rows);
    // `noun` names what is counted ("rows", "contacts").
    void setTotal(std::uint64_t total, const std::string& noun);

    // The total with the user's digit grouping: 1284 reads "1,284" where "," groups digits.
    static std::string groupDigits(std::uint64_t value, const std::string& separator);

private:
    void cmdClose_Click();

    forms::Label* lblTotal_;
    forms::ListView* lvwRows_;
    forms::ListView* lvwWork_;
    forms::CommandButton* cmdClose_;
};

}  // namespace bp::output
