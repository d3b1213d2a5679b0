// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/qt_number_settings.h"

namespace tarvimo {

NumberSettings numberSettingsFor(const QLocale& locale) {
    if (locale.language() == QLocale::C) {
        return NumberSettings::italian();
    }
    NumberSettings settings{locale.decimalPoint().toStdString(),
                            locale.groupSeparator().toStdString()};
    if (settings.decimal.empty()) {
        return NumberSettings::italian();
    }
    return settings;
}

} // namespace tarvimo
