#include "app/introduction.h"

#include "app/maker.h"

#include <QDate>
#include <QStringList>

namespace {

QString releaseMonth()
{
    const QDate date = QDate::fromString(QString(maker::ReleaseDate), Qt::ISODate);
    return QStringLiteral("%1年%2月").arg(date.year()).arg(date.month());
}

} // namespace

QString Introduction()
{
    const QString crlf = QStringLiteral("\r\n");
    auto pad = [](int blanks) { return QString(blanks, u' '); };
    const QStringList lines{
        QStringLiteral("    本软件根据在玄学中地位重要的八十一数理制作！"),
        {},
        QStringLiteral(
            "    适用于手机号、QQ号、车牌号等一切正整数凶吉测试，也是易学研究的好工具。"),
        {},
        QStringLiteral("    权当娱乐，切勿迷信！"),
        {},
        {},
        {},
        {},
        {},
        pad(15) + maker::Name.toString() + QStringLiteral("工作室 倾情出品"),
        pad(1),
        pad(16) + QStringLiteral("网址：") + maker::WebAddress.toString(),
        pad(2),
        pad(20) + QStringLiteral("QQ:") + maker::ContactNumber.toString(),
        {},
        {},
        pad(24) + releaseMonth(),
    };
    return lines.join(crlf) + crlf;
}
