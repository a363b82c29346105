#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>
#include <QTimer>
#include <QWidget>

// Ends the event loop once the window has handled its first paint and the input box holds the
// focus: the moment a user sees the window and can start typing.
class FirstPaintWatch : public QObject {
public:
    FirstPaintWatch(QWidget &window, QWidget &input) : m_window(window), m_input(input)
    {
        m_window.installEventFilter(this);
        m_input.installEventFilter(this);
        // A helper that never gets there must not hang the benchmark that spawned it.
        QTimer::singleShot(30'000, qApp, [] { QCoreApplication::exit(3); });
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // The filter sees an event before its handler: check once the handler is done.
        if ((watched == &m_window && event->type() == QEvent::Paint)
            || (watched == &m_input && event->type() == QEvent::FocusIn)) {
            if (watched == &m_window)
                m_painted = true;
            QMetaObject::invokeMethod(
                this, [this] { check(); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    void check()
    {
        if (m_painted && m_input.hasFocus())
            QCoreApplication::quit();
    }

    QWidget &m_window;
    QWidget &m_input;
    bool m_painted = false;
};
