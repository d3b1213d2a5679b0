// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The input texts kept between runs: what a load makes of the files it may meet, and what a
// save does where it cannot write.

#include "case_name.h"
#include "saved_values.h"
#include "store_test_support.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

namespace {

using namespace tarvimo;
using namespace tarvimo::test;
using Status = SavedValues::LoadStatus;
using Texts = std::vector<std::pair<Field, std::string>>;

// QSettings keeps what it read or wrote while a file's size and time stay the same: moving the
// time makes the next load read the bytes on disk.
void forgetCache(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadWrite);
    file.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFile::FileModificationTime);
}

struct LoadCase {
    const char* what;
    QByteArray content; // null: no file
    Status status;
    Texts texts;
    bool unreadable = false;
};

class Load : public testing::TestWithParam<LoadCase> {};

TEST_P(Load, GivesWhatTheFileHolds) {
    const LoadCase& c = GetParam();
    QTemporaryDir dir;
    AsNobody::letThrough(dir.path());
    const QString path = dir.filePath(QStringLiteral("tarvimo.ini"));
    writeBytes(path, c.content);
    if (c.unreadable) {
        QFile::setPermissions(path, QFile::WriteOwner);
    }
    SavedValues::Loaded loaded;
    {
        const AsNobody nobody(c.unreadable);
        loaded = SavedValues(path).load();
    }
    EXPECT_EQ(loaded.status, c.status);
    EXPECT_EQ(loaded.texts, c.texts);
    EXPECT_EQ(readBytes(path), c.content) << "a load never writes";
}

INSTANTIATE_TEST_SUITE_P(
    Files, Load,
    testing::Values(
        LoadCase{"no file: the defaults stand", {}, Status::NothingSaved, {}},
        LoadCase{"an empty file", "", Status::NothingSaved, {}},
        LoadCase{"garbage bytes",
                 QByteArray("\x00\xff\x13\x88\n\x01=\x02\n\xfe", 10),
                 Status::Unreadable,
                 {}},
        LoadCase{"a group without its bracket", "[campi\nmassac=70\n", Status::Unreadable, {}},
        LoadCase{"a line without '=' among the fields",
                 "[campi]\nmassac=70\nxyz\n",
                 Status::Unreadable,
                 {}},
        LoadCase{"a field written as a list", "[campi]\nmassac=70, 80\n", Status::Unreadable, {}},
        LoadCase{
            "a field written as bytes", "[campi]\nmassac=@ByteArray(70)\n", Status::Unreadable, {}},
        LoadCase{"no read permission", "[campi]\nmassac=70\n", Status::Unreadable, {}, true},
        LoadCase{"two fields: only they are given",
                 "[campi]\nsceglidata=01-06-2025\nmassac=70\n",
                 Status::Loaded,
                 {{Field::massac, "70"}, {Field::sceglidata, "01-06-2025"}}},
        LoadCase{"results, unknown keys and other groups are left out",
                 "[campi]\nmostraptot=300\naltro=1\nmassabici=8\n[General]\nmassac=9\n",
                 Status::Loaded,
                 {{Field::massabici, "8"}}}));

TEST(SavedValuesRoundTrip, HostileTextsComeBackExactly) {
    const std::vector<std::string> texts = hostileTexts();
    FieldSheet sheet;
    std::size_t next = 0;
    for (const FieldInfo& info : allFields()) {
        if (!info.isResult) {
            sheet.setText(info.field, texts[next++ % texts.size()]);
        }
    }
    QTemporaryDir dir;
    const SavedValues values(dir.filePath(QStringLiteral("a/b/tarvimo.ini")));
    ASSERT_EQ(values.save(sheet), SavedValues::SaveStatus::Saved);
    EXPECT_EQ(mode(dir.filePath(QStringLiteral("a"))), 0700u);
    EXPECT_EQ(mode(values.path()), 0600u);
    forgetCache(values.path());
    const SavedValues::Loaded loaded = values.load();
    ASSERT_EQ(loaded.status, Status::Loaded);
    ASSERT_EQ(loaded.texts.size(), next);
    for (const auto& [field, text] : loaded.texts) {
        EXPECT_EQ(text, sheet.text(field)) << fieldInfo(field).name;
    }
}

// The monkey's finds: a field with U+FEFF at its start or after a tab could not be saved at all.
TEST(SavedValuesRoundTrip, ByteOrderMarksAreDroppedAndTheRestKept) {
    FieldSheet sheet;
    sheet.setText(Field::massac, "\xef\xbb\xbf"
                                 "62,5\xef\xbb\xbf");
    sheet.setText(Field::massabici, "\t\xef\xbb\xbf"
                                    "9\"\xef\xbb\xbf");
    QTemporaryDir dir;
    const SavedValues values(dir.filePath(QStringLiteral("tarvimo.ini")));
    ASSERT_EQ(values.save(sheet), SavedValues::SaveStatus::Saved);
    forgetCache(values.path());
    const auto loaded = values.load();
    const std::vector<std::pair<Field, std::string>> expected{{Field::massac, "62,5"},
                                                              {Field::massabici, "\t9\""}};
    for (const auto& pair : expected)
        EXPECT_NE(std::find(loaded.texts.begin(), loaded.texts.end(), pair), loaded.texts.end())
            << pair.second;
}

struct SaveCase {
    const char* what;
    QByteArray before; // the file's content before the save; null: no file
    std::function<void(const QString& folder)> setUp;
    SavedValues::SaveStatus status;
    bool asNobody = false;
    rlim_t fileSizeLimit = 0;
};

class Save : public testing::TestWithParam<SaveCase> {};

TEST_P(Save, ReportsAndNeverLeavesHalfAFile) {
    const SaveCase& c = GetParam();
    QTemporaryDir dir;
    AsNobody::letThrough(dir.path());
    const QString folder = dir.filePath(QStringLiteral("Tarvimo"));
    const QString path = folder + QStringLiteral("/tarvimo.ini");
    QDir().mkdir(folder);
    writeBytes(path, c.before);
    c.setUp(folder);
    FieldSheet sheet;
    sheet.setText(Field::sceglinomeciclista, std::string(65'536, 'n'));
    SavedValues::SaveStatus status;
    {
        const AsNobody nobody(c.asNobody);
        const FileSizeLimit limit(c.fileSizeLimit);
        status = SavedValues(path).save(sheet);
    }
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(status, c.status);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("tarvimo.ini")})
        << "no temporary file or lock is left";
    forgetCache(path);
    const SavedValues::Loaded loaded = SavedValues(path).load();
    if (status == SavedValues::SaveStatus::Saved) {
        EXPECT_EQ(mode(path), 0600u);
        EXPECT_EQ(loaded.status, Status::Loaded);
        EXPECT_EQ(loaded.texts.size(), 16u);
    } else {
        EXPECT_EQ(readBytes(path), c.before) << "the old file is kept whole";
    }
}

const auto nothing = [](const QString&) {};

INSTANTIATE_TEST_SUITE_P(
    Folders, Save,
    testing::Values(
        SaveCase{"a first save", {}, nothing, SavedValues::SaveStatus::Saved},
        SaveCase{"over garbage: replaced whole", "\x01\xff[campi\nxyz\n", nothing,
                 SavedValues::SaveStatus::Saved},
        SaveCase{"over a file others could read: now the owner's only", "[campi]\nmassac=70\n",
                 [](const QString& folder) {
                     QFile::setPermissions(folder + QStringLiteral("/tarvimo.ini"),
                                           QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);
                 },
                 SavedValues::SaveStatus::Saved},
        SaveCase{"a read-only folder", "[campi]\nmassac=70\n",
                 [](const QString& folder) {
                     QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner |
                                                       QFile::ReadOther | QFile::ExeOther);
                 },
                 SavedValues::SaveStatus::Failed, true},
        SaveCase{"a full disk", "[campi]\nmassac=70\n", nothing, SavedValues::SaveStatus::Failed,
                 false, 4096},
        SaveCase{"a full disk, over garbage", "\x01\xff[campi\nxyz\n", nothing,
                 SavedValues::SaveStatus::Failed, false, 4096}));

struct SizeCase {
    const char* what;
    QByteArray before;          // null: no file
    std::optional<QSize> saved; // saved through saveWindowSize, then the inputs saved too
    std::optional<QSize> read;
};

class WindowSize : public testing::TestWithParam<SizeCase> {};

TEST_P(WindowSize, IsKeptBesideTheInputsAndWhatElseTheFileHolds) {
    const SizeCase& c = GetParam();
    QTemporaryDir dir;
    const SavedValues values(dir.filePath(QStringLiteral("tarvimo.ini")));
    writeBytes(values.path(), c.before);
    FieldSheet sheet;
    sheet.setText(Field::massac, "71");
    if (c.saved) {
        ASSERT_EQ(values.saveWindowSize(QStringLiteral("diario"), *c.saved),
                  SavedValues::SaveStatus::Saved);
        ASSERT_EQ(values.save(sheet), SavedValues::SaveStatus::Saved);
        EXPECT_EQ(mode(values.path()), 0600u);
        forgetCache(values.path());
        EXPECT_EQ(values.load().status, Status::Loaded);
        EXPECT_TRUE(readBytes(values.path()).contains("altro=1") || !c.before.contains("altro"))
            << "a key of another version stays";
    }
    EXPECT_EQ(values.windowSize(QStringLiteral("diario")), c.read);
    EXPECT_EQ(values.windowSize(QStringLiteral("guida")), std::nullopt) << "each its own group";
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, WindowSize,
    testing::Values(SizeCase{"no file: no size", {}, std::nullopt, std::nullopt},
                    SizeCase{"saved, then the inputs saved: both kept",
                             "[campi]\nmassac=70\naltro=1\n", QSize(900, 640), QSize(900, 640)},
                    SizeCase{"saved over a size kept before",
                             "[diario]\nlarghezza=10\naltezza=20\n", QSize(800, 500),
                             QSize(800, 500)},
                    SizeCase{"written by hand, not a number",
                             "[diario]\nlarghezza=ampia\naltezza=300\n", std::nullopt,
                             std::nullopt},
                    SizeCase{"written by hand, no height", "[diario]\nlarghezza=300\n",
                             std::nullopt, std::nullopt},
                    SizeCase{"written by hand, negative", "[diario]\nlarghezza=-3\naltezza=300\n",
                             std::nullopt, std::nullopt}));

TEST(SavedValuesPath, IsInTheConfigFolder) {
    EXPECT_EQ(SavedValues::defaultPath(),
              qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Tarvimo/tarvimo.ini"));
}

} // namespace
