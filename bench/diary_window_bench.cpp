// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "bench_support.h"
#include "diary.h"
#include "diary/diary_chart.h"
#include "diary/diary_keeper.h"
#include "diary/diary_model.h"
#include "diary/diary_window.h"
#include "diary_sample.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>

// "Diario" with the user's eyes, on a diary of 100,000 entries in a temporary folder: a save
// from the main window with the window open, the window's first paint, a keystroke in the
// search box to the table's repaint, the chart of a climb with 1,000 efforts repainted, and the
// CSV export and import of the whole diary. Wall time; exits 1 if a median misses its goal.
using namespace tarvimo;
using namespace tarvimo::bench;

namespace {

constexpr int entries = 100'000;
constexpr int chartEfforts = 1'000;
const char* const chartClimb = "Cento per dieci";

void fill(const QString& path) {
    Diary diary;
    if (diary.open(path) != DiaryStatus::Ok)
        std::exit(2);
    std::mt19937 random(7);
    std::vector<DiaryEntry> batch;
    for (int n = 1; n <= entries; ++n) {
        batch.push_back(sampleEntry(random, n));
        if (n <= chartEfforts) {
            // One climb ridden a thousand times, on a thousand days.
            DiaryEntry& effort = batch.back();
            effort.texts[std::size_t(Field::sceglinomebici)] = chartClimb;
            const QDate day = QDate(2020, 1, 1).addDays(n);
            effort.texts[std::size_t(Field::sceglidata)] =
                day.toString(QStringLiteral("dd-MM-yyyy")).toStdString();
        }
        if (batch.size() == 10'000) {
            if (diary.addAll(batch) != DiaryStatus::Ok)
                std::exit(2);
            batch.clear();
        }
    }
}

bool report(const char* what, const std::vector<double>& runs, double goal) {
    const double middle = median(runs);
    std::printf("%s_ms_median=%.2f max=%.2f runs=%zu (goal <= %g)\n", what, middle,
                *std::max_element(runs.begin(), runs.end()), runs.size(), goal);
    return middle <= goal;
}

} // namespace

int main(int argc, char* argv[]) {
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toUtf8());
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toUtf8());
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarvimo"));
    QElapsedTimer filling;
    filling.start();
    fill(Diary::defaultPath());
    std::printf("fill_100000_by_addAll_ms=%.1f\n", filling.nsecsElapsed() / 1e6);
    bool met = true;

    QWidget main;
    DiaryKeeper& keeper = DiaryKeeper::of(main);
    const DiaryHost host{[](const DiaryEntry&) {}, NumberSettings::italian()};
    QElapsedTimer clock;
    clock.start();
    keeper.show(main, host); // opens the diary: its integrity check reads the whole file
    std::printf("diary_open_and_first_window_ms=%.1f\n", clock.nsecsElapsed() / 1e6);
    DiaryWindow& open = *keeper.window();
    untilPainted(*open.table().viewport(), clock);

    std::vector<double> saves;
    std::mt19937 random(11);
    for (int run = 0; run < 30; ++run) {
        const DiaryEntry entry = sampleEntry(random, entries + run + 1);
        clock.restart();
        if (!keeper.save(main, entry))
            return 2;
        saves.push_back(clock.nsecsElapsed() / 1e6);
    }
    met &= report("save_with_window_open", saves, 10);

    std::vector<double> paints;
    for (int run = 0; run < 15; ++run) {
        clock.restart();
        DiaryWindow window(keeper.diary(), host, &main);
        window.show();
        paints.push_back(untilPainted(*window.table().viewport(), clock));
    }
    met &= report("window_first_paint_100000", paints, 200);

    // Typing "stelvio" and deleting it again, a key at a time.
    auto* search = open.findChild<QLineEdit*>(QStringLiteral("cerca"));
    std::vector<double> keys;
    for (int round = 0; round < 3; ++round) {
        for (const QChar c : QStringLiteral("stelvio\b\b\b\b\b\b\b")) {
            const bool back = c == u'\b';
            QKeyEvent key(QEvent::KeyPress,
                          back ? Qt::Key_Backspace : Qt::Key(c.toUpper().unicode()), Qt::NoModifier,
                          back ? QString() : QString(c));
            clock.restart();
            QApplication::sendEvent(search, &key);
            keys.push_back(untilPainted(*open.table().viewport(), clock));
        }
    }
    met &= report("filter_keystroke_to_repaint", keys, 30);

    DiaryChart& chart = open.chart();
    chart.resize(800, 300);
    const Diary::Climb climb = keeper.diary().climb(chartClimb);
    chart.setClimb(QString::fromUtf8(chartClimb), climb.points);
    std::vector<double> repaints;
    for (int run = 0; run < 60; ++run) {
        if (run % 20 == 0)
            chart.setMeasure(DiaryChart::Measure(run / 20));
        clock.restart();
        chart.viewport()->repaint();
        repaints.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::printf("chart_points=%zu\n", climb.points.size());
    met &= report("chart_repaint_1000", repaints, 16);

    const QString csv = home.filePath(QStringLiteral("diario.csv"));
    std::vector<double> exports;
    std::vector<double> imports;
    for (int run = 0; run < 3; ++run) {
        clock.restart();
        if (!open.exportTo(csv))
            return 2;
        exports.push_back(clock.nsecsElapsed() / 1e6);
        // Into an empty diary of its own, as on a new computer.
        Diary empty;
        const QString path = home.filePath(QStringLiteral("vuoto-%1.sqlite").arg(run));
        if (empty.open(path) != DiaryStatus::Ok)
            return 2;
        DiaryWindow target(empty, host);
        clock.restart();
        if (!target.importFrom(csv))
            return 2;
        imports.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::printf("csv_bytes=%lld\n", QFileInfo(csv).size());
    met &= report("csv_export_100000", exports, 2000);
    met &= report("csv_import_100000", imports, 2000);
    return met ? 0 : 1;
}
