#pragma once

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

// Acts on the next modal window once it is open: polls for the active modal widget, runs the
// action on it once, and stops. Tests use it to click through windows that run their own event
// loop; `opened` tells whether a modal window was seen at all.
class ModalDriver
{
public:
    explicit ModalDriver(std::function<void(QWidget*)> action) : m_action(std::move(action))
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || modal == m_ignore)
                return;
            m_timer.stop();
            opened = true;
            m_action(modal);
            // A window the action failed to close fails the test instead of hanging it; the wait is
            // long enough for a loaded machine to finish what the action started.
            QPointer<QWidget> left(modal);
            QTimer::singleShot(10000, modal, [this, left] {
                if (left && left->isVisible()) {
                    stuck = true;
                    left->close();
                }
            });
        });
        m_ignore = QApplication::activeModalWidget();
        m_timer.start();
    }
    ~ModalDriver() { m_timer.stop(); }

    bool opened = false;
    bool stuck = false;

private:
    std::function<void(QWidget*)> m_action;
    QWidget* m_ignore = nullptr;
    QTimer m_timer;
};
