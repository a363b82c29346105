// The yardstick for startup-shujian: the same application set-up, a bare window instead of the
// program's, the same exit after the first paint with the caret in the line edit.

#include "bench/bare_window.h"
#include "bench/first_paint.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("澄谷数鉴"));
    QApplication::setApplicationVersion(QStringLiteral("1.1"));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.example.chenggu.shujian"));
    BareWindow window;
    FirstPaintWatch watch(window, *window.line);
    window.show();
    window.line->setFocus();
    return app.exec();
}
