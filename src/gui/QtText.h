#pragma once
// Conversions between the form model's plain values (UTF-8 text, DateTime, 0x00BBGGRR colours,
// "Description|pattern" filters) and Qt's.

#include <QColor>
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <string>

#include "core/DateTime.h"

namespace bp::gui {

inline QString toQt(const std::string& text) {
    return QString::fromStdString(text);
}
inline std::string fromQt(const QString& text) {
    return text.toStdString();
}

// Message texts use carriage returns for line breaks, as the host platform's boxes do.
QString messageText(const std::string& text);

// Text positions: the form model counts characters (code points), Qt counts UTF-16 units; a
// character outside the Basic Multilingual Plane (an emoji) takes two units.
int utf16Position(const QString& text, int characters);
int characterPosition(const QString& text, int units);

QDateTime toQt(const DateTime& value);
DateTime fromQt(const QDateTime& value);

QColor colorFromBgr(std::uint32_t bgr);
std::uint32_t bgrFromColor(const QColor& color);

// "CSV Files (*.CSV)|*.CSV|All Files (*.*)|*.*" becomes "CSV Files (*.CSV *.csv);;All Files (*)".
// Patterns also match in lower case, since users' files are not always named in capitals.
QString qtFileFilter(const std::string& filter);

}  // namespace bp::gui
