#include "tools/ReportLocale.h"

#include "tools/ReportOptions.h"

#include <QLocale>
#include <QString>

FormatSettings ReportFormatSettings(const std::optional<std::string>& localeName) {
    QLocale locale = QLocale::system();
    if (localeName) {
        locale = QLocale(QString::fromStdString(*localeName));
        // An unknown name falls back to the C locale without a word.
        if (locale.language() == QLocale::C && *localeName != "C" && *localeName != "POSIX")
            throw EUsageError("unknown locale \"" + *localeName + "\"");
    }
    FormatSettings format;
    format.ThousandSeparator = locale.groupSeparator().toStdString();
    format.DecimalSeparator = locale.decimalPoint().toStdString();
    return format;
}
