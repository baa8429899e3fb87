#include "chart/BakGndImg.h"

#include <algorithm>

QString FileNamePart(const QString& Path) {
    const qsizetype cut = std::max(Path.lastIndexOf(u'/'), Path.lastIndexOf(u'\\'));
    return cut < 0 ? Path : Path.mid(cut + 1);
}

TBakGndImg& TBakGndImg::operator=(const TBakGndImg& other) {
    if (this != &other)
        CopySettings(other);
    return *this;
}

void TBakGndImg::CopySettings(const TBakGndImg& other) {
    FName = other.FName;
    FIncludePath = other.FIncludePath;
    FFillMode = other.FFillMode;
    FAreaMode = other.FAreaMode;
    FAreaColor = other.FAreaColor;
    FAreaLeft = other.FAreaLeft;
    FAreaRight = other.FAreaRight;
    FAreaTop = other.FAreaTop;
    FAreaBottom = other.FAreaBottom;
}

void TBakGndImg::Assign(const TBakGndImg& source) {
    if (this != &source)
        CopySettings(source);
    Changed();
}

void TBakGndImg::Changed() {
    if (OnChange)
        OnChange();
}

void TBakGndImg::SetName(const QString& value) {
    FName = FIncludePath ? value : FileNamePart(value);
    Changed();
}

void TBakGndImg::SetIncludePath(bool value) {
    FIncludePath = value;
    if (!FIncludePath)
        FName = FileNamePart(FName);
    Changed();
}

void TBakGndImg::SetFillMode(TBkgFill value) {
    FFillMode = value;
    Changed();
}

void TBakGndImg::SetAreaMode(TBGAreaMode value) {
    FAreaMode = value;
    Changed();
}

void TBakGndImg::SetAreaColor(TColor value) {
    FAreaColor = value;
    Changed();
}

void TBakGndImg::SetAreaLeft(double value) {
    FAreaLeft = value;
    Changed();
}

void TBakGndImg::SetAreaRight(double value) {
    FAreaRight = value;
    Changed();
}

void TBakGndImg::SetAreaTop(double value) {
    FAreaTop = value;
    Changed();
}

void TBakGndImg::SetAreaBottom(double value) {
    FAreaBottom = value;
    Changed();
}
