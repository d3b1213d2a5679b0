// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windows/diary_module.h"

#include "windows/module_loader.h"

namespace tarvimo {

namespace {

// Defined in diary/diary_module_entry.cpp.
using SaveEntry = bool (*)(QWidget&, const DiaryEntry&);
using ShowEntry = void (*)(QWidget&, const DiaryHost&);

template <typename Entry> Entry diaryEntry(QWidget& parent, const char* symbol) {
    QString failure;
    const auto entry = moduleEntry<Entry>(QStringLiteral(TARVIMO_DIARY_MODULE), symbol, failure);
    if (!entry) {
        showModuleFailure(parent, QStringLiteral("che tiene il diario"), failure,
                          QStringLiteral("I campi e i risultati restano come erano."));
    }
    return entry;
}

} // namespace

bool saveToDiaryThroughModule(QWidget& parent, const DiaryEntry& entry) {
    const auto save = diaryEntry<SaveEntry>(parent, "tarvimo_diary_save");
    return save && save(parent, entry);
}

void showDiaryThroughModule(QWidget& parent, const DiaryHost& host) {
    if (const auto show = diaryEntry<ShowEntry>(parent, "tarvimo_diary_show"))
        show(parent, host);
}

} // namespace tarvimo
