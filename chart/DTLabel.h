#pragma once

// The date and time label format of an axis; it matters only to time and
// date labels. Every setter reports through OnChange.

#include <QChar>
#include <functional>

enum TTimeFormat : std::uint8_t { tfHHMMSS, tfHHhMM, tfAMPM };
enum TYearLength : std::uint8_t { ylNone, ylYY, ylYYYY };
enum TDateOrder : std::uint8_t { doDDMMYY, doMMDDYY, doYYMMDD };
enum TDateForTime : std::uint8_t { dtNone, dtOnePerDay, dtOnePerChart, dtAllTicks };

class TDTLabel {
public:
    TDTLabel() = default;
    // Copies the settings only; the handler stays with its owner.
    TDTLabel(const TDTLabel& other) { CopySettings(other); }
    TDTLabel& operator=(const TDTLabel& other);

    std::function<void(TDTLabel*)> OnChange;

    void ResetComp();
    // Takes over every setting of another format, one notification.
    void Assign(const TDTLabel& other);

    TTimeFormat TimeFormat() const { return FTimeFormat; }
    QChar DateSeparator() const { return FDateSeparator; }
    QChar TimeSeparator() const { return FTimeSeparator; }
    TYearLength YearLength() const { return FYearLength; }
    bool MonthName() const { return FMonthName; }
    TDateOrder DateOrder() const { return FDateOrder; }
    TDateForTime DateForTime() const { return FDateForTime; }

    void SetTimeFormat(TTimeFormat v);
    void SetDateSeparator(QChar v);
    void SetTimeSeparator(QChar v);
    void SetYearLength(TYearLength v);
    void SetMonthName(bool v);
    void SetDateOrder(TDateOrder v);
    void SetDateForTime(TDateForTime v);

    bool SameSettings(const TDTLabel& o) const;

private:
    void CopySettings(const TDTLabel& o);
    void Changed();

    TTimeFormat FTimeFormat = tfHHMMSS;
    QChar FDateSeparator = u'-';
    QChar FTimeSeparator = u':';
    TYearLength FYearLength = ylYYYY;
    bool FMonthName = true;
    TDateOrder FDateOrder = doDDMMYY;
    TDateForTime FDateForTime = dtOnePerDay;
};
