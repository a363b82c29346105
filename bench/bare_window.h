#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>

#include <limits>

// The yardstick: a plain Qt window with the three controls the program's window is built
// around, at the program's size, and nothing else.
class BareWindow : public QWidget {
public:
    BareWindow()
    {
        setFixedSize(401, 319);
        line = new QLineEdit(this);
        line->setGeometry(16, 8, 281, 25);
        // Qt's default of 32767 would cut a big paste short.
        line->setMaxLength(std::numeric_limits<int>::max());
        button = new QPushButton(QStringLiteral("好 了"), this);
        button->setGeometry(312, 8, 73, 25);
        text = new QPlainTextEdit(this);
        text->setGeometry(8, 48, 385, 249);
    }

    QLineEdit *line = nullptr;
    QPushButton *button = nullptr;
    QPlainTextEdit *text = nullptr;
};
