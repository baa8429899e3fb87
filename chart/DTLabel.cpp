#include "chart/DTLabel.h"

TDTLabel& TDTLabel::operator=(const TDTLabel& other) {
    CopySettings(other);
    return *this;
}

void TDTLabel::CopySettings(const TDTLabel& o) {
    FTimeFormat = o.FTimeFormat;
    FDateSeparator = o.FDateSeparator;
    FTimeSeparator = o.FTimeSeparator;
    FYearLength = o.FYearLength;
    FMonthName = o.FMonthName;
    FDateOrder = o.FDateOrder;
    FDateForTime = o.FDateForTime;
}

bool TDTLabel::SameSettings(const TDTLabel& o) const {
    return FTimeFormat == o.FTimeFormat && FDateSeparator == o.FDateSeparator &&
           FTimeSeparator == o.FTimeSeparator && FYearLength == o.FYearLength &&
           FMonthName == o.FMonthName && FDateOrder == o.FDateOrder &&
           FDateForTime == o.FDateForTime;
}

void TDTLabel::Changed() {
    if (OnChange)
        OnChange(this);
}

void TDTLabel::ResetComp() {
    CopySettings(TDTLabel());
    Changed();
}

void TDTLabel::Assign(const TDTLabel& other) {
    CopySettings(other);
    Changed();
}

void TDTLabel::SetTimeFormat(TTimeFormat v) {
    FTimeFormat = v;
    Changed();
}
void TDTLabel::SetDateSeparator(QChar v) {
    FDateSeparator = v;
    Changed();
}
void TDTLabel::SetTimeSeparator(QChar v) {
    FTimeSeparator = v;
    Changed();
}
void TDTLabel::SetYearLength(TYearLength v) {
    FYearLength = v;
    Changed();
}
void TDTLabel::SetMonthName(bool v) {
    FMonthName = v;
    Changed();
}
void TDTLabel::SetDateOrder(TDateOrder v) {
    FDateOrder = v;
    Changed();
}
void TDTLabel::SetDateForTime(TDateForTime v) {
    FDateForTime = v;
    Changed();
}
