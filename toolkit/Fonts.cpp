#include "toolkit/Fonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QStringList>
#include <QtEndian>

namespace {

const char* const RegularFile = "/usr/share/wine/fonts/tahoma.ttf";
const char* const BoldFile = "/usr/share/wine/fonts/tahomabd.ttf";

// The weight the bold face is registered with: below Qt's Bold, so that a bold
// request picks this face and Qt's font engine thickens its outlines.
constexpr quint16 BoldFaceWeight = 600;

// Offset of the table `tag` in a TrueType file, or -1 when the file has none
// that lies wholly inside it.
qsizetype TableOffset(const QByteArray& font, const char* tag, qsizetype minLength) {
    const auto* bytes = reinterpret_cast<const uchar*>(font.constData());
    if (font.size() < 12)
        return -1;
    const int tables = qFromBigEndian<quint16>(bytes + 4);
    for (int i = 0; i < tables; ++i) {
        const qsizetype record = 12 + 16 * qsizetype(i);
        if (record + 16 > font.size())
            return -1;
        if (QByteArrayView(font.constData() + record, 4) != QByteArrayView(tag, 4))
            continue;
        const qsizetype offset = qFromBigEndian<quint32>(bytes + record + 8);
        const qsizetype length = qFromBigEndian<quint32>(bytes + record + 12);
        if (length < minLength || offset > font.size() - minLength)
            return -1;
        return offset;
    }
    return -1;
}

// Wine's bold Tahoma has the bold face's wider advances but stems hardly
// heavier than the regular face's, so bold text looks like letter-spaced
// regular text. Marked as a semi-bold face (weight below bold, no bold style
// bits), it makes Qt embolden its outlines on a bold request: heavier stems on
// the very advances the window layout was made for. Empty when the file is not
// a font with the tables this needs.
QByteArray BoldFaceForEmboldening(QByteArray font) {
    const qsizetype os2 = TableOffset(font, "OS/2", 64);
    const qsizetype head = TableOffset(font, "head", 46);
    if (os2 < 0 || head < 0)
        return {};
    char* data = font.data();
    qToBigEndian<quint16>(BoldFaceWeight, data + os2 + 4);
    // fsSelection: bold bit off; regular bit on, as no other style bit is set.
    const quint16 selection = qFromBigEndian<quint16>(data + os2 + 62);
    qToBigEndian<quint16>(quint16((selection & ~0x20u) | ((selection & 0x01u) ? 0 : 0x40u)),
                          data + os2 + 62);
    // macStyle: bold bit off.
    const quint16 macStyle = qFromBigEndian<quint16>(data + head + 44);
    qToBigEndian<quint16>(quint16(macStyle & ~0x01u), data + head + 44);
    return font;
}

} // namespace

bool RegisterWindowFonts() {
    if (QFontDatabase::families().contains(QStringLiteral("Tahoma")))
        return true;
    QFontDatabase::addApplicationFont(QString::fromLatin1(RegularFile));
    QFile bold(QString::fromLatin1(BoldFile));
    if (bold.open(QIODevice::ReadOnly)) {
        const QByteArray face = BoldFaceForEmboldening(bold.readAll());
        if (face.isEmpty() || QFontDatabase::addApplicationFontFromData(face) < 0)
            QFontDatabase::addApplicationFont(bold.fileName());
    }
    return QFontDatabase::families().contains(QStringLiteral("Tahoma"));
}
