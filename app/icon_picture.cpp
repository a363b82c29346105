#include "app/icon_picture.h"

#include <QFile>
#include <QtEndian>

namespace {

// Where the fields this reader needs stand, in bytes: the icon directory, its first entry, and
// the bitmap's info header that the entry points at. All are little-endian.
constexpr int DirectorySize = 6;
constexpr int DirectoryType = 2;  // 16 bits, 1 for an icon
constexpr int DirectoryCount = 4; // 16 bits, the number of pictures
constexpr int EntrySize = 16;
constexpr int EntryOffset = 12; // 32 bits, where the picture's info header starts
constexpr int InfoHeaderSize = 40;
constexpr int InfoSize = 0;         // 32 bits, the header's own size
constexpr int InfoWidth = 4;        // 32 bits
constexpr int InfoHeight = 8;       // 32 bits, twice the picture's: colours, then the mask
constexpr int InfoBitCount = 14;    // 16 bits
constexpr int InfoCompression = 16; // 32 bits

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
    if (bytes.size() < DirectorySize + EntrySize || at16(bytes, DirectoryType) != 1
        || at16(bytes, DirectoryCount) < 1)
        return {};
    const qsizetype offset = at32(bytes, DirectorySize + EntryOffset);
    if (offset + InfoHeaderSize > bytes.size() || at32(bytes, offset + InfoSize) != InfoHeaderSize)
        return {};
    const int width = int(at32(bytes, offset + InfoWidth));
    const int height = int(at32(bytes, offset + InfoHeight)) / 2;
    const int bitCount = at16(bytes, offset + InfoBitCount);
    const quint32 compression = at32(bytes, offset + InfoCompression);
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
