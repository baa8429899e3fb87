#include "chart/ScaleMath.h"

#include <QStringList>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

namespace {
constexpr double Ln10 = 2.302585092994046;
constexpr double Log10Of2 = 0.3010299956639812;
constexpr double Log10Of5 = 0.6989700043360189;
} // namespace

void CalcScalePars(int n, double low, double high, double& start, double& step, int& nsub) {
    if (high == low) {
        start = low;
        step = 0;
        nsub = 1;
        return;
    }
    const double dir = low < high ? 1.0 : -1.0;
    if (n == 0) {
        // A falling range counts its whole numbers downwards.
        step = dir;
        start = std::trunc(low) - dir;
        nsub = std::fabs(high - low) <= 10 ? 5 : 1;
    } else {
        double t = std::log(std::fabs(high - low) / n) / Ln10;
        double f = t - std::trunc(t);
        if (std::fabs(f) < 1e-10 || std::fabs(f) > 0.9999999999) {
            f = 0;
            t = RoundHalfEven(t);
        }
        if (t < 0 && f != 0)
            t = t - 1;
        if (f < 0)
            f = f + 1;
        const double e = std::trunc(t);
        double m;
        if (f < Log10Of2 + 1e-10) {
            m = 1;
            nsub = 5;
        } else if (f < Log10Of5 + 1e-10) {
            m = 2;
            nsub = 4;
        } else {
            m = 5;
            nsub = 5;
        }
        step = dir * std::exp((e + std::log10(m)) * Ln10);
        start = (std::trunc(low / step) - 1) * step;
    }
    while (dir * (low - start) > 0.001 * std::fabs(step)) {
        // A step below the precision of the values no longer moves start.
        if (start + step == start) {
            start = low;
            break;
        }
        start += step;
    }
}

int LabelDecimals(int decPlaces, double low, double high) {
    if (decPlaces >= 0)
        return decPlaces;
    if (decPlaces == -1)
        return ExponentDecimals;
    const double s = std::fabs(high - low);
    // A span that is no finite number has no decimals to count.
    if (!std::isfinite(s) || s >= 1e6 || s <= 1e-4)
        return ExponentDecimals;
    if (s >= 100)
        return 0;
    return 2 - static_cast<int>(RoundHalfEven(std::log(s) / 2.5));
}

int LogLabelDecimals(int decPlaces, double low, double high) {
    if (decPlaces != -2)
        return LabelDecimals(decPlaces, low, high);
    const double s = std::fabs(high - low);
    if (!std::isfinite(s) || s >= 1e6 || s <= 1e-4)
        return ExponentDecimals;
    const double smaller = std::min(low, high);
    if (smaller >= 1)
        return 0;
    if (!(smaller > 0))
        return ExponentDecimals;
    return 1 - static_cast<int>(RoundHalfEven(std::log10(smaller)));
}

QString ExponentForm(double v) {
    // Beyond the numbers there is no exponent to write.
    if (std::isnan(v))
        return QStringLiteral("NAN");
    if (std::isinf(v))
        return v < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.1E", std::fabs(v));
    // buf: d.dE+xx (at least two exponent digits).
    const char* e = std::strchr(buf, 'E');
    const int exponent = std::atoi(e + 1);
    char full[64];
    std::snprintf(full, sizeof full, "%c%.3s%c%c%04d", v < 0 ? '-' : ' ', buf, 'E',
                  exponent < 0 ? '-' : '+', std::abs(exponent));
    std::string s(full);
    if (s.size() != 10 || s[6] != '0' || s[7] != '0')
        return QString(8, u'*');
    s.erase(6, 2);
    return QString::fromStdString(s);
}

QString FixedForm(double v, int d) {
    const double a = std::fabs(v);
    if (!std::isfinite(v) || a > 6.6e35)
        return ExponentForm(v);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17e", a);
    // 18 significant digits and the decimal exponent.
    std::string digits;
    digits += buf[0];
    digits += std::string(buf + 2, 17);
    int exp10 = std::atoi(std::strchr(buf, 'e') + 1);
    if (exp10 >= 36)
        return ExponentForm(v);
    if (a == 0) {
        digits.assign(18, '0');
        exp10 = 0;
    }
    // Digits before the point: exp10 + 1. Keep exp10 + 1 + d of them.
    const int keep = exp10 + 1 + d;
    std::string kept;
    if (keep < 0) {
        kept = "";
    } else if (keep >= 18) {
        kept = digits + std::string(keep - 18, '0');
    } else {
        kept = digits.substr(0, keep);
        if (digits[keep] >= '5') {
            int i = keep - 1;
            while (i >= 0 && kept[i] == '9') {
                kept[i] = '0';
                --i;
            }
            if (i >= 0) {
                ++kept[i];
            } else {
                kept.insert(kept.begin(), '1');
                ++exp10;
            }
        }
    }
    // kept holds the digits down to 10^-d; pad on the left to have d + 1 at least.
    if (static_cast<int>(kept.size()) < d + 1)
        kept.insert(0, d + 1 - kept.size(), '0');
    std::string intPart = kept.substr(0, kept.size() - d);
    std::string frac = kept.substr(kept.size() - d);
    const std::size_t nz = intPart.find_first_not_of('0');
    intPart = nz == std::string::npos ? "0" : intPart.substr(nz);
    std::string out = (v < 0 ? "-" : "") + intPart;
    if (d > 0)
        out += "." + frac;
    return QString::fromStdString(out);
}

QString NumLabelText(double v, double low, double high, int decimals, int decPlaces) {
    const double range = high - low;
    if (std::fabs(v / range) < 1e-14)
        v = 0;
    QString text;
    if (v == 0 && std::fabs(range) > 100000)
        text = decimals == 0 ? QStringLiteral("0") : QStringLiteral("0.0");
    else if (decimals == ExponentDecimals)
        text = ExponentForm(v);
    else
        text = FixedForm(v, decimals);
    if (text.size() > 14)
        text.truncate(14);
    if (decPlaces == 0 && std::fabs(v - RoundHalfEven(v)) > 1e-6)
        text.clear();
    return text;
}

QString UserTickItem(const QString& list, int k) {
    if (list.isEmpty() || k < 1)
        return {};
    const QStringList items = list.split(u'|');
    return items.at(std::min<qsizetype>(k, items.size()) - 1);
}

QString ApplyInscript(const QString& inscript, const QString& text) {
    if (text.isEmpty())
        return text;
    const qsizetype amp = inscript.indexOf(u'&');
    if (amp < 0)
        return inscript + text;
    return inscript.left(amp) + text + inscript.mid(amp + 1);
}
