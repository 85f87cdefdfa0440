#include "gui/FontColorDialog.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/QtText.h"

namespace bp::gui {

FontColorDialog::FontColorDialog(const forms::FontChoice& initial, QWidget* parent)
    : QDialog(parent), fonts_(new QFontDialog(this)), color_(initial.color) {
    setObjectName(QStringLiteral("fontDialog"));
    setWindowTitle(tr("Font"));
    QFont font(toQt(initial.name));
    font.setPointSizeF(initial.size > 0 ? initial.size : 10);
    font.setBold(initial.bold);
    font.setItalic(initial.italic);
    font.setUnderline(initial.underline);
    font.setStrikeOut(initial.strikeThrough);
    // Embedded as a page of this dialog, with this dialog's buttons.
    fonts_->setWindowFlags(Qt::Widget);
    fonts_->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    fonts_->setCurrentFont(font);

    colorButton_ = new QPushButton(tr("&Colour..."), this);
    colorButton_->setObjectName(QStringLiteral("colorButton"));
    connect(colorButton_, &QPushButton::clicked, this, &FontColorDialog::chooseColor);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(tr("Colour:"), this));
    bottom->addWidget(colorButton_);
    bottom->addStretch(1);
    bottom->addWidget(buttons);
    auto* root = new QVBoxLayout(this);
    root->addWidget(fonts_);
    root->addLayout(bottom);
    showColor();
}

forms::FontChoice FontColorDialog::choice() const {
    const QFont font = fonts_->currentFont();
    forms::FontChoice result;
    result.name = fromQt(font.family());
    result.size = font.pointSizeF();
    result.bold = font.bold();
    result.italic = font.italic();
    result.underline = font.underline();
    result.strikeThrough = font.strikeOut();
    result.color = color_;
    return result;
}

void FontColorDialog::chooseColor() {
    const QColor picked = QColorDialog::getColor(colorFromBgr(color_), this, tr("Colour"));
    if (picked.isValid()) {
        color_ = bgrFromColor(picked);
        showColor();
    }
}

void FontColorDialog::showColor() {
    QPixmap swatch(32, 14);
    swatch.fill(colorFromBgr(color_));
    colorButton_->setIcon(QIcon(swatch));
    colorButton_->setIconSize(swatch.size());
}

}  // namespace bp::gui
