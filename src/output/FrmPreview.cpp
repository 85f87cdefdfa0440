#include "output/FrmPreview.h"

#include <algorithm>
#include <string_view>

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

namespace {

// Pixels at 96 DPI: a rough character width, the room around a text, and the widest column.
constexpr int kCharWidth = 7;
constexpr int kColumnRoom = 16;
constexpr int kWidestColumn = 280;

int widthOf(std::string_view text) {
    return std::min(kWidestColumn, static_cast<int>(text.size()) * kCharWidth + kColumnRoom);
}

}  // namespace

void FrmPreview::showRows(const std::vector<std::string>& captions,
                          const std::vector<std::vector<std::string>>& rows) {
    lvwRows_->clearRows();
    lvwRows_->clearColumns();
    for (std::size_t c = 0; c < captions.size(); ++c) {
        int width = widthOf(captions[c]);
        for (const auto& row : rows) {
            if (c < row.size()) {
                width = std::max(width, widthOf(row[c]));
            }
        }
        lvwRows_->addColumn(captions[c], width);
    }
    for (const auto& row : rows) {
        lvwRows_->addRowWithCells(row);
    }
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
