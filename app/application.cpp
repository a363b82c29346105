#include "app/application.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QTranslator>

void SetUpApplication()
{
    QApplication::setApplicationName(ProgramName.toString());
    QApplication::setApplicationVersion(QStringLiteral(SHUJIAN_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(SHUJIAN_APP_ID));

    // Every text of the window is Chinese: start from a face that has the characters, rather
    // than letting each string fall back glyph by glyph (which also costs start-up time).
    QFont font = QApplication::font();
    font.setFamilies(
        {QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Microsoft YaHei UI"), font.family()});
    QApplication::setFont(font);

    // Qt's own texts (the message box's button, the text boxes' menus) speak Chinese too,
    // whatever the system's language. Without the translation Qt's English stays.
    auto *translator = new QTranslator(qApp);
    if (translator->load(QStringLiteral("qtbase_zh_CN"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}
