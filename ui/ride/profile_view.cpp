// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ride/profile_view.h"

#include "ride.h"

#include <QAccessible>
#include <QEvent>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace tarvimo {

namespace {

// A round step (1, 2 or 5 times a power of ten) giving about `count` steps over `span`.
double niceStep(double span, int count) {
    const double raw = span / std::max(1, count);
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    const double scaled = raw / magnitude;
    return (scaled <= 1 ? 1 : scaled <= 2 ? 2 : scaled <= 5 ? 5 : 10) * magnitude;
}

int decimalsFor(double step) {
    return step >= 1 ? 0 : int(std::ceil(-std::log10(step) - 1e-9));
}

} // namespace

ProfileView::ProfileView(const Ride& ride, QString decimal, QWidget* parent)
    : QWidget(parent), m_ride(ride), m_figures(std::move(decimal)),
      m_start(new ProfileHandle(ProfileHandle::End::Start, *this)),
      m_end(new ProfileHandle(ProfileHandle::End::End, *this)) {
    setObjectName(QStringLiteral("profilo"));
    setAccessibleName(QStringLiteral("Profilo altimetrico"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    const auto elevations = ride.elevations();
    const auto [low, high] = std::minmax_element(elevations.begin(), elevations.end());
    m_lowest = *low;
    m_highest = *high;
    const double margin = std::max(5.0, (m_highest - m_lowest) * 0.05);
    const double step = niceStep(m_highest - m_lowest + 2 * margin, 5);
    m_bottom = std::floor((m_lowest - margin) / step) * step;
    m_top = std::ceil((m_highest + margin) / step) * step;
    m_last = ride.size() - 1;
    measurePlot();
    setTabOrder(m_start, m_end);
}

ProfileHandle* ProfileView::handle(ProfileHandle::End end) const {
    return end == ProfileHandle::End::Start ? m_start : m_end;
}

QSize ProfileView::sizeHint() const {
    return {640, 300};
}

QSize ProfileView::minimumSizeHint() const {
    return {320, 180};
}

QString ProfileView::pointText(std::size_t index) const {
    return QStringLiteral("km %1, %2 m")
        .arg(m_figures.number(m_ride.distance(index) / 1000.0, 1),
             m_figures.number(m_ride.elevation(index), 0));
}

QString ProfileView::lastKmLabel() const {
    return m_figures.number(m_ride.distance(m_ride.size() - 1) / 1000.0, 1);
}

void ProfileView::measurePlot() {
    const QFontMetrics metrics = fontMetrics();
    const int left = std::max(metrics.horizontalAdvance(m_figures.number(m_bottom, 0)),
                              metrics.horizontalAdvance(m_figures.number(m_top, 0))) +
                     12;
    const int top = ProfileHandle::gripHeight + metrics.height() / 2 + 2;
    // Room for half the last distance label, then the unit clear of it.
    const int right = metrics.horizontalAdvance(lastKmLabel()) / 2 +
                      metrics.horizontalAdvance(QStringLiteral("km")) + 10;
    const int bottom = metrics.height() + 10;
    m_plot = rect().adjusted(left, top, -right, -bottom);
}

double ProfileView::xOf(std::size_t index) const {
    const QRect& plot = m_plot;
    const double start = m_ride.distance(0);
    const double length = m_ride.distance(m_ride.size() - 1) - start;
    const double share = length > 0 ? (m_ride.distance(index) - start) / length
                                    : double(index) / double(m_ride.size() - 1);
    return plot.left() + share * plot.width();
}

std::size_t ProfileView::pointAt(double x) const {
    const QRect& plot = m_plot;
    const double start = m_ride.distance(0);
    const double length = m_ride.distance(m_ride.size() - 1) - start;
    const double share = std::clamp((x - plot.left()) / std::max(1, plot.width()), 0.0, 1.0);
    std::size_t index = m_ride.pointAtDistance(start + share * length);
    // The nearer of the two points around the pointer.
    if (index > 0 && std::abs(xOf(index - 1) - x) <= std::abs(xOf(index) - x))
        --index;
    return index;
}

double ProfileView::yOf(double elevation) const {
    const QRect& plot = m_plot;
    return plot.bottom() + 1 - (elevation - m_bottom) / (m_top - m_bottom) * plot.height();
}

void ProfileView::setClimbs(std::vector<std::pair<std::size_t, std::size_t>> climbs) {
    m_climbs = std::move(climbs);
    m_picturesSize = {}; // drawn again at the next paint
    update();
}

void ProfileView::setSelection(std::size_t first, std::size_t last) {
    const std::size_t end = m_ride.size() - 1;
    last = std::clamp<std::size_t>(last, 1, end);
    first = std::min(first, last - 1);
    if (first == m_first && last == m_last)
        return;
    const double before[] = {xOf(m_first), xOf(m_last)};
    m_first = first;
    m_last = last;
    const double after[] = {xOf(m_first), xOf(m_last)};
    // Only the bands the two ends swept change.
    const QRect& plot = m_plot;
    for (int i = 0; i < 2; ++i) {
        if (before[i] != after[i]) {
            const int from = int(std::floor(std::min(before[i], after[i]))) - 2;
            const int to = int(std::ceil(std::max(before[i], after[i]))) + 2;
            update(QRect(from, plot.top(), to - from, plot.height() + 1));
        }
    }
    placeHandles();
    emit selectionChanged(m_first, m_last);
}

void ProfileView::moveHandle(ProfileHandle::End end, std::size_t index) {
    const std::size_t top = m_ride.size() - 1;
    index = std::min(index, top);
    if (end == ProfileHandle::End::Start)
        setSelection(std::min(index, m_last - 1), m_last);
    else
        setSelection(m_first, std::max(index, m_first + 1));
    if (QAccessible::isActive()) {
        const std::size_t at = end == ProfileHandle::End::Start ? m_first : m_last;
        QAccessibleValueChangeEvent changed(handle(end), m_ride.distance(at) / 1000.0);
        QAccessible::updateAccessibility(&changed);
    }
}

void ProfileView::dragHandle(ProfileHandle::End end, double x) {
    moveHandle(end, pointAt(x));
}

bool ProfileView::handleKey(ProfileHandle::End end, const QKeyEvent& event) {
    const std::size_t at = end == ProfileHandle::End::Start ? m_first : m_last;
    const std::size_t top = m_ride.size() - 1;
    const double here = m_ride.distance(at);
    const bool shift = event.modifiers() & Qt::ShiftModifier;
    // By distance: the first point at or beyond the target going right, the last point at or
    // before it going left, and always at least one point.
    const auto forward = [&](double metres) {
        return std::max(std::min(at + 1, top), m_ride.pointAtDistance(here + metres));
    };
    const auto back = [&](double metres) {
        if (at == 0)
            return at;
        std::size_t index = m_ride.pointAtDistance(here - metres);
        if (index > 0 && m_ride.distance(index) > here - metres)
            --index;
        return std::min(index, at - 1);
    };
    std::size_t target = at;
    switch (event.key()) {
    case Qt::Key_Right:
        target = shift ? std::min(at + 1, top) : forward(100);
        break;
    case Qt::Key_Left:
        target = shift ? (at > 0 ? at - 1 : 0) : back(100);
        break;
    case Qt::Key_PageUp:
        target = forward(1000);
        break;
    case Qt::Key_PageDown:
        target = back(1000);
        break;
    case Qt::Key_Home:
        target = 0;
        break;
    case Qt::Key_End:
        target = top;
        break;
    default:
        return false;
    }
    moveHandle(end, target);
    return true;
}

void ProfileView::placeHandles() {
    const QRect& plot = m_plot;
    const int half = ProfileHandle::thickness() / 2;
    const int top = plot.top() - ProfileHandle::gripHeight;
    const int height = plot.height() + ProfileHandle::gripHeight + 1;
    m_start->setGeometry(int(std::lround(xOf(m_first))) - half, top, ProfileHandle::thickness(),
                         height);
    m_end->setGeometry(int(std::lround(xOf(m_last))) - half, top, ProfileHandle::thickness(),
                       height);
}

void ProfileView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    measurePlot();
    placeHandles();
}

void ProfileView::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::FontChange) {
        m_picturesSize = {}; // drawn again at the next paint
        measurePlot();
        placeHandles();
        update();
    }
}

void ProfileView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    // A click in the plot brings the nearer end there, and dragging goes on from it.
    const double x = event->position().x();
    m_dragging = std::abs(x - xOf(m_first)) <= std::abs(x - xOf(m_last)) ? ProfileHandle::End::Start
                                                                         : ProfileHandle::End::End;
    handle(m_dragging)->setFocus(Qt::MouseFocusReason);
    dragHandle(m_dragging, x);
}

void ProfileView::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton)
        dragHandle(m_dragging, event->position().x());
}

void ProfileView::drawAxes(QPainter& painter) const {
    const QRect& plot = m_plot;
    const QFontMetrics metrics = fontMetrics();
    const QColor text = palette().color(QPalette::Text);
    QColor grid = text;
    grid.setAlphaF(0.25);

    const double rise =
        niceStep(m_top - m_bottom, std::max(2, plot.height() / (2 * metrics.height())));
    const int riseDecimals = decimalsFor(rise);
    for (double level = std::ceil(m_bottom / rise) * rise; level <= m_top + rise * 1e-6;
         level += rise) {
        const double y = yOf(level);
        painter.setPen(grid);
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(text);
        const QString label = m_figures.number(level, riseDecimals);
        painter.drawText(QRectF(0, y - metrics.height() / 2.0, plot.left() - 6, metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter, label);
    }
    painter.drawText(QRectF(0, 0, plot.left() - 6, ProfileHandle::gripHeight),
                     Qt::AlignRight | Qt::AlignTop, QStringLiteral("m"));

    const double startKm = m_ride.distance(0) / 1000.0;
    const double lengthKm = m_ride.distance(m_ride.size() - 1) / 1000.0 - startKm;
    if (lengthKm > 0) {
        const int labelWidth =
            metrics.horizontalAdvance(m_figures.number(startKm + lengthKm, 1)) + 24;
        const double step = niceStep(lengthKm, std::max(2, plot.width() / labelWidth));
        const int decimals = decimalsFor(step);
        for (double km = std::ceil(startKm / step) * step; km <= startKm + lengthKm + step * 1e-6;
             km += step) {
            const double x = plot.left() + (km - startKm) / lengthKm * plot.width();
            painter.setPen(grid);
            painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom() + 4));
            painter.setPen(text);
            painter.drawText(QRectF(x - 50, plot.bottom() + 5, 100, metrics.height()),
                             Qt::AlignHCenter | Qt::AlignTop, m_figures.number(km, decimals));
        }
    }
    painter.drawText(QRectF(plot.right() + metrics.horizontalAdvance(lastKmLabel()) / 2 + 4,
                            plot.bottom() + 5, width(), metrics.height()),
                     Qt::AlignLeft | Qt::AlignTop, QStringLiteral("km"));
    painter.setPen(QPen(text, 1));
    painter.drawLine(plot.bottomLeft() + QPoint(0, 1), plot.bottomRight() + QPoint(0, 1));
    painter.drawLine(plot.topLeft(), plot.bottomLeft() + QPoint(0, 1));
}

void ProfileView::drawPictures() {
    const qreal ratio = devicePixelRatioF();
    const QRect& plot = m_plot;
    const auto columns = std::size_t(std::max(1.0, std::round(plot.width() * ratio)));
    if (m_columns.size() != columns)
        m_columns = ProfileColumns(m_ride.distances(), m_ride.elevations(), columns);

    // The outline: the highest point of each column, then the lowest where they differ.
    QPainterPath area;
    QPainterPath spread;
    const double foot = plot.bottom() + 1;
    bool started = false;
    for (std::size_t c = 0; c < columns; ++c) {
        if (!m_columns.filled(c))
            continue;
        const double x = plot.left() + (double(c) + 0.5) / ratio;
        const double high = yOf(m_columns.high(c));
        if (!started) {
            area.moveTo(x, foot);
            started = true;
        }
        area.lineTo(x, high);
        const double low = yOf(m_columns.low(c));
        if (low - high > 1) {
            spread.moveTo(x, high);
            spread.lineTo(x, low);
        }
    }
    area.lineTo(area.currentPosition().x(), foot);
    area.closeSubpath();

    const QPalette& colours = palette();
    const QColor text = colours.color(QPalette::Text);
    QColor fill = text;
    fill.setAlphaF(0.22);
    QColor band = colours.color(QPalette::Highlight);
    band.setAlphaF(0.25);
    // Lighter than the selection's band, yet seen on the base colour of any palette.
    QColor climbBand = band;
    climbBand.setAlphaF(0.12);

    const auto draw = [&](QPixmap& picture, bool shaded) {
        picture = QPixmap(size() * ratio);
        picture.setDevicePixelRatio(ratio);
        picture.fill(colours.color(QPalette::Base));
        QPainter painter(&picture);
        if (shaded) {
            painter.fillRect(plot, band);
        } else {
            for (const auto& [first, last] : m_climbs) {
                const double from = xOf(first);
                painter.fillRect(QRectF(from, plot.top(), xOf(last) - from, plot.height() + 1),
                                 climbBand);
            }
        }
        drawAxes(painter);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(shaded ? colours.color(QPalette::Highlight) : fill);
        painter.drawPath(area);
        painter.setPen(QPen(text, 1.0 / ratio));
        painter.drawPath(spread);
        painter.setPen(QPen(text, 1.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(area);
    };
    draw(m_plain, false);
    draw(m_shaded, true);
    m_picturesSize = size();
    m_picturesRatio = ratio;
}

void ProfileView::paintEvent(QPaintEvent* event) {
    if (m_picturesSize != size() || m_picturesRatio != devicePixelRatioF())
        drawPictures();
    QPainter painter(this);
    const qreal ratio = m_picturesRatio;
    const auto copy = [&](const QPixmap& picture, const QRect& target) {
        if (!target.isEmpty())
            painter.drawPixmap(target, picture,
                               QRectF(target.topLeft() * ratio, QSizeF(target.size()) * ratio));
    };
    const QRect& plot = m_plot;
    const int from = int(std::lround(xOf(m_first)));
    const int to = int(std::lround(xOf(m_last)));
    const QRect selected(from, plot.top(), to - from, plot.height() + 1);
    for (const QRect& part : event->region()) {
        copy(m_plain, part);
        copy(m_shaded, part & selected);
    }
}

} // namespace tarvimo
