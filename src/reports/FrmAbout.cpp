#include "reports/FrmAbout.h"

#include <string_view>

#include "forms/DialogButtons.h"
#include "platform/AppInfo.h"

#ifndef BRINDLEPATH_VERSION
#error "BRINDLEPATH_VERSION comes from the project's version in CMake"
#endif

namespace bp::reports {

std::string programVersion() {
    return BRINDLEPATH_VERSION;
}

std::string buildDate() {
    // __DATE__ reads "Mmm dd yyyy", with a blank before a one-digit day.
    constexpr std::string_view kMonths = "JanFebMarAprMayJunJulAugSepOctNovDec";
    const std::string_view date = __DATE__;
    const auto twoDigits = [](std::size_t n) { return (n < 10 ? "0" : "") + std::to_string(n); };
    const std::size_t month = kMonths.find(date.substr(0, 3)) / 3 + 1;
    const std::size_t day = static_cast<std::size_t>(std::stoi(std::string(date.substr(4, 2))));
    return std::string(date.substr(7, 4)) + "-" + twoDigits(month) + "-" + twoDigits(day);
}

FrmAbout::FrmAbout(forms::UiService& ui)
    : Form(ui, "frmAbout", "About " + std::string(platform::kAppTitle)) {
    lblTitle_ = &add<forms::Label>("lblTitle");
    lblTitle_->setCaption(std::string(platform::kAppTitle));
    lblTitle_->setLayout(0, 0);
    lblDescription_ = &add<forms::Label>("lblDescription");
    lblDescription_->setCaption(
        "Selects contacts by their sales and opportunity records and sends them to a lookup, "
        "a spreadsheet report or a CSV file.");
    lblDescription_->setLayout(1, 0);
    lblVersion_ = &add<forms::Label>("lblVersion");
    lblVersion_->setCaption("Version " + programVersion());
    lblVersion_->setLayout(2, 0);
    lblBuild_ = &add<forms::Label>("lblBuild");
    lblBuild_->setCaption("Built " + buildDate());
    lblBuild_->setLayout(3, 0);
    lblHost_ = &add<forms::Label>("lblHost");
    lblHost_->setLayout(4, 0);
    cmdOK_ =
        &forms::addDialogButton(*this, "cmdOK", {"&OK", 5, 0}, forms::ButtonRole::DefaultAndCancel,
                                [this] { cmdOK_Click(); });
}

void FrmAbout::setHost(const std::string& description) {
    lblHost_->setCaption(description.empty() ? std::string() : "Working on " + description + ".");
}

void FrmAbout::cmdOK_Click() {
    unload();
}

}  // namespace bp::reports
