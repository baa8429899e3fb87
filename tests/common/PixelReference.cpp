#include "tests/common/PixelReference.h"

#include <QDir>
#include <cstring>

namespace {

// Red, green and blue only: a 32-bit picture's fourth byte is not part of
// what it shows, and a PNG file of an opaque picture does not keep it.
QImage ComparableForm(const QImage& image) {
    return image.convertToFormat(QImage::Format_RGB888);
}

} // namespace

bool WritingReferences() {
    return qEnvironmentVariable("TORVANE_WRITE_REFERENCES") == QLatin1String("1");
}

::testing::AssertionResult MatchesReference(const QImage& image, const QString& folder,
                                            const QString& name) {
    const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
    if (image.isNull())
        return ::testing::AssertionFailure() << "no picture for " << path.toStdString();
    const QImage actual = ComparableForm(image);
    if (WritingReferences()) {
        QDir().mkpath(folder);
        if (!actual.save(path, "PNG", 0))
            return ::testing::AssertionFailure() << "cannot write " << path.toStdString();
        return ::testing::AssertionSuccess();
    }
    QImage stored;
    if (!stored.load(path, "PNG"))
        return ::testing::AssertionFailure() << "no reference " << path.toStdString();
    const QImage expected = ComparableForm(stored);
    if (expected.size() != actual.size())
        return ::testing::AssertionFailure()
               << name.toStdString() << ": " << actual.width() << " x " << actual.height()
               << " pixels, the reference has " << expected.width() << " x " << expected.height();
    const auto rowBytes = static_cast<std::size_t>(actual.width()) * 3;
    int differing = 0;
    QPoint first;
    for (int y = 0; y < actual.height(); ++y) {
        if (std::memcmp(actual.constScanLine(y), expected.constScanLine(y), rowBytes) == 0)
            continue;
        for (int x = 0; x < actual.width(); ++x)
            if (actual.pixel(x, y) != expected.pixel(x, y) && differing++ == 0)
                first = QPoint(x, y);
    }
    if (differing == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << name.toStdString() << ": " << differing << " pixels differ, the first at ("
           << first.x() << ", " << first.y() << "): #" << std::hex
           << (actual.pixel(first) & 0xFFFFFF) << " instead of #"
           << (expected.pixel(first) & 0xFFFFFF);
}
