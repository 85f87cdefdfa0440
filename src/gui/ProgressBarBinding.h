#pragma once
// A progress bar; a busy value turns it into Qt's moving bar (a range of 0..0).

#include <QProgressBar>

#include "forms/ProgressBar.h"
#include "gui/ControlBinding.h"

namespace bp::gui {

class ProgressBarBinding : public ControlBinding {
    Q_OBJECT
public:
    ProgressBarBinding(forms::ProgressBar& bar, QWidget* parent);

    bool takesFocus() const override { return false; }

protected:
    void sync(forms::Property property) override;
    void syncContent() override;

private:
    forms::ProgressBar& model_;
    QProgressBar* bar_;
};

}  // namespace bp::gui
