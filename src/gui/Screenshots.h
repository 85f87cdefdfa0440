#pragma once
// Pictures of rendered windows for the README and for reviewing layouts: one PNG per window,
// or one per tab of each tab control, named "<form>-<tab>.png" ("frmMain-General.png").
// Works on the offscreen platform, so no display is needed.

#include <QString>
#include <QStringList>

namespace bp::gui {

class FormRenderer;

class Screenshots {
public:
    explicit Screenshots(QString folder) : folder_(std::move(folder)) {}

    // Writes the pictures of one rendered form; false when a file could not be written.
    // The form's own state (its current tab, say) is left as it was.
    bool capture(FormRenderer& renderer);

    const QStringList& written() const { return written_; }
    const QStringList& failed() const { return failed_; }

    // "&General" -> "General", "Sort && Totals" -> "SortTotals": safe in any file system.
    static QString fileNamePart(const QString& caption);

private:
    bool save(FormRenderer& renderer, const QString& name);

    QString folder_;
    QStringList written_;
    QStringList failed_;
};

}  // namespace bp::gui
