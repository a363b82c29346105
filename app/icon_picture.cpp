#include "app/icon_picture.h"

#include <QFile>
#include <QtEndian>

namespace {

constexpr int DirectorySize = 6;
constexpr int EntrySize = 16;
constexpr int InfoHeaderSize = 40;

quint32 at32(const QByteArray &bytes, qsizetype offset)
{
    return qFromLittleEndian<quint32>(bytes.constData() + offset);
}

quint16 at16(const QByteArray &bytes, qsizetype offset)
{
    return qFromLittleEndian<quint16>(bytes.constData() + offset);
}

QImage maskedBitmap(const QByteArray &bytes)
{
    if (bytes.size() < DirectorySize + EntrySize || at16(bytes, 2) != 1 || at16(bytes, 4) < 1)
        return {};
    const qsizetype offset = at32(bytes, DirectorySize + 12);
    if (offset + InfoHeaderSize > bytes.size() || at32(bytes, offset) != InfoHeaderSize)
        return {};
    const int width = int(at32(bytes, offset + 4));
    const int height = int(at32(bytes, offset + 8)) / 2; // colour rows, then mask rows
    const int bitCount = at16(bytes, offset + 14);
    const quint32 compression = at32(bytes, offset + 16);
    if (bitCount != 24 || compression != 0 || width <= 0 || width > 256 || height <= 0
        || height > 256)
        return {};

    const qsizetype colourStride = (width * 3 + 3) / 4 * 4;
    const qsizetype maskStride = (width + 31) / 32 * 4;
    const qsizetype colours = offset + InfoHeaderSize;
    const qsizetype mask = colours + colourStride * height;
    if (mask + maskStride * height > bytes.size())
        return {};

    QImage image(width, height, QImage::Format_ARGB32);
    const auto *data = reinterpret_cast<const uchar *>(bytes.constData());
    for (int y = 0; y < height; ++y) {
        const int row = height - 1 - y; // stored bottom-up
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const uchar *bgr = data + colours + row * colourStride + x * 3;
            const bool transparent = data[mask + row * maskStride + x / 8] & (0x80 >> (x % 8));
            line[x] = transparent ? qRgba(0, 0, 0, 0) : qRgb(bgr[2], bgr[1], bgr[0]);
        }
    }
    return image;
}

} // namespace

QImage LoadIconPicture(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QImage image = maskedBitmap(file.readAll());
    return image.isNull() ? QImage(path) : image;
}
