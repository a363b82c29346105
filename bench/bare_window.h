#pragma once

#include "app/layout.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>

#include <limits>

// The yardstick: a plain Qt window with the three controls the program's window is built
// around, where the program places them, and nothing else.
class BareWindow : public QWidget {
public:
    BareWindow()
    {
        setFixedSize(layout::ClientSize);
        line = new QLineEdit(this);
        line->setGeometry(layout::QqnumRect);
        // Qt's default of 32767 would cut a big paste short.
        line->setMaxLength(std::numeric_limits<int>::max());
        button = new QPushButton(QStringLiteral("好 了"), this);
        button->setGeometry(layout::Command1Rect);
        text = new QPlainTextEdit(this);
        text->setGeometry(layout::ResulttxtRect);
    }

    QLineEdit *line = nullptr;
    QPushButton *button = nullptr;
    QPlainTextEdit *text = nullptr;
};
