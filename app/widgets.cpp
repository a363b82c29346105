#include "app/widgets.h"

#include <QKeyEvent>
#include <QMouseEvent>

void InputBox::keyPressEvent(QKeyEvent *event)
{
    int keyAscii = 0;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        keyAscii = 13;
    else if (!event->text().isEmpty())
        keyAscii = event->text().front().unicode();
    if (keyAscii != 0)
        emit keyPress(keyAscii);
    QLineEdit::keyPressEvent(event);
}

void InputBox::mousePressEvent(QMouseEvent *event)
{
    QLineEdit::mousePressEvent(event);
    emit mouseDown(event->button(), event->modifiers(), event->position());
}

void InputBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    QLineEdit::mouseDoubleClickEvent(event);
    emit mouseDown(event->button(), event->modifiers(), event->position());
}

void ClickLabel::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}
