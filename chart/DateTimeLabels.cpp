#include "chart/DateTimeLabels.h"

#include <QDate>
#include <QStringList>
#include <cmath>

namespace {

const char* const MonthNames[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                  "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

constexpr double TimeStepTable[] = {0.001, 0.002, 0.005, 0.01, 0.02, 0.05, 0.1,   0.2,   0.5,
                                    1,     2,     5,     10,   20,   30,   60,    120,   180,
                                    300,   600,   1200,  1800, 3600, 7200, 14400, 21600, 43200};

constexpr double DateStepTable[] = {1.0 / 86400,
                                    2.0 / 86400,
                                    5.0 / 86400,
                                    10.0 / 86400,
                                    30.0 / 86400,
                                    60.0 / 86400,
                                    120.0 / 86400,
                                    300.0 / 86400,
                                    600.0 / 86400,
                                    1800.0 / 86400,
                                    3600.0 / 86400,
                                    7200.0 / 86400,
                                    10800.0 / 86400,
                                    21600.0 / 86400,
                                    43200.0 / 86400,
                                    1,
                                    2,
                                    5,
                                    7,
                                    14,
                                    28,
                                    56,
                                    91,
                                    182,
                                    365,
                                    730,
                                    1826,
                                    3652,
                                    7305};

QString TwoDigits(int v) {
    return QString::number(v).rightJustified(2, u'0');
}

} // namespace

QString TimeText(double seconds, bool millis, const TDTLabel& format) {
    const bool negative = seconds < 0;
    const long long totalMs = std::llround(std::fabs(seconds) * 1000);
    const long long h = totalMs / 3600000;
    const int m = static_cast<int>(totalMs / 60000 % 60);
    const int s = static_cast<int>(totalMs / 1000 % 60);
    const int ms = static_cast<int>(totalMs % 1000);
    const QString sep(format.TimeSeparator());
    QString text;
    switch (format.TimeFormat()) {
    case tfHHhMM:
        text = TwoDigits(static_cast<int>(h)) + u'h' + TwoDigits(m);
        break;
    case tfAMPM: {
        const int h24 = static_cast<int>(h % 24);
        const int h12 = h24 % 12 == 0 ? 12 : h24 % 12;
        text = QString::number(h12) + sep + TwoDigits(m) + sep + TwoDigits(s) +
               (h24 < 12 ? QStringLiteral(" am") : QStringLiteral(" pm"));
        millis = false;
        break;
    }
    default:
        text = TwoDigits(static_cast<int>(h)) + sep + TwoDigits(m) + sep + TwoDigits(s);
        break;
    }
    if (millis && format.TimeFormat() == tfHHMMSS)
        text += u'.' + QString::number(ms).rightJustified(3, u'0');
    return negative ? u'-' + text : text;
}

QString DateText(long long day, const TDTLabel& format) {
    const QDate date = QDate(1899, 12, 30).addDays(day);
    const QString dd = TwoDigits(date.day());
    const QString mm = format.MonthName() ? QString::fromLatin1(MonthNames[date.month() - 1])
                                          : TwoDigits(date.month());
    QString yy;
    if (format.YearLength() == ylYY)
        yy = TwoDigits(date.year() % 100);
    else if (format.YearLength() == ylYYYY)
        yy = QString::number(date.year());
    QStringList parts;
    switch (format.DateOrder()) {
    case doMMDDYY:
        parts = {mm, dd, yy};
        break;
    case doYYMMDD:
        parts = {yy, mm, dd};
        break;
    default:
        parts = {dd, mm, yy};
        break;
    }
    parts.removeAll(QString());
    return parts.join(QString(format.DateSeparator()));
}

std::span<const double> TimeSteps() {
    return TimeStepTable;
}

std::span<const double> DateSteps() {
    return DateStepTable;
}

double TableStep(std::span<const double> steps, double perInterval, double upper) {
    if (perInterval < steps[0] || perInterval >= upper)
        return 0;
    double best = steps[0];
    for (const double step : steps)
        if (step <= perInterval)
            best = step;
    return best;
}
