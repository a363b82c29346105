#pragma once

#include <QLabel>
#include <QLineEdit>

// A single-line text box that reports the characters typed into it and mouse buttons going down
// on it, after the box itself has handled them.
class InputBox : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

signals:
    // Sent before the box handles the key; a handler may look at the code but never eats the key.
    void keyPress(int keyAscii);
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPointF position);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
};

// A label that can be clicked: pressed and released over it with the left button.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};
