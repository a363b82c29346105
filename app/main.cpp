#include "app/application.h"
#include "app/mainform.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    SetUpApplication();
    MainForm mainform;
    mainform.Form_Load();
    return app.exec();
}
