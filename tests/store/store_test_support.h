// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <csignal>
#include <string>
#include <sys/fsuid.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace tarvimo::test {

// Root may read and write any file: while one lives, this thread's file access is nobody's
// (user and group), so that permissions count. access(), and so QFileInfo::exists(), still
// answers for root.
class AsNobody {
public:
    explicit AsNobody(bool wanted = true) : m_root(wanted && geteuid() == 0) {
        if (m_root) {
            setfsgid(65534);
            setfsuid(65534);
        }
    }
    ~AsNobody() {
        if (m_root) {
            setfsuid(0);
            setfsgid(0);
        }
    }
    // Lets nobody pass through a folder of root's (o+x), to reach the files under it.
    static void letThrough(const QString& folder) {
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                          QFile::ExeOther);
    }
    AsNobody(const AsNobody&) = delete;
    AsNobody& operator=(const AsNobody&) = delete;

private:
    bool m_root;
};

// A full disk for this process: writes past `bytes` fail (EFBIG), as they would with no room;
// 0 sets no limit.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        if (bytes == 0) {
            return;
        }
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, m_saved.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_saved{};
    void (*m_handler)(int) = SIG_DFL;
};

// Null bytes: no file.
inline void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!bytes.isNull() && file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(bytes);
    }
}

inline QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Texts that quoting, escaping or encoding could spoil: SQL, INI syntax, LIKE's wildcards, the
// longest text a field takes and more, right-to-left, emoji joined by ZWJ, a NUL, blanks.
inline std::vector<std::string> hostileTexts() {
    return {"",
            "  60  ",
            "\"'`",
            "'); DROP TABLE salite; --",
            "a, b",
            "[campi]\nmassac=1",
            ";=\\#%_",
            "@ByteArray(x)",
            "@Variant(\\0)",
            std::string(65'537, 'x') + "\xc3\xa9",
            "\xd8\xb9\xd8\xb1\xd8\xa8\xd9\x8a \xe2\x80\xae abc",
            "\xf0\x9f\x9a\xb4\xe2\x80\x8d\xe2\x99\x80\xef\xb8\x8f",
            std::string("nul\0in", 6),
            "\t\r\n",
            "citt\xc3\xa0 \xc3\xa8 pi\xc3\xb9"};
}

// The permission bits, as ls shows them.
inline unsigned mode(const QString& path) {
    struct stat status {};
    return stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & 0777 : 0;
}

} // namespace tarvimo::test
