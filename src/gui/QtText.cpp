#include "gui/QtText.h"

#include <QStringList>

namespace bp::gui {

QString messageText(const std::string& text) {
    QString result = toQt(text);
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return result;
}

int utf16Position(const QString& text, int characters) {
    int units = 0;
    for (int seen = 0; seen < characters && units < text.size(); ++seen) {
        units += text.at(units).isHighSurrogate() && units + 1 < text.size() ? 2 : 1;
    }
    return units;
}

int characterPosition(const QString& text, int units) {
    int characters = 0;
    for (int at = 0; at < units && at < text.size(); ++characters) {
        at += text.at(at).isHighSurrogate() && at + 1 < text.size() ? 2 : 1;
    }
    return characters;
}

QDateTime toQt(const DateTime& value) {
    return QDateTime(QDate(value.year, value.month, value.day),
                     QTime(value.hour, value.minute, value.second));
}

DateTime fromQt(const QDateTime& value) {
    const QDate d = value.date();
    const QTime t = value.time();
    return {d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second()};
}

QColor colorFromBgr(std::uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

std::uint32_t bgrFromColor(const QColor& color) {
    return static_cast<std::uint32_t>(color.red()) |
           (static_cast<std::uint32_t>(color.green()) << 8) |
           (static_cast<std::uint32_t>(color.blue()) << 16);
}

namespace {

QString qtPatterns(const QString& patterns) {
    QStringList result;
    for (QString p : patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        p = p.trimmed();
        if (p == QStringLiteral("*.*")) {
            p = QStringLiteral("*");
        }
        if (!result.contains(p)) {
            result << p;
        }
        if (p != p.toLower() && !result.contains(p.toLower())) {
            result << p.toLower();
        }
    }
    return result.join(QLatin1Char(' '));
}

QString describe(QString description, const QString& patterns) {
    // Qt reads the patterns from the last parentheses, so the description keeps only its words.
    const int open = description.lastIndexOf(QLatin1Char('('));
    if (open > 0 && description.endsWith(QLatin1Char(')'))) {
        description = description.left(open).trimmed();
    }
    return description + QStringLiteral(" (") + patterns + QLatin1Char(')');
}

}  // namespace

QString qtFileFilter(const std::string& filter) {
    const QStringList parts = toQt(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        filters << describe(parts[i].trimmed(), qtPatterns(parts[i + 1]));
    }
    if (parts.size() % 2 == 1 && !parts.back().trimmed().isEmpty()) {
        filters << parts.back().trimmed();  // a lone pattern without a description
    }
    return filters.join(QStringLiteral(";;"));
}

}  // namespace bp::gui
