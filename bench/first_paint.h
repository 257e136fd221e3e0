#pragma once
// Ends the program once a window has painted itself for the first time: the
// moment a user sees it.

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace zav::bench {

class QuitAfterFirstPaint : public QObject {
  public:
    explicit QuitAfterFirstPaint(QWidget* window) : QObject(window) { window->installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !done_) {
            done_ = true;
            QTimer::singleShot(0, qApp, &QApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    bool done_ = false;
};

} // namespace zav::bench
