// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calculation.h"
#include "diary_csv.h"
#include "diary_entry.h"
#include "field_sheet.h"
#include "number_text.h"

#include <benchmark/benchmark.h>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace tarvimo;

// A diary of `count` efforts as the program saves them: calculated sheets with their own names,
// times and dates, every third one from a ride with its stretch, every tenth with a name that
// needs quoting.
std::vector<DiaryEntry> diary(std::size_t count, const NumberSettings& settings) {
    std::vector<DiaryEntry> entries;
    entries.reserve(count);
    FieldSheet sheet;
    for (std::size_t i = 0; i < count; ++i) {
        sheet.resetToDefaults();
        sheet.setText(Field::scegliminuti, std::to_string(18 + i % 20));
        sheet.setText(Field::sceglisecondi, std::to_string(i % 60));
        sheet.setText(Field::sceglidata, std::to_string(1 + i % 28) + "-0" +
                                             std::to_string(1 + i % 9) + "-20" +
                                             std::to_string(10 + i % 17));
        sheet.setText(Field::sceglinomebici, i % 10 == 0 ? "Passo \"dello\" Stelvio; da Bormio"
                                                         : "Salita n. " + std::to_string(i));
        sheet.setText(Field::sceglinomeciclista, "Niccolò Bärtschi");
        calculate(sheet, settings);
        DiaryEntry entry = makeDiaryEntry(sheet, settings, 1796794200 + 3600 * std::int64_t(i));
        if (i % 3 == 0) {
            entry.rideFile = "giro_" + std::to_string(i) + ".gpx";
            entry.stretchFrom = 1234.5678901 * static_cast<double>(i % 7);
            entry.stretchTo = entry.stretchFrom + 5100.25;
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

// The timings mean nothing unless the text reads back whole.
void requireReadable(const std::string& text, std::size_t count, const NumberSettings& settings) {
    const auto read = readDiaryCsv(text, settings);
    if (read.error || read.entries.size() != count) {
        std::fprintf(stderr, "diario illeggibile: %s\n",
                     read.error ? diaryCsvMessage(*read.error).c_str() : "voci mancanti");
        std::abort();
    }
}

NumberSettings settingsOf(const benchmark::State& state) {
    return state.range(1) == 0 ? NumberSettings::italian() : NumberSettings::dotDecimal();
}

void BM_WriteDiaryCsv(benchmark::State& state) {
    const auto count = static_cast<std::size_t>(state.range(0));
    const auto settings = settingsOf(state);
    const auto entries = diary(count, settings);
    requireReadable(writeDiaryCsv(entries, settings), count, settings);
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string text = writeDiaryCsv(entries, settings);
        bytes = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes * state.iterations()));
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}

void BM_ReadDiaryCsv(benchmark::State& state) {
    const auto count = static_cast<std::size_t>(state.range(0));
    const auto settings = settingsOf(state);
    const std::string text = writeDiaryCsv(diary(count, settings), settings);
    requireReadable(text, count, settings);
    for (auto _ : state) {
        auto read = readDiaryCsv(text, settings);
        benchmark::DoNotOptimize(read.entries.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(text.size() * state.iterations()));
    state.counters["MB"] = static_cast<double>(text.size()) / 1e6;
}

// 100,000 entries; second argument 0 for the comma setting (";" between cells), 1 for the point.
BENCHMARK(BM_WriteDiaryCsv)
    ->ArgNames({"voci", "punto"})
    ->Args({100'000, 0})
    ->Args({100'000, 1})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadDiaryCsv)
    ->ArgNames({"voci", "punto"})
    ->Args({100'000, 0})
    ->Args({100'000, 1})
    ->Unit(benchmark::kMillisecond);

} // namespace
