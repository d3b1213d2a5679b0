// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QWidget>
#include <algorithm>
#include <vector>

// What the window benchmarks share: the median of their runs, and the time to a paint.
namespace tarvimo::bench {

inline double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Milliseconds until `widget` has painted, counting from `clock`.
inline double untilPainted(QWidget& widget, const QElapsedTimer& clock) {
    struct Watch : QObject {
        double at = -1;
        const QElapsedTimer* clock = nullptr;
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::Paint && at < 0) {
                watched->removeEventFilter(this);
                watched->event(event); // QObject::event is public
                at = clock->nsecsElapsed() / 1e6;
                return true;
            }
            return false;
        }
    } watch;
    watch.clock = &clock;
    widget.installEventFilter(&watch);
    while (watch.at < 0)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return watch.at;
}

} // namespace tarvimo::bench
