#pragma once
// The font dialog of the report settings: Qt's font chooser (name, size, bold, italic,
// underline, strike-through) with a colour choice beside it, since the spreadsheet's fonts
// carry a colour and Qt's font dialog has none.

#include <QDialog>

#include "forms/UiService.h"

class QFontDialog;
class QPushButton;

namespace bp::gui {

class FontColorDialog : public QDialog {
    Q_OBJECT
public:
    explicit FontColorDialog(const forms::FontChoice& initial, QWidget* parent = nullptr);

    forms::FontChoice choice() const;

private:
    void chooseColor();
    void showColor();

    QFontDialog* fonts_;
    QPushButton* colorButton_;
    std::uint32_t color_;
};

}  // namespace bp::gui
