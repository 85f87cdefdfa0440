#include "definitions/FrmBorder.h"

#include "definitions/DefinitionFile.h"
#include "definitions/StagedValues.h"
#include "forms/DialogButtons.h"
#include "platform/ErrorHandler.h"

namespace bp::definitions {
namespace {

using namespace bp::forms;

constexpr const char* kStyles[] = {"Thin", "Medium", "Thick", "Double"};
constexpr int kStyleCount = 4;

}  // namespace

FrmBorder::FrmBorder(act::Session& session, std::string prefix, int index)
    : Form(*session.ui, "frmBorder", "Border"),
      session_(session),
      prefix_(std::move(prefix)),
      index_(index) {
    auto& lblBorderStyle = add<Label>("lblBorderStyle");
    lblBorderStyle.setCaption("Choose a border style");
    lblBorderStyle.setLayout(0, 0);
    cboBorderStyle_ = &add<ComboBox>("cboBorderStyle");
    cboBorderStyle_->setStyle(ComboStyle::DropDownList);
    cboBorderStyle_->setLayout(0, 1, 1, 2);
    for (const char* style : kStyles) {
        cboBorderStyle_->addItem(style);
    }
    auto& lblColor = add<Label>("lblColor");
    lblColor.setCaption("Color");
    lblColor.setLayout(1, 0);
    picColor_ = &add<Label>("picColor");
    picColor_->setLayout(1, 1);
    picColor_->onDblClick = [this] { picColor_DblClick(); };
    // The swatch's double-click is easy to miss; a button offers the same dialog.
    cmdChangeColor_ = &add<CommandButton>("cmdChangeColor");
    cmdChangeColor_->setCaption("C&hange...");
    cmdChangeColor_->setLayout(1, 2);
    cmdChangeColor_->onClick = [this] { picColor_DblClick(); };
    cmdOK_ = &addDialogButton(*this, "cmdOK", {"&OK", 2, 1}, ButtonRole::Default,
                              [this] { cmdOK_Click(); });
    cmdCancel_ = &addDialogButton(*this, "cmdCancel", {"&Cancel", 2, 2}, ButtonRole::Cancel,
                                  [this] { cmdCancel_Click(); });
}

void FrmBorder::run(const char* routine, const std::function<void()>& body) {
    platform::guarded(ui(), platform::Routine{"frmBorder", routine}, body);
}

std::string FrmBorder::key(const char* name) const {
    return prefix_ + name + std::to_string(index_);
}

void FrmBorder::paint(std::uint32_t color) {
    color_ = color;
    picColor_->setBackColor(color);
}

void FrmBorder::Load_settings() {
    run("Load_settings", [&] {
        const long style = stagedNumber(session_, key("BorderStyle"));
        cboBorderStyle_->setListIndex(style >= 0 && style < kStyleCount ? static_cast<int>(style)
                                                                        : 0);
        const long color = stagedNumber(session_, key("BorderColor"));
        paint(color >= 0 && color <= 0xFFFFFF ? static_cast<std::uint32_t>(color) : 0u);
    });
}

void FrmBorder::picColor_DblClick() {
    run("picColor_DblClick", [&] {
        if (auto chosen = ui().chooseColor(color_)) {
            paint(*chosen & 0xFFFFFFu);
        }
    });
}

void FrmBorder::cmdOK_Click() {
    run("cmdOK_Click", [&] {
        stageValue(session_, key("BorderColor"), std::to_string(color_));
        stageValue(session_, key("BorderStyle"), std::to_string(cboBorderStyle_->listIndex()));
        unload();
    });
}

void FrmBorder::cmdCancel_Click() {
    unload();
}

void showBorderDialog(act::Session& session, const std::string& prefix, int index) {
    FrmBorder border(session, prefix, index);
    border.Load_settings();
    border.showModal();
    if (border.loaded()) {
        border.unload();
    }
}

}  // namespace bp::definitions
