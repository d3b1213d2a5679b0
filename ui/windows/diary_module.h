// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "diary/diary_host.h"

class QWidget;

namespace tarvimo {

// The diary through its module: Qt Sql, the store and the window "Diario" are loaded the first
// time the user saves an entry or opens the diary, not every time the program starts. Where the
// module cannot be loaded, a message over `parent` says why.

// Saves one entry; false, after a message over `parent`, where it was not saved.
bool saveToDiaryThroughModule(QWidget& parent, const DiaryEntry& entry);
// Shows the window "Diario" (not modal) over `parent`, which must outlive it.
void showDiaryThroughModule(QWidget& parent, const DiaryHost& host);

} // namespace tarvimo
