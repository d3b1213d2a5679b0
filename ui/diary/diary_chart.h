// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "diary.h"
#include "number_text.h"

#include <QChartView>
#include <optional>

class QLineSeries;
class QScatterSeries;
class QDateTimeAxis;
class QValueAxis;

namespace tarvimo {

// One climb's efforts against their dates, for one measure, with the best effort marked: the
// highest power or W/kg, the shortest time. Its colours are the palette's, so it reads on light,
// dark and high-contrast themes; the table beside it is its accessible equivalent, and its
// accessible description says so and names the best effort.
class DiaryChart : public QChartView {
    Q_OBJECT

public:
    enum class Measure { WattsPerKg, TotalPower, Time };

    explicit DiaryChart(NumberSettings settings, QWidget* parent = nullptr);

    void setClimb(const QString& climb, const std::vector<Diary::ClimbPoint>& points);
    void setMeasure(Measure measure);
    Measure measure() const { return m_measure; }
    // The best effort's point among those shown for the measure, if any has a value.
    std::optional<Diary::ClimbPoint> best() const { return m_best; }

protected:
    void changeEvent(QEvent* event) override;

private:
    void draw();
    void applyPalette();
    QString valueText(double value) const;

    NumberSettings m_settings;
    Measure m_measure = Measure::WattsPerKg;
    QString m_climb;
    std::vector<Diary::ClimbPoint> m_points;
    std::optional<Diary::ClimbPoint> m_best;
    QLineSeries* m_line;
    QScatterSeries* m_bestMark;
    QDateTimeAxis* m_dates;
    QValueAxis* m_values;
};

} // namespace tarvimo
