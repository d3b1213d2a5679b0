// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "diary_entry.h"
#include "number_text.h"

#include <functional>

namespace tarvimo {

// What the diary window needs of the main window: "Riapri" writes an entry's inputs and results
// into its fields; the user's number settings write the table's figures and the CSV file.
struct DiaryHost {
    std::function<void(const DiaryEntry&)> reopen;
    NumberSettings settings;
};

} // namespace tarvimo
