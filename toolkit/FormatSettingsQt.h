#pragma once

#include "base/FormatSettings.h"

#include <QLocale>

// The regional separators of a locale, for the number text forms of base.
FormatSettings FormatSettingsFor(const QLocale& locale);

// The user's separators.
inline FormatSettings SystemFormatSettings() {
    return FormatSettingsFor(QLocale::system());
}
