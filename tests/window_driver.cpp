#include "tests/window_driver.h"

#include "app/mainform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

std::optional<MessageSeen> AnsweringMessageBox(const std::function<void()> &trigger)
{
    std::optional<MessageSeen> seen;
    QTimer poll;
    poll.setInterval(0);
    QObject::connect(&poll, &QTimer::timeout, [&seen] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        QAbstractButton *ok = box->button(QMessageBox::Ok);
        seen = MessageSeen{box->text(), box->windowTitle(), ok->text()};
        ok->click();
    });
    poll.start();
    trigger();
    return seen;
}

Controls::Controls(MainForm &form)
    : form(form),
      qqnum(form.findChild<QLineEdit *>(QStringLiteral("qqnum"))),
      resulttxt(form.findChild<QPlainTextEdit *>(QStringLiteral("resulttxt"))),
      Command1(form.findChild<QPushButton *>(QStringLiteral("Command1"))),
      Label2(form.findChild<QLabel *>(QStringLiteral("Label2")))
{
}
