// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QAbstractScrollArea;

namespace tarvimo {

// Qt exposes a scroll area's viewport and scroll bars, hidden ones included, as objects of
// their own: give them names, so that nothing a screen reader reaches is nameless.
void nameScrollParts(QAbstractScrollArea& area);

} // namespace tarvimo
