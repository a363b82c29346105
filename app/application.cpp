#include "app/application.h"

#include <QApplication>
#include <QFont>

void SetUpApplication()
{
    QApplication::setApplicationName(QStringLiteral("澄谷数鉴"));
    QApplication::setApplicationVersion(QStringLiteral("1.1"));
    QGuiApplication::setDesktopFileName(QStringLiteral("example.chenggu.shujian"));

    // Every text of the window is Chinese: start from a face that has the characters, rather
    // than letting each string fall back glyph by glyph (which also costs start-up time).
    QFont font = QApplication::font();
    font.setFamilies({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Microsoft YaHei UI"),
                      font.family()});
    QApplication::setFont(font);
}
