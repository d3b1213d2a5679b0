// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "first_paint_probe.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <ctime>
#include <sys/resource.h>

namespace {

double millisecondsSinceLaunch() {
    const QByteArray start = qgetenv("TARVIMO_BENCH_T0_NS");
    if (start.isEmpty()) {
        return -1;
    }
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const long long nowNs = static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
    return static_cast<double>(nowNs - start.toLongLong()) / 1e6;
}

} // namespace

FirstPaintProbe::FirstPaintProbe(QWidget* window) : QObject(window), m_window(window) {
    window->installEventFilter(this);
}

bool FirstPaintProbe::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_window && event->type() == QEvent::Paint && !m_seen) {
        m_seen = true;
        // Report once this paint has reached the screen.
        QTimer::singleShot(0, this, &FirstPaintProbe::report);
    }
    return QObject::eventFilter(watched, event);
}

void FirstPaintProbe::report() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("first_paint_ms=%.3f max_rss_kib=%ld\n", millisecondsSinceLaunch(),
                usage.ru_maxrss);
    std::fflush(stdout);
    QApplication::exit(0);
}
