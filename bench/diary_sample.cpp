// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "diary_sample.h"

#include "diary.h"
#include "diary/diary_keeper.h"
#include "diary/diary_window.h"

#include <QApplication>
#include <QDate>
#include <QTableView>
#include <cmath>
#include <cstdio>

// Fills the diary (Diary::defaultPath(), so $XDG_DATA_HOME/Tarvimo/diario.sqlite) with a few
// generated efforts on three climbs and shows "Diario" over them, the first climb chosen, for
// scripts/screenshots.sh. Usage: diary_sample [--fill-only]
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarvimo"));
    std::mt19937 random(3);
    std::vector<tarvimo::DiaryEntry> entries;
    const char* const names[] = {"Passo Giau", "Mortirolo", "Colle delle Finestre"};
    for (int n = 0; n < 14; ++n) {
        tarvimo::DiaryEntry entry = tarvimo::bench::sampleEntry(random, n);
        entry.texts[std::size_t(tarvimo::Field::sceglinomebici)] = names[n % 3 == 2 ? 1 : 0];
        if (n == 0)
            entry.texts[std::size_t(tarvimo::Field::sceglinomebici)] = names[2];
        entry.texts[std::size_t(tarvimo::Field::sceglidata)] =
            QDate(2025, 4, 6).addDays(n * 12).toString(QStringLiteral("dd-MM-yyyy")).toStdString();
        entry.totalPower = 240 + 30 * std::sin(n * 1.7) + n * 2;
        entry.wattsPerKg = entry.totalPower / 64;
        entry.seconds = 2900 - entry.totalPower * 4;
        entry.length = 9800;
        entry.gain = 922;
        entry.vam = entry.gain / entry.seconds * 3600;
        entries.push_back(entry);
    }
    tarvimo::Diary diary;
    if (diary.open(tarvimo::Diary::defaultPath()) != tarvimo::DiaryStatus::Ok ||
        diary.addAll(entries) != tarvimo::DiaryStatus::Ok) {
        std::fprintf(stderr, "%s\n", qPrintable(diary.message(tarvimo::DiaryStatus::Failed)));
        return 1;
    }
    diary.close();
    if (argc > 1 && QByteArrayView(argv[1]) == "--fill-only")
        return 0;
    QWidget main;
    tarvimo::DiaryKeeper& keeper = tarvimo::DiaryKeeper::of(main);
    keeper.show(main, {[](const tarvimo::DiaryEntry&) {}, tarvimo::NumberSettings::italian()});
    return QApplication::exec();
}
