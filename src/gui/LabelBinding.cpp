#include "gui/LabelBinding.h"

#include <QMouseEvent>
#include <QPalette>

#include "gui/QtText.h"

namespace bp::gui {
namespace {

// Without a buddy a label shows its text as it is; "&&" still means one "&".
QString withoutAccessKeys(const QString& caption) {
    QString result;
    result.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size()) {
            ++i;
        }
        result += caption[i];
    }
    return result;
}

constexpr int kWrapLength = 60;

}  // namespace

LabelBinding::LabelBinding(forms::Label& label, QWidget* parent)
    : ControlBinding(label, new QLabel(parent)),
      model_(label),
      label_(static_cast<QLabel*>(widget())) {
    label_->setTextFormat(Qt::PlainText);
    if (model_.link()) {
        QFont font = label_->font();
        font.setUnderline(true);
        label_->setFont(font);
        QPalette palette = label_->palette();
        palette.setColor(QPalette::WindowText, palette.color(QPalette::Link));
        label_->setPalette(palette);
        label_->setCursor(Qt::PointingHandCursor);
    }
}

void LabelBinding::setBuddy(QWidget* buddy) {
    label_->setBuddy(buddy);
    pushCaption();
}

void LabelBinding::sync(forms::Property property) {
    if (property == forms::Property::Caption) {
        pushCaption();
    } else if (property == forms::Property::Color) {
        pushColor();
    }
}

void LabelBinding::syncContent() {
    pushCaption();
    pushColor();
}

void LabelBinding::pushCaption() {
    const QString caption = toQt(model_.caption());
    label_->setText(label_->buddy() != nullptr ? caption : withoutAccessKeys(caption));
    // Long captions are explanations; they wrap rather than widen the window.
    label_->setWordWrap(caption.size() > kWrapLength);
}

void LabelBinding::pushColor() {
    const auto color = model_.backColor();
    label_->setAutoFillBackground(color.has_value());
    if (color) {
        QPalette palette = label_->palette();
        palette.setColor(QPalette::Window, colorFromBgr(*color));
        label_->setPalette(palette);
        label_->setFrameShape(QFrame::Box);
        label_->setMinimumSize(48, label_->fontMetrics().height() + 4);
    } else if (!model_.link()) {
        label_->setPalette(QPalette());
        label_->setFrameShape(QFrame::NoFrame);
    }
}

bool LabelBinding::eventFilter(QObject* watched, QEvent* event) {
    if (watched == label_ && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        model_.click();
    }
    return ControlBinding::eventFilter(watched, event);
}

}  // namespace bp::gui
