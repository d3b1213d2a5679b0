// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/application.h"
#include "app/font_preload.h"
#include "windows/splash_window.h"

#include <QApplication>
#include <QEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTimer>
#include <cstdio>

// Runs the program's own start-up and saves what the screen shows of the splash window right
// after its first paint: the frame a user sees first. The notice box is built just after that
// frame, in place of its drawing; a second path saves the window once the box has painted too.
// Usage: first_frame_grab first.png [with-box.png]
namespace {

class FirstFrameGrabber : public QObject {
public:
    FirstFrameGrabber(QWidget* window, QStringList paths)
        : QObject(window), m_window(window), m_paths(std::move(paths)) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched == m_watched && !m_grabbing) {
            m_grabbing = true;
            // Once this paint has reached the screen.
            QTimer::singleShot(0, this, &FirstFrameGrabber::grab);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void grab() {
        const QRect area = m_window->frameGeometry();
        const QPixmap shot =
            m_window->screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
        if (!shot.save(m_paths.takeFirst())) {
            QApplication::exit(1);
        } else if (m_paths.isEmpty()) {
            QApplication::exit(0);
        } else {
            // Next: the first paint of the notice box itself.
            m_grabbing = false;
            QTimer::singleShot(0, this, [this] {
                auto* box = m_window->findChild<QPlainTextEdit*>(QStringLiteral("Avvisofull"));
                if (!box) {
                    QApplication::exit(1);
                    return;
                }
                // The text is painted on the viewport, after the box's own frame.
                m_watched = box->viewport();
                m_watched->installEventFilter(this);
                box->viewport()->update();
            });
        }
    }

    QWidget* m_window;
    QObject* m_watched = m_window;
    QStringList m_paths;
    bool m_grabbing = false;
};

} // namespace

int main(int argc, char* argv[]) {
    Q_INIT_RESOURCE(tarvimo);
    tarvimo::FontPreload fonts;
    QApplication app(argc, argv);
    fonts.wait();
    if (argc < 2 || argc > 3) {
        std::fputs("usage: first_frame_grab first.png [with-box.png]\n", stderr);
        return 2;
    }
    new FirstFrameGrabber(tarvimo::startTarvimo(app), QApplication::arguments().mid(1));
    return QApplication::exec();
}
