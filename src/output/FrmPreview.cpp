#include "output/FrmPreview.h"

#include "forms/DialogButtons.h"
#include "platform/AppInfo.h"
#include "platform/Locale.h"

namespace bp::output {

FrmPreview::FrmPreview(forms::UiService& ui)
    : forms::Form(ui, "frmPreview", std::string(platform::kAppTitle) + " - Preview") {
    lblTotal_ = &add<forms::Label>("lblTotal");
    lblTotal_->setLayout(0, 0);
    lvwRows_ = &add<forms::ListView>("lvwRows");
    lvwRows_->setLayout(1, 0);
    lvwWork_ = &add<forms::ListView>("lvwWork");
    for (int c = 0; c < kWorkColumns; ++c) {
        lvwWork_->addColumn("");
    }
    lvwWork_->setVisible(false);
    // Enter and Escape both close: the window only shows.
    cmdClose_ =
        &forms::addDialogButton(*this, "cmdClose", {"&Close", 2, 0},
                                forms::ButtonRole::DefaultAndCancel, [this] { cmdClose_Click(); });
}

void FrmPreview::setColumns(const std::vector<std::string>& captions) {
    lvwRows_->clearRows();
    lvwRows_->clearColumns();
    for (const std::string& caption : captions) {
        lvwRows_->addColumn(caption);
    }
}

void FrmPreview::addRow(const std::vector<std::string>& cells) {
    lvwRows_->addRowWithCells(cells);
}

void FrmPreview::setTotal(std::uint64_t total, const std::string& noun) {
    std::string separator = platform::GetLocaleString(platform::kLocaleSThousand);
    std::string all = groupDigits(total, separator) + " " + noun;
    if (total > static_cast<std::uint64_t>(lvwRows_->rowCount())) {
        lblTotal_->setCaption("The first " + groupDigits(lvwRows_->rowCount(), separator) + " of " +
                              all + ":");
    } else {
        lblTotal_->setCaption(all + ":");
    }
}

std::string FrmPreview::groupDigits(std::uint64_t value, const std::string& separator) {
    std::string digits = std::to_string(value);
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            out += separator;
        }
        out += digits[i];
    }
    return out;
}

void FrmPreview::cmdClose_Click() {
    unload();
}

}  // namespace bp::output
