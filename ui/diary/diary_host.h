// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "diary_entry.h"

#include <functional>

namespace tarvimo {

// What the diary window needs of the main window: "Riapri" writes an entry's inputs and results
// into its fields.
struct DiaryHost {
    std::function<void(const DiaryEntry&)> reopen;
};

} // namespace tarvimo
