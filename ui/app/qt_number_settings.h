// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "number_text.h"

#include <QLocale>

namespace tarvimo {

// The decimal separator and grouping character of a locale; the Italian pair where the
// environment names no locale (C or POSIX).
NumberSettings numberSettingsFor(const QLocale& locale);

} // namespace tarvimo
