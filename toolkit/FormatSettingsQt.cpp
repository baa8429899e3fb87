#include "toolkit/FormatSettingsQt.h"

FormatSettings FormatSettingsFor(const QLocale& locale) {
    FormatSettings settings;
    settings.ThousandSeparator = locale.groupSeparator().toStdString();
    settings.DecimalSeparator = locale.decimalPoint().toStdString();
    return settings;
}
