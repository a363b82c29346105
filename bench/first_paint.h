#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>
#include <QTimer>
#include <QWidget>

#include <fstream>
#include <iostream>
#include <string>

// Ends the event loop once the window has handled its first paint and the input box holds the
// focus, the moment a user sees the window and can start typing, and prints the process's peak
// resident set up to then for shujian-bench. That is VmHWM, which starts afresh at exec: the
// peak that wait4 reports for a child would be its spawner's if that was larger.
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
        // Two checks may be queued before the loop ends: the peak is printed once.
        if (m_done || !m_painted || !m_input.hasFocus())
            return;
        m_done = true;
        printPeakMemory();
        QCoreApplication::quit();
    }

    static void printPeakMemory()
    {
        std::ifstream status("/proc/self/status");
        for (std::string line; std::getline(status, line);) {
            if (line.starts_with("VmHWM:"))
                std::cout << line << std::endl;
        }
    }

    QWidget &m_window;
    QWidget &m_input;
    bool m_painted = false;
    bool m_done = false;
};
