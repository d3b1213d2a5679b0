// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

class QWidget;

// Watches one window and, right after its first paint, prints how long the process took to get
// there and its peak resident memory, then quits. The launcher passes its own start time in
// TARVIMO_BENCH_T0_NS (CLOCK_REALTIME, nanoseconds), so loading the libraries counts too.
class FirstPaintProbe : public QObject {
    Q_OBJECT

public:
    explicit FirstPaintProbe(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void report();

    QWidget* m_window;
    bool m_seen = false;
};
