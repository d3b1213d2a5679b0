// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// "Importa salita" driven as a user would: a generated ride opened from the main window, the
// handles moved with keys, the window closed with Enter or Escape, the fields read back.

#include "climb_estimate.h"
#include "modal_helper.h"
#include "ride/ride_messages.h"
#include "ride_file.h"
#include "windows/main_window.h"

#include <QAccessible>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace tarvimo;

namespace {

// The times a generated ride carries.
enum class Times { Every3s, None, Placeholder, Before1990 };

// Points 10 m apart at `elevations`, by default 200 climbing at 8 % from 100 m; 3 s a point from
// noon, or else `times`.
QByteArray climbTcx(Times times, QList<double> elevations = {}) {
    for (int i = 0; i < 200 && elevations.size() == i; ++i)
        elevations.append(100.0 + i * 0.8);
    QByteArray points;
    const QDateTime noon(times == Times::Before1990 ? QDate(1985, 6, 14) : QDate(2026, 6, 14),
                         QTime(12, 0), Qt::UTC);
    for (int i = 0; i < elevations.size(); ++i) {
        const double elevation = elevations[i];
        // The smallest 32-bit time, which some exporters write on every point.
        const QByteArray at = times == Times::Placeholder
                                  ? QByteArray("1901-12-13T20:45:52Z")
                                  : noon.addSecs(3 * i).toString(Qt::ISODate).toLatin1();
        const QByteArray time = times == Times::None ? QByteArray() : "<Time>" + at + "</Time>";
        points += "<Trackpoint>" + time + "<Position><LatitudeDegrees>" +
                  QByteArray::number(45 + i * 9e-5, 'f', 6) +
                  "</LatitudeDegrees><LongitudeDegrees>9</LongitudeDegrees></Position>"
                  "<AltitudeMeters>" +
                  QByteArray::number(elevation) + "</AltitudeMeters><DistanceMeters>" +
                  QByteArray::number(i * 10) + "</DistanceMeters></Trackpoint>\n";
    }
    return "<?xml version=\"1.0\"?>\n<TrainingCenterDatabase "
           "xmlns=\"http://www.garmin.com/xmlschemas/TrainingCenterDatabase/v2\">"
           "<Activities><Activity Sport=\"Biking\"><Lap><Track>\n" +
           points + "</Track></Lap></Activity></Activities></TrainingCenterDatabase>\n";
}

bool writeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

using Keys = QList<QKeyCombination>;

const Field written[] = {Field::sceglilunghezza, Field::sceglidislivello, Field::scegliminuti,
                         Field::sceglisecondi,   Field::sceglidata,       Field::sceglinomebici};

} // namespace

class ImportWindowTest : public QObject {
    Q_OBJECT

private slots:
    void opensRide_data();
    void opensRide();
    void opensDamagedFit_data();
    void opensDamagedFit();
    void estimateIsCalculated_data();
    void estimateIsCalculated();
    void choosesClimbFromList();
    void closeWaitsForTheRide();
    void dropOnTextBox();
    void cancelsLongRead_data();
    void cancelsLongRead();
    void refusesBadFile_data();
    void refusesBadFile();
    void messageNamesFile_data();
    void messageNamesFile();

private:
    QTemporaryDir m_dir;
};

void ImportWindowTest::opensRide_data() {
    QTest::addColumn<Times>("times");
    QTest::addColumn<QString>("handle"); // objectName of the handle the keys go to
    QTest::addColumn<Keys>("keys");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("distance");   // the figure shown
    QTest::addColumn<QStringList>("fields"); // the six written fields afterwards
    QTest::addColumn<QString>("note");       // a part of the note, or empty for none

    const QString start = QStringLiteral("inizioSalita");
    const QString end = QStringLiteral("fineSalita");
    const QString name = QStringLiteral("Passo dè Prova");
    QTest::newRow("the proposed climb, the whole ride, accepted with Enter")
        << Times::Every3s << start << Keys{} << true << QStringLiteral("1,99 km")
        << QStringList{"1990", "159", "9", "57", "14-06-2026", name} << QString();
    QTest::newRow("Left takes the end 100 m back")
        << Times::Every3s << end << Keys{Qt::Key_Left} << true << QStringLiteral("1,89 km")
        << QStringList{"1890", "151", "9", "27", "14-06-2026", name} << QString();
    QTest::newRow("Shift+Right takes the start one point on")
        << Times::Every3s << start << Keys{Qt::ShiftModifier | Qt::Key_Right} << true
        << QStringLiteral("1,98 km") << QStringList{"1980", "158", "9", "54", "14-06-2026", name}
        << QString();
    QTest::newRow("Page Up twice on the start stops one point before the end")
        << Times::Every3s << start << Keys{Qt::Key_PageUp, Qt::Key_PageUp} << true
        << QStringLiteral("0,01 km") << QStringList{"10", "1", "0", "03", "14-06-2026", name}
        << QString();
    QTest::newRow("Page Down on the end goes back 1 km, Home on it stops one point on")
        << Times::Every3s << end << Keys{Qt::Key_PageDown, Qt::Key_Home} << true
        << QStringLiteral("0,01 km") << QStringList{"10", "1", "0", "03", "14-06-2026", name}
        << QString();
    QTest::newRow("Escape changes nothing")
        << Times::Every3s << end << Keys{Qt::Key_PageDown} << false << QStringLiteral("0,99 km")
        << QStringList{"5100", "460", "24", "00", "25-08-2002", "Nome Salita"} << QString();
    QTest::newRow("a route without times: distance, gain and name; time and date kept")
        << Times::None << start << Keys{} << true << QStringLiteral("1,99 km")
        << QStringList{"1990", "159", "24", "00", "25-08-2002", name}
        << QStringLiteral("non ha i tempi");
    QTest::newRow("one placeholder time on every point: no 0-second climb, no 1901 date")
        << Times::Placeholder << start << Keys{} << true << QStringLiteral("1,99 km")
        << QStringList{"1990", "159", "24", "00", "25-08-2002", name}
        << QStringLiteral("I tempi del file non avanzano");
    QTest::newRow("times from 1985: the time is written, the date is no ride's")
        << Times::Before1990 << start << Keys{} << true << QStringLiteral("1,99 km")
        << QStringList{"1990", "159", "9", "57", "25-08-2002", name} << QString();
}

void ImportWindowTest::opensRide() {
    QFETCH(Times, times);
    QFETCH(QString, handle);
    QFETCH(Keys, keys);
    QFETCH(bool, accept);
    QFETCH(QString, distance);
    QFETCH(QStringList, fields);
    QFETCH(QString, note);

    const QString path = m_dir.filePath(QStringLiteral("Passo dè Prova.tcx"));
    QVERIFY(writeFile(path, climbTcx(times)));

    MainWindow window(NumberSettings::italian());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.edit(Field::massac)->setFocus();
    QString shown;
    QString noted;
    QString spoken;
    testing::onNextModal([&](QWidget* modal) {
        auto* target = modal->findChild<QWidget*>(handle);
        for (const QKeyCombination key : keys)
            QTest::keyClick(target, key.key(), key.keyboardModifiers());
        shown = modal->findChild<QLabel*>(QStringLiteral("distanza"))->text();
        QAccessibleInterface* slider = QAccessible::queryAccessibleInterface(target);
        spoken =
            slider->role() == QAccessible::Slider ? slider->text(QAccessible::Value) : QString();
        if (auto* label = modal->findChild<QLabel*>(QStringLiteral("nota")))
            noted = label->text();
        QTest::keyClick(target, accept ? Qt::Key_Return : Qt::Key_Escape);
    });
    window.openRide(path);

    QCOMPARE(shown, distance);
    QVERIFY2(QRegularExpression(QStringLiteral("^km \\d+,\\d, \\d+ m$")).match(spoken).hasMatch(),
             qPrintable(spoken));
    QVERIFY2(note.isEmpty() ? noted.isEmpty() : noted.contains(note), qPrintable(noted));
    for (std::size_t i = 0; i < std::size(written); ++i)
        QCOMPARE(window.edit(written[i])->text(), fields[qsizetype(i)]);
    QCOMPARE(window.edit(Field::mostraptot)->text(), QString()); // nothing calculated
    QCOMPARE(window.focusWidget(), window.edit(Field::massac));
    // A diary entry names the file and the stretch chosen, until the length is typed over.
    const DiaryEntry entry = window.diaryEntry(0);
    QCOMPARE(QString::fromStdString(entry.rideFile),
             accept ? QStringLiteral("Passo dè Prova.tcx") : QString());
    QCOMPARE(accept ? entry.stretchTo - entry.stretchFrom : -1.0,
             accept ? fields[0].toDouble() : -1.0);
    window.edit(Field::sceglilunghezza)->setText(QStringLiteral("1000"));
    QVERIFY(window.diaryEntry(0).rideFile.empty());
}

void ImportWindowTest::opensDamagedFit_data() {
    QTest::addColumn<QString>("damage"); // make_fit.py --damage
    QTest::addColumn<int>("points");     // read, one a second from 08:00:00 UTC
    QTest::newRow("cut short mid-record: read up to the cut") << "cut" << 30;
    QTest::newRow("a wrong final CRC: every record read") << "crc" << 60;
    QTest::newRow("a record no definition explains: read up to it") << "record" << 30;
}

// A head unit that lost power: the ride opens with a note, and the climb fills the fields.
void ImportWindowTest::opensDamagedFit() {
    QFETCH(QString, damage);
    QFETCH(int, points);
    if (QStandardPaths::findExecutable(QStringLiteral("gpsbabel")).isEmpty())
        QSKIP("gpsbabel is not installed");
    const QString path = m_dir.filePath(QStringLiteral("interrotta-%1.fit").arg(damage));
    QCOMPARE(QProcess::execute(QStringLiteral("python3"),
                               {QStringLiteral(TARVIMO_SOURCE_DIR "/scripts/make_fit.py"), path,
                                QStringLiteral("--damage"), damage}),
             0);
    MainWindow window(NumberSettings::italian());
    window.show();
    QString noted;
    testing::onNextModal([&](QWidget* modal) {
        noted = modal->findChild<QLabel*>(QStringLiteral("nota"))->text();
        QTest::keyClick(modal, Qt::Key_Return);
    });
    window.openRide(path);
    const QString last = QDateTime::fromSecsSinceEpoch(1717228800 + points - 1, Qt::UTC)
                             .toLocalTime()
                             .toString(QStringLiteral("HH:mm:ss"));
    QCOMPARE(noted.section(u'\n', 0, 0),
             QStringLiteral("Il file è danneggiato o interrotto: sono state lette %1 posizioni, "
                            "fino alle %2.")
                 .arg(points)
                 .arg(last));
    QVERIFY(window.edit(Field::sceglilunghezza)->text() != QStringLiteral("5100"));
    QCOMPARE(window.edit(Field::sceglidata)->text(), QStringLiteral("01-06-2024"));
}

void ImportWindowTest::estimateIsCalculated_data() {
    QTest::addColumn<Times>("times");
    QTest::addColumn<QString>("target"); // typed as the target power
    QTest::addColumn<Field>("field");    // a field given a text beyond any number, or
    QTest::addColumn<bool>("faulty");    // left as it is
    QTest::newRow("a ride with times: Calcola gives the estimate shown")
        << Times::Every3s << QString() << Field::massac << false;
    QTest::newRow("a route without times: the sheet's time, Calcola gives the estimate shown")
        << Times::None << QString() << Field::massac << false;
    QTest::newRow("a route without times at 250 W: the predicted time gives 250 W to a second")
        << Times::None << QStringLiteral("250") << Field::massac << false;
    QTest::newRow("a mass beyond any number: no estimate, the field named")
        << Times::Every3s << QString() << Field::massac << true;
    QTest::newRow("no times and the sheet's seconds beyond any number: that field named")
        << Times::None << QString() << Field::sceglisecondi << true;
}

// What the window shows is what the main window calculates once the climb is used.
void ImportWindowTest::estimateIsCalculated() {
    QFETCH(Times, times);
    QFETCH(QString, target);
    QFETCH(Field, field);
    QFETCH(bool, faulty);
    const QString path = m_dir.filePath(QStringLiteral("stima.tcx"));
    QVERIFY(writeFile(path, climbTcx(times)));
    MainWindow window(NumberSettings::italian());
    if (faulty)
        window.edit(field)->setText(QStringLiteral("1e999"));
    QString shown, why;
    testing::onNextModal([&](QWidget* modal) {
        QTest::keyClicks(modal->findChild<QLineEdit*>(QStringLiteral("potenzaObiettivo")), target);
        const auto* estimate = modal->findChild<QLabel*>(QStringLiteral("potenzaStimata"));
        shown = estimate->text();
        why = QAccessible::queryAccessibleInterface(const_cast<QLabel*>(estimate))
                  ->text(QAccessible::Description);
        QTest::keyClick(modal, Qt::Key_Return);
    });
    window.openRide(path);
    if (faulty) {
        QCOMPARE(shown, QStringLiteral("—"));
        QVERIFY2(why.contains(window.edit(field)->accessibleName()), qPrintable(why));
        return;
    }
    window.calculate();
    const double total =
        localeNumber(window.sheet().text(Field::mostraptot).c_str(), NumberSettings::italian());
    if (target.isEmpty()) {
        QCOMPARE(shown, QStringLiteral("%1 W").arg(std::lround(total)));
        return;
    }
    const auto power = [&](double seconds) {
        return *estimateTotalPower(window.sheet(), NumberSettings::italian(), 1990, 159, seconds)
                    .watts;
    };
    const double seconds = window.edit(Field::scegliminuti)->text().toDouble() * 60 +
                           window.edit(Field::sceglisecondi)->text().toDouble();
    QVERIFY2(std::abs(total - 250) <= power(seconds - 1) - power(seconds + 1),
             qPrintable(QString::number(total)));
}

// Two climbs: Down in the list takes the handles from the proposed first to the second, Enter
// uses it; a handle moved by hand leaves no row chosen.
// The main window closed while "Importa salita" is open (its close comes before the window's
// own loop has ended): the request is kept, and the window closes once the ride is done.
void ImportWindowTest::closeWaitsForTheRide() {
    const QString path = m_dir.filePath(QStringLiteral("chiusa.tcx"));
    QVERIFY(writeFile(path, climbTcx(Times::Every3s)));
    MainWindow window(NumberSettings::italian());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    bool stayedOpen = false;
    testing::onNextModal([&](QWidget* modal) {
        window.close();
        stayedOpen = window.isVisible();
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    window.openRide(path);
    QVERIFY(stayedOpen);
    QVERIFY(!window.isVisible());
}

void ImportWindowTest::choosesClimbFromList() {
    QList<double> elevations;
    double at = 100;
    for (const auto& [points, rise] :
         {std::pair{50, 0.0}, {200, 0.8}, {150, -0.8}, {50, 0.0}, {150, 0.6}, {30, 0.0}}) {
        for (int i = 0; i < points; ++i)
            elevations.append(at += rise);
    }
    const QString path = m_dir.filePath(QStringLiteral("due salite.tcx"));
    QVERIFY(writeFile(path, climbTcx(Times::Every3s, elevations)));
    MainWindow window(NumberSettings::italian());
    QStringList rows;
    QString spoken, shown;
    int proposed = -1, afterLeft = 0;
    testing::onNextModal([&](QWidget* modal) {
        auto* list = modal->findChild<QListWidget*>(QStringLiteral("salite"));
        for (int i = 0; i < list->count(); ++i)
            rows << list->item(i)->text();
        proposed = list->currentRow();
        QTest::keyClick(list, Qt::Key_Down);
        spoken = QAccessible::queryAccessibleInterface(list)->child(1)->text(QAccessible::Name);
        shown = modal->findChild<QLabel*>(QStringLiteral("distanza"))->text();
        QTest::keyClick(modal->findChild<QWidget*>(QStringLiteral("fineSalita")), Qt::Key_Left);
        afterLeft = list->currentRow();
        QTest::keyClick(list, Qt::Key_Down); // from no row: the first
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Return);
    });
    window.openRide(path);
    QCOMPARE(rows.size(), 2);
    QCOMPARE(proposed, 0); // the climb to the highest point
    QCOMPARE(spoken, rows[1]);
    QCOMPARE(afterLeft, -1);
    const QString length = window.edit(Field::sceglilunghezza)->text();
    QCOMPARE(shown,
             QStringLiteral("%1 km").arg(length.toDouble() / 1000, 0, 'f', 2).replace(u'.', u','));
    QVERIFY2(rows[1].contains(QStringLiteral(" · %1 km · ")
                                  .arg(length.toDouble() / 1000, 0, 'f', 1)
                                  .replace(u'.', u',')),
             qPrintable(rows[1]));
}

// A file dropped on a text box opens the ride; its address never becomes the box's text.
void ImportWindowTest::dropOnTextBox() {
    const QString path = m_dir.filePath(QStringLiteral("Passo dè Prova.tcx"));
    QVERIFY(writeFile(path, climbTcx(Times::Every3s)));
    MainWindow window(NumberSettings::italian());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QLineEdit* box = window.edit(Field::massac);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    data.setText(QUrl::fromLocalFile(path).toString());
    const QPoint at = box->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box, &enter);
    QVERIFY(enter.isAccepted()); // by the window, on the box's behalf
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    testing::onNextModal([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Return); });
    QApplication::sendEvent(box, &drop);
    QTRY_COMPARE(window.edit(Field::sceglilunghezza)->text(), QStringLiteral("1990"));
    QCOMPARE(box->text(), QStringLiteral("60"));
}

void ImportWindowTest::cancelsLongRead_data() {
    QTest::addColumn<bool>("escape");
    QTest::newRow("\"Annulla\" stops gpsbabel and changes nothing") << false;
    QTest::newRow("Escape stops gpsbabel and changes nothing") << true;
}

// A FIT ride through a gpsbabel that never answers: the progress dialog comes, and cancelling
// it ends the read well before gpsbabel's own time limit.
void ImportWindowTest::cancelsLongRead() {
    QFETCH(bool, escape);
    const QString babel = m_dir.filePath(QStringLiteral("gpsbabel-lento"));
    QVERIFY(writeFile(babel, "#!/bin/sh\nexec sleep 120\n"));
    QFile::setPermissions(babel, QFile::permissions(babel) | QFileDevice::ExeOwner);
    const QString fit = m_dir.filePath(QStringLiteral("lunga.fit"));
    QVERIFY(writeFile(fit, QByteArray("\x0e\x10\0\0\0\0\0\0.FIT\0\0", 14))); // a FIT header
    qputenv("TARVIMO_GPSBABEL", babel.toLocal8Bit());

    MainWindow window(NumberSettings::italian());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QString shown;
    testing::onNextModal([&](QWidget* modal) {
        shown = modal->objectName();
        if (escape)
            QTest::keyClick(modal, Qt::Key_Escape);
        else
            modal->findChild<QPushButton*>()->click();
    });
    testing::MessageBoxCloser closer;
    QElapsedTimer clock;
    clock.start();
    window.openRide(fit);
    qunsetenv("TARVIMO_GPSBABEL");

    QCOMPARE(shown, QStringLiteral("letturaTraccia"));
    QVERIFY2(clock.elapsed() < 30000, "the read went on after it was cancelled");
    QCOMPARE(closer.texts(), QStringList());
    QCOMPARE(window.edit(Field::sceglilunghezza)->text(), QStringLiteral("5100"));
}

void ImportWindowTest::refusesBadFile_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("says");
    QTest::newRow("an empty file") << "vuoto.gpx" << QByteArray() << "è vuoto";
    QTest::newRow("random bytes named .gpx")
        << "rumore.gpx" << QByteArray("\x89PNG\r\n\x1a\n\0\0garbage", 18) << "non è una traccia";
    QTest::newRow("XML cut off half-way")
        << "tagliato.gpx" << QByteArray("<?xml version=\"1.0\"?>\n<gpx><trk><trkseg>\n<trkpt")
        << "interrotto alla riga";
    QTest::newRow("a file that is not there") << "assente.gpx" << QByteArray("-") << "non esiste";
}

void ImportWindowTest::refusesBadFile() {
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, says);
    const QString path = m_dir.filePath(name);
    if (content != "-")
        QVERIFY(writeFile(path, content));
    MainWindow window(NumberSettings::italian());
    window.show();
    testing::MessageBoxCloser closer;
    window.openRide(path);
    QCOMPARE(closer.texts().size(), 1);
    QVERIFY2(closer.texts().front().contains(path), qPrintable(closer.texts().front()));
    QVERIFY2(closer.texts().front().contains(says), qPrintable(closer.texts().front()));
    QCOMPARE(window.edit(Field::sceglilunghezza)->text(), QStringLiteral("5100"));
}

void ImportWindowTest::messageNamesFile_data() {
    QTest::addColumn<int>("error");
    for (int e = int(RideError::NotFound); e <= int(RideError::OutOfMemory); ++e) {
        if (RideError(e) != RideError::Cancelled)
            QTest::addRow("error %d names the file and the line", e) << e;
    }
}

void ImportWindowTest::messageNamesFile() {
    QFETCH(int, error);
    RideFile file;
    file.error = RideError(error);
    file.line = 4321;
    const QString path = QStringLiteral("/tmp/una cartella/Salita ò.gpx");
    const QString text = rideErrorMessage(file, path);
    QVERIFY2(text.contains(QStringLiteral("«") + path + QStringLiteral("»")), qPrintable(text));
    const RideError placed[] = {RideError::Malformed, RideError::Truncated,
                                RideError::BadCoordinates, RideError::BadNumber};
    if (std::find(std::begin(placed), std::end(placed), file.error) != std::end(placed))
        QVERIFY2(text.contains(QStringLiteral("alla riga 4.321")), qPrintable(text));
}

QTEST_MAIN(ImportWindowTest)
#include "import_window_test.moc"
