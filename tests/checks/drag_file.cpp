// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// A file manager's drag, for the checks that drop a ride from outside on Wayland, where a
// client must start the drag: a small magenta window that drags the file named on its command
// line as soon as a button goes down in it. It says on standard output, a line each, when the
// drag has begun ("trascino") and when the window under the pointer would take the file
// ("accettato"), so that the driver moves and lets go only then, and exits 0 when the file was
// taken, 1 otherwise.

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <cstdio>

namespace {

class DragSource : public QWidget {
public:
    explicit DragSource(QString path) : m_path(std::move(path)) {
        setWindowTitle(QStringLiteral("Trascina"));
        setFixedSize(160, 120);
        setAutoFillBackground(true);
        setPalette(QPalette(Qt::magenta));
    }

protected:
    void mousePressEvent(QMouseEvent*) override {
        auto* data = new QMimeData;
        data->setUrls({QUrl::fromLocalFile(m_path)});
        auto* drag = new QDrag(this);
        drag->setMimeData(data);
        connect(drag, &QDrag::actionChanged, this, [](Qt::DropAction action) {
            if (action == Qt::CopyAction)
                say("accettato");
        });
        // Runs in the drag's own loop, once the compositor has been asked for the drag.
        QTimer::singleShot(0, this, [] { say("trascino"); });
        QApplication::exit(drag->exec(Qt::CopyAction) == Qt::CopyAction ? 0 : 1);
    }

private:
    static void say(const char* state) {
        std::printf("%s\n", state);
        std::fflush(stdout);
    }

    QString m_path;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2)
        return 2;
    DragSource window(QString::fromLocal8Bit(argv[1]));
    window.show();
    return QApplication::exec();
}
