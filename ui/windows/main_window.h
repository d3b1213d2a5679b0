// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "diary_entry.h"
#include "field_sheet.h"
#include "number_text.h"
#include "saved_values.h"

#include <QPointer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <optional>

class QLineEdit;
class QMenuBar;
class QPushButton;

namespace tarvimo {

class HelpWindow;

// The working window: a menu bar over the client area, which holds every field of the sheet in a
// text box and the buttons that calculate, print and open the help. Printing shows the client
// area alone.
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
    QWidget* clientArea() const { return m_area; }
    QMenuBar* menuBar() const { return m_menuBar; }

    // Where the inputs are kept between runs: from now on they are saved after each calculation
    // that succeeds and when the window closes. Without it nothing is saved.
    void keepValuesIn(SavedValues values);
    // Inputs read back from a previous run; results stay as they are.
    void showValues(const std::vector<std::pair<Field, std::string>>& texts);

    // False, after its message, where the calculation failed.
    bool calculate();
    void print();
    void showHelp();
    // "Salva nel diario": calculates, then hands the entry to the diary.
    void saveToDiary();
    void showDiary();
    // Asks, then puts every field back to its initial text, results emptied.
    void resetValues();
    void showAbout();
    // The diary entry for the sheet as it stands, with the ride it came from, if any.
    DiaryEntry diaryEntry(std::int64_t savedAt) const;
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
    // The ride the length, gain and time came from, until one of them is typed over.
    struct RideOrigin {
        std::string file;
        double from;
        double to;
    };

    void buildControls();
    void buildMenus();
    void bindSheet();
    void showText(Field field, const std::string& text);
    void showError(const QString& text, const QString& detail);
    void reopen(const DiaryEntry& entry);
    bool saveValues();

    FieldSheet m_sheet;
    NumberSettings m_settings;
    QWidget* m_area;
    QMenuBar* m_menuBar = nullptr;
    std::array<QLineEdit*, fieldCount> m_edits{};
    QPointer<HelpWindow> m_help;
    std::optional<SavedValues> m_savedValues;
    bool m_saveFailureShown = false;
    std::optional<RideOrigin> m_ride;
    bool m_echoing = false;
    bool m_focusedOnce = false;
    bool m_openingRide = false;
    bool m_closeAfterRide = false; // asked to close while a ride was open
    QString m_pendingRide;
};

} // namespace tarvimo
