// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "accessibility.h"

#include "help_window.h"
#include "main_window.h"
#include "splash_window.h"

#include <QAbstractScrollArea>
#include <QAccessibleWidget>
#include <QScrollBar>
#include <utility>

namespace tarvimo {

namespace {

// Qt asks with the object's own class name first, then with its base classes' names.
QAccessibleInterface* windowInterface(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget) {
        return nullptr;
    }
    if (className == QLatin1String(MainWindow::staticMetaObject.className())) {
        return new QAccessibleWidget(widget, QAccessible::Window);
    }
    if (className == QLatin1String(HelpWindow::staticMetaObject.className()) ||
        className == QLatin1String(SplashWindow::staticMetaObject.className())) {
        return new QAccessibleWidget(widget, QAccessible::Dialog);
    }
    // Qt calls a plain frame a "frame", the word screen readers use for a window; inside a
    // window it is a group, like the main window's captioned frames.
    if (className == QLatin1String("QFrame") && !widget->isWindow()) {
        return new QAccessibleWidget(widget, QAccessible::Grouping);
    }
    return nullptr;
}

} // namespace

void installAccessibleWindowRoles() {
    // Installing twice would only ask twice.
    QAccessible::removeFactory(windowInterface);
    QAccessible::installFactory(windowInterface);
}

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
