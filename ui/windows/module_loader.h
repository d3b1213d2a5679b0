// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QtGlobal>

namespace tarvimo {

// Finds `symbol` in the module `fileName`: beside the program in the build tree, in
// `installedFolder` (relative to the program's folder) once installed. The module stays loaded.
// Null where it cannot be loaded, with the loader's reason in `failure`.
QFunctionPointer moduleEntry(const QString& fileName, const QString& installedFolder,
                             const char* symbol, QString& failure);

} // namespace tarvimo
