// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/accessibility.h"

#include <QAccessibleWidget>
#include <QMetaEnum>
#include <QWidget>
#include <optional>

namespace tarvimo {

namespace {

// The role the class named className states for itself, and not one it inherits: a widget
// derived from a window is not that window.
std::optional<QAccessible::Role> statedRole(const QString& className, const QObject& object) {
    const QMetaObject* meta = object.metaObject();
    while (meta && className != QLatin1String(meta->className())) {
        meta = meta->superClass();
    }
    if (!meta) {
        return std::nullopt;
    }
    const int index = meta->indexOfClassInfo("accessibleRole");
    if (index < meta->classInfoOffset()) {
        return std::nullopt;
    }
    bool known = false;
    const int role =
        QMetaEnum::fromType<QAccessible::Role>().keyToValue(meta->classInfo(index).value(), &known);
    return known ? std::optional(static_cast<QAccessible::Role>(role)) : std::nullopt;
}

// Qt asks with the object's own class name first, then with its base classes' names.
QAccessibleInterface* windowInterface(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget) {
        return nullptr;
    }
    if (const auto role = statedRole(className, *widget)) {
        return new QAccessibleWidget(widget, *role);
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

} // namespace tarvimo
