// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/field_edit.h"
#include "windows/main_window.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

// A user pastes 10 MB into a field: how long until the program says no, and how much memory the
// attempt costs. Then a paste just within the limit, and "Calcola" with it.
namespace {

long maxRssKib() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void pressCtrlV(QWidget* box) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
    QApplication::sendEvent(box, &press);
}

// Milliseconds from Ctrl+V until the refusal is on screen (then answered), or -1 if none came.
double refusalMs(QWidget* box) {
    QElapsedTimer clock;
    double shownMs = -1;
    QTimer watcher;
    watcher.setInterval(0);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget(); modal && modal->isVisible()) {
            shownMs = clock.nsecsElapsed() / 1e6;
            modal->close();
        }
    });
    watcher.start();
    clock.start();
    pressCtrlV(box);
    while (shownMs < 0 && clock.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    return shownMs;
}

} // namespace

int main(int argc, char* argv[]) {
    Q_INIT_RESOURCE(tarvimo);
    QApplication app(argc, argv);
    constexpr int textBytes = 10 * 1024 * 1024;
    constexpr int runs = 7;

    tarvimo::MainWindow window(tarvimo::NumberSettings::italian());
    window.show();
    QApplication::processEvents();
    QLineEdit* box = window.edit(tarvimo::Field::massac);
    const QString before = box->text();
    const long rssStart = maxRssKib();

    QApplication::clipboard()->setText(QString(textBytes - 2, QLatin1Char(' ')) +
                                       QStringLiteral("60"));
    const long rssClipboard = maxRssKib();
    std::vector<double> refusals;
    for (int run = 0; run < runs; ++run)
        refusals.push_back(refusalMs(box));
    const long rssRefused = maxRssKib();
    const bool kept = box->text() == before;

    // Within the limit: blanks before the number, so the results stay the usual ones.
    const int within = tarvimo::FieldEdit::maxPastedLength;
    QApplication::clipboard()->setText(QString(within - 2, QLatin1Char(' ')) +
                                       QStringLiteral("60"));
    box->selectAll();
    QElapsedTimer clock;
    clock.start();
    pressCtrlV(box);
    window.repaint();
    const double pasteMs = clock.nsecsElapsed() / 1e6;
    std::vector<double> calculate;
    for (int run = 0; run < runs; ++run) {
        clock.start();
        window.calculate();
        QApplication::processEvents();
        calculate.push_back(clock.nsecsElapsed() / 1e6);
    }
    const auto result = window.sheet().text(tarvimo::Field::mostraptot);
    const long rssAfter = maxRssKib();

    std::printf("10 MB paste into massac: refused in %.1f ms (median of %d, worst %.1f ms); "
                "field %s\n",
                median(refusals), runs, *std::max_element(refusals.begin(), refusals.end()),
                kept ? "unchanged" : "CHANGED");
    std::printf("peak memory: %ld KiB at start, %ld KiB with the text on the clipboard, %ld KiB "
                "after the refusals (%.2f x the clipboard's own copy)\n",
                rssStart, rssClipboard, rssRefused,
                static_cast<double>(rssRefused - rssStart) / (rssClipboard - rssStart));
    std::printf("paste of %d characters + repaint: %.1f ms; calcola + repaint: median %.1f ms; "
                "mostraptot=%s; peak memory %ld KiB\n",
                within, pasteMs, median(calculate), result.c_str(), rssAfter);
    const bool refusedEveryTime =
        std::all_of(refusals.begin(), refusals.end(), [](double ms) { return ms >= 0; });
    return kept && refusedEveryTime && result == "234,6" ? 0 : 1;
}
