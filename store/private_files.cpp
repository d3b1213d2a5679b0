// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "private_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace tarvimo {

namespace {

constexpr QFile::Permissions ownerOnlyFolder =
    QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
constexpr QFile::Permissions ownerOnlyFile = QFile::ReadOwner | QFile::WriteOwner;
constexpr QFile::Permissions notOwner = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                        QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;

} // namespace

bool PrivateFiles::makeFolder(const QString& folder) {
    QString existing = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    QStringList missing;
    while (!QFileInfo(existing).exists()) {
        missing.prepend(QFileInfo(existing).fileName());
        existing = QFileInfo(existing).path();
    }
    QDir dir(existing);
    for (const QString& name : missing) {
        // Another process may create it at the same moment: what counts is that it is there.
        if (!dir.mkdir(name, ownerOnlyFolder) && !dir.exists(name)) {
            return false;
        }
        dir.setPath(dir.filePath(name));
    }
    return QFileInfo(folder).isDir();
}

bool PrivateFiles::makeFile(const QString& path) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly, ownerOnlyFile)) {
        return true;
    }
    if (!file.exists()) {
        return false;
    }
    // Best effort: a file we do not own keeps its permissions, and its use says the rest.
    if (file.permissions() & notOwner) {
        file.setPermissions(file.permissions() & ownerOnlyFolder);
    }
    return true;
}

} // namespace tarvimo
