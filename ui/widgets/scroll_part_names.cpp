// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/scroll_part_names.h"

#include <QAbstractScrollArea>
#include <QScrollBar>
#include <utility>

namespace tarvimo {

void nameScrollParts(QAbstractScrollArea& area) {
    area.viewport()->setAccessibleName(area.accessibleName());
    const std::pair<QScrollBar*, QString> bars[] = {
        {area.horizontalScrollBar(), QStringLiteral("Barra di scorrimento orizzontale")},
        {area.verticalScrollBar(), QStringLiteral("Barra di scorrimento verticale")},
    };
    for (const auto& [bar, name] : bars) {
        bar->setAccessibleName(name);
        // The container Qt keeps each scroll bar in.
        if (bar->parentWidget() != &area) {
            bar->parentWidget()->setAccessibleName(name);
        }
    }
}

} // namespace tarvimo
