// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calculation.h"
#include "field_sheet.h"
#include "number_text.h"

#include <benchmark/benchmark.h>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using namespace tarvimo;

// calculate() rewrites the sheet it is given, so every run starts again from a prepared sheet:
// either a fresh copy, timed, with a copy-only benchmark beside it to show its share, or for the
// large sheets also an assignment made with the timer stopped.

FieldSheet paddedSheet(std::size_t padding) {
    FieldSheet sheet;
    for (const auto& info : allFields()) {
        if (!info.isResult) {
            sheet.setText(info.field, std::string(padding, ' ') + std::string(info.defaultText));
        }
    }
    return sheet;
}

// Blanks are skipped by every parse, so a padded sheet must give the default results; if it did
// not, the timings would be of a different calculation.
void requireDefaultResults(const FieldSheet& prepared, std::size_t padding) {
    FieldSheet expected;
    calculate(expected, NumberSettings::italian());
    FieldSheet sheet = prepared;
    calculate(sheet, NumberSettings::italian());
    for (const auto& info : allFields()) {
        if (info.isResult && sheet.text(info.field) != expected.text(info.field)) {
            std::fprintf(stderr, "%zu spazi: %s vale \"%s\" invece di \"%s\"\n", padding,
                         std::string(info.name).c_str(), sheet.text(info.field).c_str(),
                         expected.text(info.field).c_str());
            std::abort();
        }
    }
    if (expected.text(Field::mostraptot) != "234,6") {
        std::fprintf(stderr, "mostraptot vale \"%s\" invece di \"234,6\"\n",
                     expected.text(Field::mostraptot).c_str());
        std::abort();
    }
}

// ---- default sheet ----

void BM_CopyDefaultSheet(benchmark::State& state) {
    const FieldSheet prepared;
    for (auto _ : state) {
        FieldSheet sheet = prepared;
        benchmark::DoNotOptimize(sheet);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CopyDefaultSheet);

void BM_CalculateDefaultSheet(benchmark::State& state) {
    const FieldSheet prepared;
    requireDefaultResults(prepared, 0);
    const auto settings = NumberSettings::italian();
    for (auto _ : state) {
        FieldSheet sheet = prepared;
        calculate(sheet, settings);
        benchmark::DoNotOptimize(sheet);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CalculateDefaultSheet);

// The same work on one sheet put back with resetToDefaults(), which needs no new strings.
void BM_ResetAndCalculateDefaultSheet(benchmark::State& state) {
    FieldSheet sheet;
    const auto settings = NumberSettings::italian();
    for (auto _ : state) {
        sheet.resetToDefaults();
        calculate(sheet, settings);
        benchmark::DoNotOptimize(sheet);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ResetAndCalculateDefaultSheet);

// ---- inputs padded with blanks ----

// Copying a padded sheet into fresh strings. Past 128 KiB glibc gives the freed blocks back to the
// kernel, so every iteration faults its pages in again: this is mostly page faults.
void BM_CopyPaddedSheet(benchmark::State& state) {
    const auto padding = static_cast<std::size_t>(state.range(0));
    const FieldSheet prepared = paddedSheet(padding);
    for (auto _ : state) {
        FieldSheet sheet = prepared;
        benchmark::DoNotOptimize(sheet);
        benchmark::ClobberMemory();
    }
    state.SetComplexityN(state.range(0));
}

// The calculation alone. The sheet is put back by assignment, which reuses the strings' storage,
// with the timer stopped; at a millisecond per iteration the pause costs nothing measurable.
void BM_CalculatePaddedSheet(benchmark::State& state) {
    const auto padding = static_cast<std::size_t>(state.range(0));
    const FieldSheet prepared = paddedSheet(padding);
    requireDefaultResults(prepared, padding);
    const auto settings = NumberSettings::italian();
    FieldSheet sheet = prepared;
    for (auto _ : state) {
        state.PauseTiming();
        sheet = prepared;
        state.ResumeTiming();
        calculate(sheet, settings);
        benchmark::DoNotOptimize(sheet);
        benchmark::ClobberMemory();
    }
    state.SetComplexityN(state.range(0));
}

// A fresh copy and the calculation, both timed: what a caller pays that keeps its own sheet.
void BM_CopyAndCalculatePaddedSheet(benchmark::State& state) {
    const auto padding = static_cast<std::size_t>(state.range(0));
    const FieldSheet prepared = paddedSheet(padding);
    requireDefaultResults(prepared, padding);
    const auto settings = NumberSettings::italian();
    for (auto _ : state) {
        FieldSheet sheet = prepared;
        calculate(sheet, settings);
        benchmark::DoNotOptimize(sheet);
        benchmark::ClobberMemory();
    }
    state.SetComplexityN(state.range(0));
}

// One megabyte (10^6 bytes) of blanks before each of the 16 inputs.
constexpr int megabyte = 1'000'000;
BENCHMARK(BM_CopyPaddedSheet)
    ->Name("BM_CopyPaddedSheet_1MB")
    ->Arg(megabyte)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CalculatePaddedSheet)
    ->Name("BM_CalculatePaddedSheet_1MB")
    ->Arg(megabyte)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyAndCalculatePaddedSheet)
    ->Name("BM_CopyAndCalculatePaddedSheet_1MB")
    ->Arg(megabyte)
    ->Unit(benchmark::kMillisecond);

// 64 KiB to 4 MiB per input, to fit the growth.
BENCHMARK(BM_CopyPaddedSheet)
    ->RangeMultiplier(4)
    ->Range(64 << 10, 4 << 20)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK(BM_CalculatePaddedSheet)
    ->RangeMultiplier(4)
    ->Range(64 << 10, 4 << 20)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK(BM_CopyAndCalculatePaddedSheet)
    ->RangeMultiplier(4)
    ->Range(64 << 10, 4 << 20)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// ---- the parses alone ----

void BM_LeadingNumber(benchmark::State& state) {
    const std::string text = "222.35";
    for (auto _ : state) {
        benchmark::DoNotOptimize(leadingNumber(text));
    }
}
BENCHMARK(BM_LeadingNumber);

void BM_LocaleNumber(benchmark::State& state) {
    const std::string text = "1.234,5";
    const auto settings = NumberSettings::italian();
    for (auto _ : state) {
        benchmark::DoNotOptimize(localeNumber(text, settings));
    }
}
BENCHMARK(BM_LocaleNumber);

void BM_NumberText(benchmark::State& state) {
    const auto settings = NumberSettings::italian();
    double value = 1226.666666666667;
    for (auto _ : state) {
        benchmark::DoNotOptimize(value);
        benchmark::DoNotOptimize(numberText(value, settings));
    }
}
BENCHMARK(BM_NumberText);

void BM_ReadBack(benchmark::State& state) {
    const std::string text = "1226,66666666667";
    const auto settings = NumberSettings::italian();
    for (auto _ : state) {
        benchmark::DoNotOptimize(readBack(text, settings));
    }
}
BENCHMARK(BM_ReadBack);

} // namespace
