// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "climb.h"
#include "ride/ride_choice.h"
#include "ride/ride_figures.h"
#include "ride/ride_sheet.h"
#include "ride_file.h"

#include <QDialog>
#include <optional>

class QFormLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QVBoxLayout;

namespace tarvimo {

class ProfileView;
struct EstimateFault;
struct PowerEstimate;

// "Importa salita": the list of a ride's climbs, its profile with the chosen climb between two
// handles, the figures of the selection below it, and the buttons that write them into the main
// window or not. Up and Down in the list choose a climb, Enter then uses it (the dialog's default
// button); moving a handle by hand leaves no climb chosen in the list.
class ImportWindow : public QDialog {
    Q_OBJECT
    Q_CLASSINFO("accessibleRole", "Dialog")

public:
    // `file` has been read without error; `sheet` is the main window's, only read.
    ImportWindow(RideFile file, RideSheet sheet, QWidget* parent = nullptr);

    ProfileView& profile() const { return *m_profile; }
    QListWidget& climbList() const { return *m_climbList; }
    // What "Usa questa salita" writes, for the selection as it stands: for a stretch without
    // times, the time predicted at the target power, where there is one.
    RideChoice choice() const;

private:
    void showFigures(std::size_t first, std::size_t last);
    void addClimbList(QVBoxLayout& layout);
    void chooseClimb(int row);
    void showEstimate(const Stretch& stretch);
    void showPrediction();
    // The total power for the stretch over its time or, where it has none, the sheet's.
    PowerEstimate estimate(const Stretch& stretch) const;
    QString faultText(const EstimateFault& fault) const;
    QLabel* addFigure(QFormLayout& form, const QString& caption, const char* name);

    RideFile m_file;
    RideSheet m_sheet;
    RideFigures m_figures;
    ClimbProposal m_proposal;
    QListWidget* m_climbList;
    ProfileView* m_profile;
    QFormLayout* m_form;
    QLabel* m_distance;
    QLabel* m_gain;
    QLabel* m_time;
    QLabel* m_gradient;
    QLabel* m_power = nullptr;
    QLabel* m_cadence = nullptr;
    QLabel* m_estimate;
    QLineEdit* m_target;
    QLabel* m_predicted;
    std::optional<long long> m_predictedSeconds;
};

} // namespace tarvimo
