#include "toolkit/Fonts.h"

#include <QFontDatabase>
#include <QStringList>

bool RegisterWindowFonts() {
    if (QFontDatabase::families().contains(QStringLiteral("Tahoma")))
        return true;
    const QStringList files = {QStringLiteral("/usr/share/wine/fonts/tahoma.ttf"),
                               QStringLiteral("/usr/share/wine/fonts/tahomabd.ttf")};
    for (const QString& file : files)
        QFontDatabase::addApplicationFont(file);
    return QFontDatabase::families().contains(QStringLiteral("Tahoma"));
}
