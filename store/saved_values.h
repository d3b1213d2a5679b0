// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "field_sheet.h"

#include <QSize>
#include <QString>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tarvimo {

// The input fields' texts kept between runs, in an INI file readable by its owner only.
class SavedValues {
public:
    enum class LoadStatus {
        NothingSaved, // no file, or none of our fields in it: the defaults stand
        Loaded,
        Unreadable, // the caller shows the defaults and message(); the file stays until a save
    };
    enum class SaveStatus { Saved, Failed };

    struct Loaded {
        LoadStatus status = LoadStatus::NothingSaved;
        // The inputs found in the file; a field missing here keeps its default.
        std::vector<std::pair<Field, std::string>> texts;
    };

    // "tarvimo.ini" in QStandardPaths::AppConfigLocation: $XDG_CONFIG_HOME/Tarvimo/ (by default
    // ~/.config/Tarvimo/) once the application is named "Tarvimo".
    static QString defaultPath();

    explicit SavedValues(QString path = defaultPath());

    const QString& path() const { return m_path; }

    Loaded load() const;
    // Writes every input of the sheet (results are not kept), atomically.
    SaveStatus save(const FieldSheet& sheet) const;

    // A window's size, under a group named after the window ("diario"); nothing where none was
    // kept or what is kept is no size. Saved by the same atomic write as the inputs.
    std::optional<QSize> windowSize(const QString& window) const;
    SaveStatus saveWindowSize(const QString& window, QSize size) const;

    // What the window says; empty for NothingSaved, Loaded and Saved.
    QString message(LoadStatus status) const;
    QString message(SaveStatus status) const;

private:
    // The one write: the file's keys as they are (all of them, unless it cannot be read), these
    // texts over them, written beside, read back and renamed over the file.
    SaveStatus write(const std::vector<std::pair<QString, QString>>& texts) const;

    QString m_path;
};

} // namespace tarvimo
