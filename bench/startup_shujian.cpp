// Starts the program's window as its main() does and exits once it is painted with the caret
// in the input box; shujian-bench times it from process start to exit.

#include "app/application.h"
#include "app/mainform.h"
#include "bench/first_paint.h"

#include <QApplication>
#include <QLineEdit>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    SetUpApplication();
    MainForm mainform;
    auto *qqnum = mainform.findChild<QLineEdit *>(QStringLiteral("qqnum"));
    if (!qqnum)
        return 2;
    FirstPaintWatch watch(mainform, *qqnum);
    mainform.Form_Load();
    return app.exec();
}
