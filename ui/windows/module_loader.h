// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QtGlobal>

class QWidget;

namespace tarvimo {

// Finds `symbol` in the module `fileName`: beside the program in the build tree, in the
// program's library folder once installed. The module stays loaded, so a second call only looks
// the name up again. Null where it cannot be loaded, with the loader's reason in `failure`.
QFunctionPointer moduleEntry(const QString& fileName, const char* symbol, QString& failure);

// The message over `parent` where a module a user asked for cannot be loaded: `what` names the
// module ("che legge le tracce"), `unchanged` says what stays as it was.
void showModuleFailure(QWidget& parent, const QString& what, const QString& failure,
                       const QString& unchanged);

template <typename Entry>
Entry moduleEntry(const QString& fileName, const char* symbol, QString& failure) {
    return reinterpret_cast<Entry>(moduleEntry(fileName, symbol, failure));
}

} // namespace tarvimo
