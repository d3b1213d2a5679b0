// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// What the rider waits for: saving the values, adding a climb to the diary, and on a diary of
// 100,000 climbs opening it, its first page, a filter keystroke and one climb's chart. Wall
// time: the disk's fsync is part of a save.

#include "diary.h"
#include "diary_sample.h"
#include "saved_values.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <random>

namespace {

using namespace tarvimo;
using tarvimo::bench::sampleEntry;

constexpr int diaryEntries = 100'000;

QTemporaryDir& folder() {
    static QTemporaryDir dir;
    return dir;
}

QString bigDiary() {
    return folder().filePath(QStringLiteral("grande.sqlite"));
}

// 100,000 climbs, written in batches of 10,000 by restore() with ids 1..N.
void fillBigDiary() {
    std::mt19937 random(7);
    Diary diary;
    if (diary.open(bigDiary()) != DiaryStatus::Ok) {
        std::fprintf(stderr, "cannot open %s\n", qPrintable(bigDiary()));
        std::exit(1);
    }
    std::vector<DiaryEntry> batch;
    for (std::int64_t n = 1; n <= diaryEntries; ++n) {
        batch.push_back(sampleEntry(random, n));
        batch.back().id = n;
        if (batch.size() == 10'000) {
            if (diary.restore(batch) != DiaryStatus::Ok) {
                std::exit(1);
            }
            batch.clear();
        }
    }
}

void BM_SaveValues(benchmark::State& state) {
    const SavedValues values(folder().filePath(QStringLiteral("config/tarvimo.ini")));
    FieldSheet sheet;
    int n = 0;
    for (auto _ : state) {
        sheet.setText(Field::massac, std::to_string(60 + n++ % 20));
        if (values.save(sheet) != SavedValues::SaveStatus::Saved) {
            state.SkipWithError("save failed");
        }
    }
}
BENCHMARK(BM_SaveValues)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_DiaryAdd(benchmark::State& state) {
    Diary diary;
    diary.open(bigDiary());
    std::mt19937 random(11);
    std::vector<std::int64_t> added;
    for (auto _ : state) {
        const Diary::Added entry = diary.add(sampleEntry(random, std::int64_t(added.size())));
        if (entry.status != DiaryStatus::Ok) {
            state.SkipWithError("add failed");
            break;
        }
        added.push_back(entry.id);
    }
    diary.remove(added); // back to 100,000 for the reading benchmarks
}
BENCHMARK(BM_DiaryAdd)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_DiaryOpen(benchmark::State& state) {
    for (auto _ : state) {
        Diary diary;
        if (diary.open(bigDiary()) != DiaryStatus::Ok) {
            state.SkipWithError("open failed");
        }
    }
}
BENCHMARK(BM_DiaryOpen)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_FirstPage(benchmark::State& state) {
    Diary diary;
    diary.open(bigDiary());
    for (auto _ : state) {
        const Diary::Page page = diary.page({}, 0, 100);
        if (page.matching != diaryEntries || page.entries.size() != 100) {
            state.SkipWithError("wrong page");
        }
    }
}
BENCHMARK(BM_FirstPage)->UseRealTime()->Unit(benchmark::kMillisecond);

// Each keystroke of a search, from one letter (most climbs match) to a name few match, and a
// text none matches (the whole index is read).
void BM_FilterKeystroke(benchmark::State& state) {
    static const char* const typed[] = {"s",   "st",           "stelvio",
                                        "giò", "città alta 1", "nessuna salita"};
    const QString filter = QString::fromUtf8(typed[state.range(0)]);
    Diary diary;
    diary.open(bigDiary());
    std::int64_t matching = 0;
    for (auto _ : state) {
        matching = diary.page(filter, 0, 100).matching;
    }
    state.SetLabel(std::string(typed[state.range(0)]) + ": " + std::to_string(matching));
}
BENCHMARK(BM_FilterKeystroke)->DenseRange(0, 5)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_ClimbChart(benchmark::State& state) {
    Diary diary;
    diary.open(bigDiary());
    std::size_t points = 0;
    for (auto _ : state) {
        points = diary.climb("Passo Giau 0").points.size();
    }
    state.SetLabel(std::to_string(points) + " points");
}
BENCHMARK(BM_ClimbChart)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    fillBigDiary();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
