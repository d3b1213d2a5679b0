// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// A file manager's drag, for the checks that drop a ride from outside on Wayland, where a
// client must start the drag: a small magenta window that drags the file named on its command
// line as soon as a button goes down in it. Exits 0 when the file was taken, 1 otherwise.

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <QWidget>

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
        QApplication::exit(drag->exec(Qt::CopyAction) == Qt::CopyAction ? 0 : 1);
    }

private:
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
