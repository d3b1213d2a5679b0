// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "saved_values.h"

#include "private_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryFile>
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

// Whether the file, as a fresh QSettings object reads it from disk, holds these texts. QSettings
// keeps, for the life of the process, what it last read or wrote of a file whose size and time
// have not changed; moving the time back a second makes it read the bytes.
bool holdsOnDisk(const QString& path, const std::vector<std::pair<QString, QString>>& texts) {
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite) ||
        !file.setFileTime(QFileInfo(file).lastModified().addSecs(-1),
                          QFileDevice::FileModificationTime)) {
        return false;
    }
    file.close();
    QSettings settings(path, QSettings::IniFormat);
    settings.allKeys();
    if (settings.status() != QSettings::NoError) {
        return false;
    }
    for (const auto& [key, text] : texts) {
        const QVariant value = settings.value(key);
        if (value.typeId() != QMetaType::QString || value.toString() != text) {
            return false;
        }
    }
    return true;
}

QString sizeKey(const QString& window, const char* dimension) {
    return window + u'/' + QLatin1StringView(dimension);
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
    std::vector<std::pair<QString, QString>> texts;
    for (const FieldInfo& info : allFields()) {
        if (!info.isResult) {
            // QSettings reads a byte order mark as the start of a text, wherever a value or an
            // escape ("\t", "\"") puts it, and drops it; an invisible mark, it is not kept, so
            // that the rest can be saved.
            texts.emplace_back(
                key(info),
                QString::fromStdString(sheet.text(info.field)).remove(QChar::ByteOrderMark));
        }
    }
    return write(texts);
}

std::optional<QSize> SavedValues::windowSize(const QString& window) const {
    if (!QFileInfo::exists(m_path)) {
        return std::nullopt;
    }
    QSettings settings(m_path, QSettings::IniFormat);
    bool wide = false;
    bool high = false;
    const QSize size(settings.value(sizeKey(window, "larghezza")).toString().toInt(&wide),
                     settings.value(sizeKey(window, "altezza")).toString().toInt(&high));
    if (!wide || !high || size.width() <= 0 || size.height() <= 0) {
        return std::nullopt;
    }
    return size;
}

SavedValues::SaveStatus SavedValues::saveWindowSize(const QString& window, QSize size) const {
    return write({{sizeKey(window, "larghezza"), QString::number(size.width())},
                  {sizeKey(window, "altezza"), QString::number(size.height())}});
}

SavedValues::SaveStatus
SavedValues::write(const std::vector<std::pair<QString, QString>>& texts) const {
    if (!PrivateFiles::makeFolder(QFileInfo(m_path).path())) {
        return SaveStatus::Failed;
    }
    // Written beside the file (0600 from the start), read back, then renamed over it: QSettings
    // does not notice a short write (a disk filling up in the middle of a long text) and would
    // put a truncated file in place as saved.
    QTemporaryFile fresh(m_path + QStringLiteral(".XXXXXX"));
    if (!fresh.open()) {
        return SaveStatus::Failed;
    }
    fresh.close();
    {
        QSettings settings(fresh.fileName(), QSettings::IniFormat);
        // Keys another version keeps stay, unless the file is unreadable: then it is replaced.
        if (QFileInfo::exists(m_path)) {
            QSettings old(m_path, QSettings::IniFormat);
            Loaded ignored;
            if (readFields(old, ignored)) {
                for (const QString& key : old.allKeys()) {
                    settings.setValue(key, old.value(key));
                }
            }
        }
        for (const auto& [key, text] : texts) {
            settings.setValue(key, text);
        }
        settings.sync();
        if (settings.status() != QSettings::NoError) {
            return SaveStatus::Failed;
        }
    }
    if (!holdsOnDisk(fresh.fileName(), texts) ||
        std::rename(QFile::encodeName(fresh.fileName()).constData(),
                    QFile::encodeName(m_path).constData()) != 0) {
        return SaveStatus::Failed;
    }
    fresh.setAutoRemove(false);
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
