// The yardstick for startup-shujian: the program's own application set-up (names, font,
// translation), then a bare window instead of the program's, and the same exit after the first
// paint with the caret in the line edit. Its text box shows the program's introduction, as the
// program's does: laying out that much Chinese loads glyphs from the font file (about 3 MiB of
// its pages), which is the text's cost and not the window's. What differs is the window alone:
// its three controls at the program's size against the program's whole window with its pictures.

#include "app/application.h"
#include "app/introduction.h"
#include "bench/bare_window.h"
#include "bench/first_paint.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    SetUpApplication();
    BareWindow window;
    window.text->setPlainText(Introduction());
    FirstPaintWatch watch(window, *window.line);
    window.show();
    window.line->setFocus();
    return app.exec();
}
