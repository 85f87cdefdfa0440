#pragma once
// "Border": the line style and colour of a title row's or a total row's border. The caller sets
// the key prefix ("Title" or "Total") and the section index; OK stages both keys, Cancel
// nothing. The colour comes from the desktop's colour dialog behind the swatch.

#include <cstdint>
#include <string>

#include "act/Session.h"
#include "forms/Controls.h"

namespace bp::definitions {

class FrmBorder : public forms::Form {
public:
    FrmBorder(act::Session& session, std::string prefix, int index);

    forms::ComboBox& cboBorderStyle() { return *cboBorderStyle_; }
    forms::Label& picColor() { return *picColor_; }
    forms::CommandButton& cmdChangeColor() { return *cmdChangeColor_; }
    forms::CommandButton& cmdOK() { return *cmdOK_; }
    forms::CommandButton& cmdCancel() { return *cmdCancel_; }
    std::uint32_t swatchColor() const { return color_; }

    void Load_settings();
    void picColor_DblClick();
    void cmdOK_Click();
    void cmdCancel_Click();

private:
    std::string key(const char* name) const;
    void paint(std::uint32_t color);
    void run(const char* routine, const std::function<void()>& body);

    act::Session& session_;
    std::string prefix_;
    int index_;
    std::uint32_t color_ = 0;
    forms::ComboBox* cboBorderStyle_ = nullptr;
    forms::Label* picColor_ = nullptr;
    forms::CommandButton* cmdChangeColor_ = nullptr;
    forms::CommandButton* cmdOK_ = nullptr;
    forms::CommandButton* cmdCancel_ = nullptr;
};

// Opens the border dialog for one border, as the "Border..." buttons do.
void showBorderDialog(act::Session& session, const std::string& prefix, int index);

}  // namespace bp::definitions
