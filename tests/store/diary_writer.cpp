// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Adds entries to the diary given as argument, for ever, writing each id to standard output
// (one write a line, unbuffered) only once add() has returned it.

#include "diary.h"

#include <QCoreApplication>
#include <string>
#include <unistd.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        return 2;
    }
    tarvimo::Diary diary;
    const tarvimo::DiaryStatus opened = diary.open(QString::fromLocal8Bit(argv[1]));
    if (opened != tarvimo::DiaryStatus::Ok) {
        return 1;
    }
    tarvimo::DiaryEntry entry;
    entry.texts[std::size_t(tarvimo::Field::sceglidata)] = "14-07-2024";
    for (std::int64_t n = 0;; ++n) {
        entry.texts[std::size_t(tarvimo::Field::sceglinomeciclista)] =
            "Ciclista " + std::to_string(n);
        entry.savedAt = n;
        const tarvimo::Diary::Added added = diary.add(entry);
        if (added.status != tarvimo::DiaryStatus::Ok) {
            return 1;
        }
        const std::string line = std::to_string(added.id) + '\n';
        if (write(STDOUT_FILENO, line.data(), line.size()) != ssize_t(line.size())) {
            return 1;
        }
    }
}
