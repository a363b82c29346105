#include "app/click_label.h"

#include <QMouseEvent>

void ClickLabel::mousePressEvent(QMouseEvent *event)
{
    QLabel::mousePressEvent(event);
    if (event->button() == Qt::LeftButton) {
        m_pressed = true;
        event->accept();
    }
}

void ClickLabel::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The click was counted at the first release; whether or not the platform also sent a
    // second press, the release that ends the double click must not count again.
    m_pressed = false;
    event->accept();
}

void ClickLabel::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    const bool click = m_pressed && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        emit clicked();
}
