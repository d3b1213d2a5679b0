// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The printing module's one entry point, looked up by name by print_module.cpp.
#include "printing/window_printer.h"

#include <QtGlobal>

extern "C" Q_DECL_EXPORT void tarvimo_print_window(QWidget& window, const QString& climb,
                                                   const QString& date,
                                                   tarvimo::PrintOutcome& outcome) {
    outcome = tarvimo::printWidget(window, tarvimo::pdfFileName(climb, date));
}
