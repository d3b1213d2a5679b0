// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QAbstractScrollArea;

namespace tarvimo {

// Screen readers see the main window as an application window and the splash and help windows
// as dialogs, instead of the anonymous panes Qt makes of plain top-level widgets.
void installAccessibleWindowRoles();

// Qt exposes a scroll area's viewport and scroll bars, hidden ones included, as objects of
// their own: give them names, so that nothing a screen reader reaches is nameless.
void nameScrollParts(QAbstractScrollArea& area);

} // namespace tarvimo
