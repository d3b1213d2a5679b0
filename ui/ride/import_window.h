// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ride/ride_choice.h"
#include "ride/ride_figures.h"
#include "ride_file.h"

#include <QDialog>

class QFormLayout;
class QLabel;

namespace tarvimo {

class ProfileView;

// "Importa salita": a ride's profile with the proposed climb between two handles, the figures of
// the selection below it, and the buttons that write them into the main window or not.
class ImportWindow : public QDialog {
    Q_OBJECT
    Q_CLASSINFO("accessibleRole", "Dialog")

public:
    // `file` has been read without error; `decimal` is the user's decimal separator.
    ImportWindow(RideFile file, const QString& decimal, QWidget* parent = nullptr);

    ProfileView& profile() const { return *m_profile; }
    // What "Usa questa salita" writes, for the selection as it stands.
    RideChoice choice() const;

private:
    void showFigures(std::size_t first, std::size_t last);
    QLabel* addFigure(const QString& caption, const char* name);

    RideFile m_file;
    RideFigures m_figures;
    ProfileView* m_profile;
    QFormLayout* m_form;
    QLabel* m_distance;
    QLabel* m_gain;
    QLabel* m_time;
    QLabel* m_gradient;
    QLabel* m_power = nullptr;
    QLabel* m_cadence = nullptr;
};

} // namespace tarvimo
