// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace tarvimo {

// Screen readers see the main window as an application window and the splash and help windows
// as dialogs, instead of the anonymous panes Qt makes of plain top-level widgets. Each window
// states its role itself, as class information read here, so this needs no window's header:
//     Q_CLASSINFO("accessibleRole", "Dialog")   // a name of QAccessible::Role
void installAccessibleWindowRoles();

} // namespace tarvimo
