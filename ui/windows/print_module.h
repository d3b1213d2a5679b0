// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "printing/window_printer.h"

#include <QString>

class QWidget;

namespace tarvimo {

// Prints the window as "Stampa" does (window_printer.h), through the printing module: Qt's
// printing library is loaded the first time the user prints, not every time the program starts.
// Where the module cannot be loaded the outcome is a failure that says why.
PrintOutcome printThroughModule(QWidget& window, const QString& climb, const QString& date);

} // namespace tarvimo
