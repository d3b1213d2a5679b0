// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "field_sheet.h"
#include "number_text.h"

#include <QPointer>
#include <QWidget>
#include <array>

class QLineEdit;
class QPushButton;

namespace tarvimo {

class HelpWindow;

// The working window: every field of the sheet in a text box, and the buttons that calculate,
// print and open the help.
class MainWindow : public QWidget {
    Q_OBJECT
    // What a screen reader calls this window (app/accessibility.h).
    Q_CLASSINFO("accessibleRole", "Window")

public:
    explicit MainWindow(NumberSettings settings, QWidget* parent = nullptr);
    ~MainWindow() override;

    const FieldSheet& sheet() const { return m_sheet; }
    QLineEdit* edit(Field field) const { return m_edits[static_cast<std::size_t>(field)]; }
    HelpWindow* helpWindow() const;

    void calculate();
    void print();
    void showHelp();
    // Reads a ride file and, when the user chooses a climb in it, writes its distance, gain,
    // time, date and name into the fields. Nothing is calculated.
    void openRide(const QString& path);
    // Ctrl+O: the file dialog, then openRide.
    void chooseRide();
    // The ride opens over the window as soon as it shows.
    void openRideWhenShown(const QString& path) { m_pendingRide = path; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildControls();
    void bindSheet();
    void showText(Field field, const std::string& text);
    void showError(const QString& text, const QString& detail);

    FieldSheet m_sheet;
    NumberSettings m_settings;
    std::array<QLineEdit*, fieldCount> m_edits{};
    QPointer<HelpWindow> m_help;
    bool m_echoing = false;
    bool m_focusedOnce = false;
    bool m_openingRide = false;
    bool m_closeAfterRide = false; // asked to close while a ride was open
    QString m_pendingRide;
};

} // namespace tarvimo
