// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ride/profile_handle.h"

#include "ride.h"
#include "ride/profile_view.h"

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace tarvimo {

namespace {

// A slider whose value is the distance in km; its text says the distance and the height.
class HandleAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit HandleAccessible(ProfileHandle* handle)
        : QAccessibleWidget(handle, QAccessible::Slider), m_handle(handle) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value)
            return view().pointText(index());
        return QAccessibleWidget::text(t);
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QVariant currentValue() const override { return view().ride().distance(index()) / 1000.0; }
    void setCurrentValue(const QVariant& value) override {
        view().moveHandle(m_handle->end(), view().ride().pointAtDistance(value.toDouble() * 1000));
    }
    QVariant maximumValue() const override {
        return view().ride().distance(view().ride().size() - 1) / 1000.0;
    }
    QVariant minimumValue() const override { return view().ride().distance(0) / 1000.0; }
    QVariant minimumStepSize() const override { return 0.1; }

private:
    ProfileView& view() const { return m_handle->view(); }
    std::size_t index() const {
        return m_handle->end() == ProfileHandle::End::Start ? view().first() : view().last();
    }

    ProfileHandle* m_handle;
};

QAccessibleInterface* handleInterface(const QString& className, QObject* object) {
    if (className == QLatin1String(ProfileHandle::staticMetaObject.className()))
        return new HandleAccessible(static_cast<ProfileHandle*>(object));
    return nullptr;
}

} // namespace

void installProfileHandleAccessibility() {
    QAccessible::removeFactory(handleInterface);
    QAccessible::installFactory(handleInterface);
}

ProfileHandle::ProfileHandle(End end, ProfileView& view)
    : QWidget(&view), m_end(end), m_view(view) {
    installProfileHandleAccessibility(); // before anything asks for this handle's interface
    const bool start = end == End::Start;
    setObjectName(start ? QStringLiteral("inizioSalita") : QStringLiteral("fineSalita"));
    setAccessibleName(start ? QStringLiteral("Inizio della salita")
                            : QStringLiteral("Fine della salita"));
    setToolTip(accessibleName());
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::SizeHorCursor);
}

int ProfileHandle::thickness() {
    return 15;
}

void ProfileHandle::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& colours = palette();
    const qreal centre = width() / 2.0;
    const bool focused = hasFocus();
    painter.setPen(QPen(colours.color(QPalette::Text), focused ? 3 : 2));
    painter.drawLine(QPointF(centre, 8), QPointF(centre, height()));
    // The grip: a flag at the top, filled when the handle has the keyboard.
    const QRectF grip(1, 1, width() - 2, gripHeight - 3);
    painter.setPen(QPen(colours.color(QPalette::Text), 1.5));
    painter.setBrush(focused ? colours.color(QPalette::Highlight) : colours.color(QPalette::Base));
    painter.drawRoundedRect(grip, 3, 3);
}

void ProfileHandle::keyPressEvent(QKeyEvent* event) {
    if (!m_view.handleKey(m_end, *event))
        QWidget::keyPressEvent(event); // Enter and Escape reach the window
}

void ProfileHandle::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        setFocus(Qt::MouseFocusReason);
        event->accept();
    }
}

void ProfileHandle::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton)
        m_view.dragHandle(m_end, mapToParent(event->position()).x());
}

void ProfileHandle::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void ProfileHandle::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

} // namespace tarvimo
