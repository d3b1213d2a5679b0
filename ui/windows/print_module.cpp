// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windows/print_module.h"

#include "windows/module_loader.h"

namespace tarvimo {

namespace {

// Defined in printing/print_module_entry.cpp.
using PrintEntry = void (*)(QWidget&, const QString&, const QString&, PrintOutcome&);

} // namespace

PrintOutcome printThroughModule(QWidget& window, const QString& climb, const QString& date) {
    QString failure;
    const auto entry = moduleEntry<PrintEntry>(QStringLiteral(TARVIMO_PRINT_MODULE),
                                               "tarvimo_print_window", failure);
    if (!entry)
        return {PrintStatus::Failed,
                QStringLiteral("Il modulo di stampa di Tarvimo non si può caricare (%1).")
                    .arg(failure)};
    PrintOutcome outcome{PrintStatus::Failed, {}};
    entry(window, climb, date, outcome);
    return outcome;
}

} // namespace tarvimo
