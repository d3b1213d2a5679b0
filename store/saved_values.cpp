// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "saved_values.h"

#include "private_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <cstdio>

namespace tarvimo {

namespace {

const QString group = QStringLiteral("campi");

QString key(const FieldInfo& info) {
    return group + u'/' + QLatin1StringView(info.name.data(), qsizetype(info.name.size()));
}

// Reads our fields; false if QSettings could not parse the file or a field is not a text (a
// list, a byte array, a number written by hand as @Variant).
bool readFields(QSettings& settings, SavedValues::Loaded& loaded) {
    settings.allKeys(); // parses every section, so that a bad line shows in status()
    if (settings.status() != QSettings::NoError) {
        return false;
    }
    for (const FieldInfo& info : allFields()) {
        if (info.isResult) {
            continue;
        }
        const QVariant value = settings.value(key(info));
        if (!value.isValid()) {
            continue;
        }
        if (value.typeId() != QMetaType::QString) {
            return false;
        }
        loaded.texts.emplace_back(info.field, value.toString().toStdString());
    }
    return true;
}

// Writes the inputs and syncs; true if QSettings reports no error, which it can only do for an
// object whose status was clean before the write.
bool writeFields(QSettings& settings, const FieldSheet& sheet) {
    for (const FieldInfo& info : allFields()) {
        if (!info.isResult) {
            settings.setValue(key(info), QString::fromStdString(sheet.text(info.field)));
        }
    }
    settings.sync();
    return settings.status() == QSettings::NoError;
}

} // namespace

QString SavedValues::defaultPath() {
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
           QStringLiteral("/tarvimo.ini");
}

SavedValues::SavedValues(QString path) : m_path(std::move(path)) {}

SavedValues::Loaded SavedValues::load() const {
    Loaded loaded;
    if (!QFileInfo::exists(m_path)) {
        return loaded;
    }
    // QSettings keeps what it parsed for the life of the process: a second load of an
    // unchanged file it could not parse sees no error, only the keys it could read.
    QSettings settings(m_path, QSettings::IniFormat);
    if (!readFields(settings, loaded)) {
        return {LoadStatus::Unreadable, {}};
    }
    loaded.status = loaded.texts.empty() ? LoadStatus::NothingSaved : LoadStatus::Loaded;
    return loaded;
}

SavedValues::SaveStatus SavedValues::save(const FieldSheet& sheet) const {
    if (!PrivateFiles::makeFolder(QFileInfo(m_path).path()) || !PrivateFiles::makeFile(m_path)) {
        return SaveStatus::Failed;
    }
    {
        // A readable file is updated in place (QSaveFile: a temporary file renamed over it), so
        // keys of other versions stay.
        QSettings settings(m_path, QSettings::IniFormat);
        Loaded ignored;
        if (readFields(settings, ignored)) {
            return writeFields(settings, sheet) ? SaveStatus::Saved : SaveStatus::Failed;
        }
    }
    // An unreadable one is replaced whole: written beside it, then renamed over it. Its
    // QSettings object keeps the parse error, which would hide a failed write.
    const QString fresh = m_path + QStringLiteral(".nuovo");
    QFile::remove(fresh);
    bool written = PrivateFiles::makeFile(fresh);
    if (written) {
        QSettings settings(fresh, QSettings::IniFormat);
        written = writeFields(settings, sheet);
    }
    if (!written || std::rename(QFile::encodeName(fresh).constData(),
                                QFile::encodeName(m_path).constData()) != 0) {
        QFile::remove(fresh);
        return SaveStatus::Failed;
    }
    return SaveStatus::Saved;
}

QString SavedValues::message(LoadStatus status) const {
    if (status != LoadStatus::Unreadable) {
        return {};
    }
    return QStringLiteral("I valori salvati in «%1» non si possono leggere: Tarvimo riparte dai "
                          "valori iniziali e sostituirà il file al prossimo salvataggio.")
        .arg(QDir::toNativeSeparators(m_path));
}

QString SavedValues::message(SaveStatus status) const {
    if (status != SaveStatus::Failed) {
        return {};
    }
    return QStringLiteral("Non è stato possibile salvare i valori in «%1» (disco pieno o "
                          "cartella non scrivibile): resteranno solo fino alla chiusura.")
        .arg(QDir::toNativeSeparators(m_path));
}

} // namespace tarvimo
