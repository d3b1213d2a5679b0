// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "application.h"
#include "splash_window.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QTimer>
#include <cstdio>

// Runs the program's own start-up and saves what the screen shows of the splash window right
// after its first paint: the frame a user sees first. Usage: first_frame_grab out.png
namespace {

class FirstFrameGrabber : public QObject {
public:
    FirstFrameGrabber(QWidget* window, QString path)
        : QObject(window), m_window(window), m_path(std::move(path)) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_window && event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            // Once this paint has reached the screen.
            QTimer::singleShot(0, this, [this] {
                const QRect area = m_window->frameGeometry();
                const QPixmap shot = m_window->screen()->grabWindow(0, area.x(), area.y(),
                                                                    area.width(), area.height());
                QApplication::exit(shot.save(m_path) ? 0 : 1);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget* m_window;
    QString m_path;
    bool m_seen = false;
};

} // namespace

int main(int argc, char* argv[]) {
    Q_INIT_RESOURCE(tarvimo);
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: first_frame_grab out.png\n", stderr);
        return 2;
    }
    new FirstFrameGrabber(tarvimo::startTarvimo(app), QString::fromLocal8Bit(argv[1]));
    return QApplication::exec();
}
