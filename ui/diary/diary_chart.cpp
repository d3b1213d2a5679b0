// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "diary/diary_chart.h"

#include <QDateTime>
#include <QDateTimeAxis>
#include <QEvent>
#include <QLineSeries>
#include <QLocale>
#include <QScatterSeries>
#include <QValueAxis>
#include <cmath>

namespace tarvimo {

namespace {

double valueOf(const Diary::ClimbPoint& point, DiaryChart::Measure measure) {
    switch (measure) {
    case DiaryChart::Measure::WattsPerKg:
        return point.wattsPerKg;
    case DiaryChart::Measure::TotalPower:
        return point.totalPower;
    case DiaryChart::Measure::Time:
        return point.seconds / 60;
    }
    return NAN;
}

QDate dateOf(const Diary::ClimbPoint& point) {
    return QDate(1970, 1, 1).addDays(point.day);
}

// Milliseconds since 1970 at noon UTC of the point's day: the same day in any time zone.
double axisTime(const Diary::ClimbPoint& point) {
    return double(point.day) * 86'400'000.0 + 43'200'000.0;
}

} // namespace

DiaryChart::DiaryChart(NumberSettings settings, QWidget* parent)
    // Given its chart from the start: a view built without one makes its own, which setChart()
    // would let go of, undeleted.
    : QChartView(new QChart, parent), m_settings(std::move(settings)), m_line(new QLineSeries),
      m_bestMark(new QScatterSeries), m_dates(new QDateTimeAxis), m_values(new QValueAxis) {
    setObjectName(QStringLiteral("grafico"));
    QChart* chart = this->chart();
    chart->legend()->hide();
    // The value axis in the user's decimal separator, as the table writes its figures.
    chart->setLocalizeNumbers(true);
    chart->setLocale(m_settings.decimal == "," ? QLocale(QLocale::Italian) : QLocale::c());
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->addSeries(m_line);
    chart->addSeries(m_bestMark);
    m_dates->setFormat(QStringLiteral("dd-MM-yyyy"));
    m_dates->setTickCount(5);
    chart->addAxis(m_dates, Qt::AlignBottom);
    chart->addAxis(m_values, Qt::AlignLeft);
    for (QXYSeries* series :
         {static_cast<QXYSeries*>(m_line), static_cast<QXYSeries*>(m_bestMark)}) {
        series->attachAxis(m_dates);
        series->attachAxis(m_values);
    }
    m_line->setPointsVisible(true);
    m_bestMark->setMarkerSize(14);
    setRenderHint(QPainter::Antialiasing);
    setMinimumHeight(fontMetrics().height() * 14);
    applyPalette();
    draw();
}

void DiaryChart::setClimb(const QString& climb, const std::vector<Diary::ClimbPoint>& points) {
    m_climb = climb;
    m_points = points;
    draw();
}

void DiaryChart::setMeasure(Measure measure) {
    m_measure = measure;
    draw();
}

QString DiaryChart::valueText(double value) const {
    QString text;
    switch (m_measure) {
    case Measure::WattsPerKg:
        text = QString::number(value, 'f', 2) + QStringLiteral(" W/kg");
        break;
    case Measure::TotalPower:
        text = QString::number(value, 'f', 0) + QStringLiteral(" W");
        break;
    case Measure::Time: {
        const auto seconds = qint64(std::lround(value * 60));
        text = QStringLiteral("%1 min %2 s").arg(seconds / 60).arg(seconds % 60);
        break;
    }
    }
    return text.replace(QLatin1Char('.'), QString::fromStdString(m_settings.decimal));
}

void DiaryChart::draw() {
    QList<QPointF> points;
    points.reserve(qsizetype(m_points.size()));
    m_best.reset();
    double low = INFINITY;
    double high = -INFINITY;
    for (const Diary::ClimbPoint& point : m_points) {
        const double value = valueOf(point, m_measure);
        if (!std::isfinite(value)) {
            continue;
        }
        points.append({axisTime(point), value});
        low = std::min(low, value);
        high = std::max(high, value);
        const double best = m_best ? valueOf(*m_best, m_measure) : NAN;
        if (!m_best || (m_measure == Measure::Time ? value < best : value > best)) {
            m_best = point;
        }
    }
    m_line->replace(points);
    m_bestMark->clear();
    const QString unit = m_measure == Measure::WattsPerKg   ? QStringLiteral("W/kg")
                         : m_measure == Measure::TotalPower ? QStringLiteral("W")
                                                            : QStringLiteral("min");
    m_values->setTitleText(unit);
    m_values->setLabelFormat(m_measure == Measure::WattsPerKg ? QStringLiteral("%.2f")
                                                              : QStringLiteral("%.0f"));
    QString title;
    QString description;
    if (m_best) {
        m_bestMark->append(axisTime(*m_best), valueOf(*m_best, m_measure));
        const double margin = std::max((high - low) * 0.1, std::abs(high) * 0.02 + 0.01);
        m_values->setRange(low - margin, high + margin);
        const QDateTime first = QDateTime::fromMSecsSinceEpoch(qint64(points.front().x()), Qt::UTC);
        const QDateTime last = QDateTime::fromMSecsSinceEpoch(qint64(points.back().x()), Qt::UTC);
        m_dates->setRange(first.addDays(-1), last.addDays(1));
        const QString best = QStringLiteral("%1 il %2")
                                 .arg(valueText(valueOf(*m_best, m_measure)),
                                      dateOf(*m_best).toString(QStringLiteral("dd-MM-yyyy")));
        title = QStringLiteral("%1 — migliore: %2").arg(m_climb, best);
        description = QStringLiteral("%1 sforzi su «%2» nel tempo (%3). Migliore: %4. La "
                                     "tabella del diario riporta gli stessi valori.")
                          .arg(points.size())
                          .arg(m_climb, unit, best);
    } else {
        const QDateTime today = QDateTime::currentDateTimeUtc();
        m_dates->setRange(today.addDays(-30), today);
        m_values->setRange(0, 1);
        title = m_climb.isEmpty()
                    ? QStringLiteral("Scegli una salita nella tabella")
                    : QStringLiteral("%1 — nessuno sforzo con data e valore").arg(m_climb);
        description = title + QStringLiteral(". La tabella del diario riporta i valori.");
    }
    chart()->setTitle(title);
    setAccessibleName(QStringLiteral("Grafico") +
                      (m_climb.isEmpty() ? QString() : QStringLiteral(" di ") + m_climb));
    setAccessibleDescription(description);
}

void DiaryChart::applyPalette() {
    const QPalette colours = palette();
    const QColor text = colours.color(QPalette::Text);
    QChart* drawn = chart();
    drawn->setBackgroundBrush(colours.brush(QPalette::Base));
    drawn->setBackgroundPen(QPen(colours.color(QPalette::Mid)));
    drawn->setPlotAreaBackgroundVisible(false);
    drawn->setTitleBrush(text);
    for (QAbstractAxis* axis :
         {static_cast<QAbstractAxis*>(m_dates), static_cast<QAbstractAxis*>(m_values)}) {
        axis->setLabelsBrush(text);
        axis->setTitleBrush(text);
        axis->setLinePenColor(text);
        axis->setGridLineColor(colours.color(QPalette::Mid));
    }
    // The line in the text's colour, which every theme keeps legible on its base; the best
    // effort larger, filled with the selection's colour and ringed with the text's.
    m_line->setPen(QPen(text, 2));
    m_line->setColor(text);
    m_bestMark->setColor(colours.color(QPalette::Highlight));
    m_bestMark->setBorderColor(text);
    setBackgroundBrush(colours.brush(QPalette::Base));
}

void DiaryChart::changeEvent(QEvent* event) {
    QChartView::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange) {
        applyPalette();
    }
}

} // namespace tarvimo
