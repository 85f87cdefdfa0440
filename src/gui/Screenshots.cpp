#include "gui/Screenshots.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTabWidget>

#include "gui/FormRenderer.h"
#include "gui/QtText.h"
#include "gui/TabBinding.h"

namespace bp::gui {

QString Screenshots::fileNamePart(const QString& caption) {
    QString result;
    for (const QChar c : caption) {
        if (c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('-')) {
            result += c;
        }
    }
    return result;
}

bool Screenshots::capture(FormRenderer& renderer) {
    FormWindow& window = renderer.window();
    const bool wasVisible = window.isVisible();
    renderer.flush();
    window.show();
    window.adjustSize();
    QApplication::processEvents();
    const QString form = toQt(renderer.form().name());
    bool ok = true;
    const auto tabs = renderer.tabBindings();
    if (tabs.empty()) {
        ok = save(renderer, form);
    }
    for (TabBinding* binding : tabs) {
        QTabWidget* widget = binding->tabWidget();
        const int current = widget->currentIndex();
        for (int page = 0; page < widget->count(); ++page) {
            if (!widget->isTabVisible(page)) {
                continue;
            }
            binding->showPageQuietly(page);
            QApplication::processEvents();
            ok =
                save(renderer, form + QLatin1Char('-') + fileNamePart(widget->tabText(page))) && ok;
        }
        binding->showPageQuietly(current);
    }
    if (!wasVisible) {
        window.hide();
    }
    return ok;
}

bool Screenshots::save(FormRenderer& renderer, const QString& name) {
    const QString path = QDir(folder_).filePath(name + QStringLiteral(".png"));
    const QPixmap picture = renderer.window().grab();
    if (picture.isNull() || !picture.save(path, "PNG")) {
        failed_ << path;
        return false;
    }
    written_ << path;
    return true;
}

}  // namespace bp::gui
