#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>
#include <optional>

class MainForm;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QLabel;

// The window is driven here, never looked at: Qt's offscreen platform unless QT_QPA_PLATFORM names
// another. Called before the QApplication is made.
inline void DefaultToOffscreen()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

struct MessageSeen {
    QString text;
    QString caption;
    QString button; // the OK button's caption
};

// Runs `trigger`; if it opens a modal message box, records it and presses its OK button.
std::optional<MessageSeen> AnsweringMessageBox(const std::function<void()> &trigger);

// The controls of a started window, found by their object names.
struct Controls {
    explicit Controls(MainForm &form);
    MainForm &form;
    QLineEdit *qqnum;
    QPlainTextEdit *resulttxt;
    QPushButton *Command1;
    QLabel *Label2;
};
