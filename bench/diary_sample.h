// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "diary_entry.h"
#include "field_sheet.h"

#include <cstdio>
#include <iterator>
#include <random>
#include <string>

// The diary benchmarks' entries: 1,000 climb names made of 20 Italian climbs, 10 riders, dates
// over eleven years, the other texts the defaults.
namespace tarvimo::bench {

inline constexpr const char* climbs[] = {
    "Passo Giau",
    "Passo dello Stelvio",
    "Mortirolo",
    "Zoncolan",
    "Passo Gavia",
    "Colle delle Finestre",
    "Tre Cime di Lavaredo",
    "Passo Fedaia",
    "Blockhaus",
    "Monte Grappa",
    "Passo Pordoi",
    "Passo Sella",
    "Colle dell'Agnello",
    "Etna da Nicolosi",
    "Madonna del Ghisallo",
    "Città Alta",
    "Passo San Pellegrino",
    "Colle del Nivolet",
    "Monte Amiata",
    "Passo di Giovo",
};
inline constexpr const char* riders[] = {
    "Maria Rossi",   "Luca Bianchi",   "Anna Verdi", "Giò Neri",     "Paolo Esposito",
    "Chiara Romano", "Nicolò Ferrari", "Sara Gallo", "Andrea Conti", "Elena Marino"};

inline DiaryEntry sampleEntry(std::mt19937& random, std::int64_t n) {
    DiaryEntry entry;
    for (const FieldInfo& info : allFields()) {
        entry.texts[std::size_t(info.field)] = std::string(info.defaultText);
    }
    const auto pick = [&random](const auto& list) {
        return list[std::uniform_int_distribution<std::size_t>(0, std::size(list) - 1)(random)];
    };
    std::uniform_int_distribution<int> day(1, 28), month(1, 12), year(2015, 2025);
    char date[16];
    std::snprintf(date, sizeof date, "%02d-%02d-%d", day(random), month(random), year(random));
    entry.texts[std::size_t(Field::sceglidata)] = date;
    entry.texts[std::size_t(Field::sceglinomebici)] =
        std::string(pick(climbs)) + " " + std::to_string(n % 50); // 1,000 names
    entry.texts[std::size_t(Field::sceglinomeciclista)] = pick(riders);
    entry.savedAt = 1'700'000'000 + n * 600;
    entry.totalPower = 250 + double(n % 100);
    entry.wattsPerKg = entry.totalPower / 65;
    entry.seconds = 1800;
    entry.rideFile = "/home/ciclista/tracce/salita-" + std::to_string(n) + ".gpx";
    return entry;
}

} // namespace tarvimo::bench
