#pragma once
// Small conversions between the core's texts (UTF-8, CR LF line ends) and Qt's.
#include <QByteArray>
#include <QLocale>
#include <QString>
#include <string>

namespace zemtral {

/// @brief A core text for a Qt text box: CR LF becomes the box's line break.
inline QString fromCrLf(const std::string& text) {
    QString s = QString::fromStdString(text);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return s;
}

/// @brief A text box's content as a core text with CR LF line ends.
inline std::string toCrLf(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text.toStdString();
}

/// @brief The decimal separator of numbers shown on screen: the user's locale's.
inline char screenDecimalSeparator() {
    return QLocale().decimalPoint() == QStringLiteral(",") ? ',' : '.';
}

}  // namespace zemtral
