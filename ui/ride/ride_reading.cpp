// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ride/ride_reading.h"

#include <QDir>
#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <memory>
#include <new>

namespace tarvimo {

RideFile readRideWithProgress(QWidget* parent, const QString& path) {
    std::atomic<qint64> done = 0;
    std::atomic<qint64> total = 0;
    std::atomic<bool> cancel = false;
    RideFile file;
    std::unique_ptr<QThread> reader(QThread::create([&] {
        try {
            file = readRideFile(path, [&](qint64 bytes, qint64 size) {
                done = bytes;
                total = size;
                return !cancel.load();
            });
        } catch (const std::bad_alloc&) {
            file = RideFile{};
            file.error = RideError::OutOfMemory;
        }
    }));
    QEventLoop loop;
    QObject::connect(reader.get(), &QThread::finished, &loop, &QEventLoop::quit);
    reader->start();

    // The first half second: no dialog, and nothing the user does reaches the windows.
    QTimer::singleShot(500, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (reader->isRunning()) {
        QProgressDialog progress(
            QStringLiteral("Lettura di «%1»…").arg(QDir::toNativeSeparators(path)),
            QStringLiteral("Annulla"), 0, 1000, parent);
        progress.setObjectName(QStringLiteral("letturaTraccia"));
        progress.setAccessibleName(QStringLiteral("Lettura della traccia"));
        progress.setWindowTitle(QStringLiteral("Tarvimo"));
        progress.setWindowModality(Qt::WindowModal);
        progress.setMinimumDuration(0);
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout, &progress, [&] {
            // While gpsbabel converts, nothing tells how far it is: a busy bar.
            const qint64 size = total;
            progress.setMaximum(size > 0 ? 1000 : 0);
            if (size > 0)
                progress.setValue(int(std::min<qint64>(999, done * 1000 / size)));
        });
        const auto stop = [&] { cancel = true; };
        // "Annulla" gives canceled(); Escape and the title bar's close give rejected().
        QObject::connect(&progress, &QProgressDialog::canceled, &loop, stop);
        QObject::connect(&progress, &QDialog::rejected, &loop, stop);
        tick.start(100);
        progress.show();
        if (reader->isRunning())
            loop.exec();
    }
    reader->wait();
    if (cancel)
        file.error = RideError::Cancelled;
    return file;
}

} // namespace tarvimo
