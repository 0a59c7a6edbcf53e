#include "ui/shell/zem_settings.h"

#include <QSettings>

namespace zemtral {
namespace {

constexpr const char* kKey = "Options/Show Tips at Startup";

}  // namespace

bool ZemSettings::showTipsAtStartup() {
    QSettings settings(QStringLiteral("ZEMTRAL"), QStringLiteral("ZEMTRAL"));
    return settings.value(QLatin1String(kKey), QStringLiteral("1")).toString().trimmed().toInt() != 0;
}

void ZemSettings::setShowTipsAtStartup(bool show) {
    QSettings settings(QStringLiteral("ZEMTRAL"), QStringLiteral("ZEMTRAL"));
    settings.setValue(QLatin1String(kKey), show ? QStringLiteral("1") : QStringLiteral("0"));
    settings.sync();
}

}  // namespace zemtral
