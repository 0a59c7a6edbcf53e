#pragma once
// Numbers as the windows show them: with the decimal separator of the user's locale, so that the
// same test holds under C.UTF-8 and de_DE.UTF-8.
#include <QLocale>
#include <QString>
#include <string>

namespace zemtral::test {

inline QString onScreen(QString text) {
    return text.replace(QLatin1Char('.'), QLocale().decimalPoint());
}

inline std::string onScreenStd(const char* text) {
    return onScreen(QString::fromUtf8(text)).toStdString();
}

}  // namespace zemtral::test
