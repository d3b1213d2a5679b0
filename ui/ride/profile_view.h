// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ride/profile_columns.h"
#include "ride/profile_handle.h"
#include "ride/ride_figures.h"

#include <QPixmap>
#include <QWidget>
#include <cstddef>
#include <utility>
#include <vector>

class QKeyEvent;

namespace tarvimo {

class Ride;

// A ride's elevation profile, distance across in km and elevation up in m, with the selected
// stretch shaded between two handles. The drawing is kept as two pictures (plain and shaded)
// made once per size and palette, so moving a handle only copies pixels.
class ProfileView : public QWidget {
    Q_OBJECT

public:
    // `decimal` is the user's decimal separator. The ride has at least two points and outlives
    // the view.
    ProfileView(const Ride& ride, QString decimal, QWidget* parent = nullptr);

    const Ride& ride() const { return m_ride; }
    std::size_t first() const { return m_first; }
    std::size_t last() const { return m_last; }
    ProfileHandle* handle(ProfileHandle::End end) const;

    // The climbs, first and last point each, shaded lightly behind the profile.
    void setClimbs(std::vector<std::pair<std::size_t, std::size_t>> climbs);
    void setSelection(std::size_t first, std::size_t last);
    // Moves one end to the point `index`, kept so the start stays before the end.
    void moveHandle(ProfileHandle::End end, std::size_t index);
    void dragHandle(ProfileHandle::End end, double x);
    // Left/Right by 100 m, Page Up/Down by 1 km, Shift+Left/Right by one point, Home/End to the
    // ends; false for any other key.
    bool handleKey(ProfileHandle::End end, const QKeyEvent& event);

    // "km 12,3, 845 m": where point `index` is.
    QString pointText(std::size_t index) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void selectionChanged(std::size_t first, std::size_t last);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    // Where the plot goes: measured once per size and font, not for each point mapped.
    void measurePlot();
    QString lastKmLabel() const;
    double xOf(std::size_t index) const;
    std::size_t pointAt(double x) const;
    double yOf(double elevation) const;
    void drawPictures();
    void drawAxes(QPainter& painter) const;
    void placeHandles();

    const Ride& m_ride;
    RideFigures m_figures;
    std::size_t m_first = 0;
    std::size_t m_last = 1;
    ProfileHandle* m_start;
    ProfileHandle* m_end;
    ProfileHandle::End m_dragging = ProfileHandle::End::Start;
    double m_bottom = 0; // elevation at the foot of the plot
    double m_top = 1;    // and at its top
    double m_lowest = 0; // of the whole ride
    double m_highest = 0;
    QRect m_plot;
    ProfileColumns m_columns;
    std::vector<std::pair<std::size_t, std::size_t>> m_climbs;
    QSize m_picturesSize;
    qreal m_picturesRatio = 0;
    QPixmap m_plain;
    QPixmap m_shaded;
};

} // namespace tarvimo
