// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "modal_helper.h"
#include "windows/help_window.h"
#include "windows/main_window.h"

#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using tarvimo::Field;
using tarvimo::MainWindow;
using tarvimo::NumberSettings;

namespace {

const QList<QPair<const char*, QString>>& nastyInputs() {
    static const QList<QPair<const char*, QString>> inputs{
        {"empty", QString()},
        {"blank", QStringLiteral("   ")},
        {"negative", QStringLiteral("-60")},
        {"zero", QStringLiteral("0")},
        {"beyond the double range", QStringLiteral("1e400")},
        {"largest double", QStringLiteral("1.7976931348623157e308")},
        {"tiny", QStringLiteral("1e-320")},
        {"letters", QStringLiteral("abc")},
        {"comma and point", QStringLiteral("1.234,5")},
        {"control characters", QStringLiteral("\x01\x1b[2J\r\n\t7")},
        {"a NUL in the middle", QString(QStringLiteral("4\0"
                                                       "5"))},
        {"emoji and accents", QStringLiteral("🚴 è ù")},
        {"huge text", QString(200000, QLatin1Char('9'))},
        {"huge blank text then a number", QString(200000, QLatin1Char(' ')) + QStringLiteral("26")},
    };
    return inputs;
}

} // namespace

// Whatever the user types into whatever field, "Calcola" either fills the eleven results or
// shows one Italian message, and the program goes on.
class RobustnessTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { Q_INIT_RESOURCE(tarvimo); }

    void anyInputInAnyField_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("input");
        for (const auto& info : tarvimo::allFields()) {
            for (const auto& [what, input] : nastyInputs()) {
                const QString name = QString::fromUtf8(info.name.data(), info.name.size());
                QTest::addRow("%s: %s", qPrintable(name), what) << name << input;
            }
        }
    }
    void anyInputInAnyField() {
        QFETCH(QString, field);
        QFETCH(QString, input);
        MainWindow window(NumberSettings::italian());
        window.show();
        auto* box = window.findChild<QLineEdit*>(field);
        QVERIFY(box);
        box->setText(input); // as the program writes, beyond the paste limit too
        const QString typed = box->text();

        tarvimo::testing::MessageBoxCloser closer;
        QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("pulsantecalcola")),
                          Qt::LeftButton);
        QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);

        QVERIFY(closer.texts().size() <= 1);
        const bool failed = closer.texts().size() == 1;
        if (failed) {
            QCOMPARE(closer.icons().first(), QMessageBox::Critical);
            QVERIFY2(closer.texts().first().contains(QStringLiteral("Calcolo interrotto")),
                     qPrintable(closer.texts().first()));
        }
        for (const auto& info : tarvimo::allFields()) {
            const QString text = window.edit(info.field)->text();
            QVERIFY2(!text.contains(QStringLiteral("Inf")) && !text.contains(QStringLiteral("NaN")),
                     qPrintable(text));
            if (info.isResult && !failed) {
                QVERIFY2(!text.isEmpty(), info.name.data());
            }
        }
        // Nothing the user typed is lost, beyond "," becoming "." where the calculation reads.
        if (!tarvimo::fieldInfo(*tarvimo::findField(field.toStdString())).isResult) {
            QString normalised = typed;
            normalised.replace(QLatin1Char(','), QLatin1Char('.'));
            QVERIFY(box->text() == typed || box->text() == normalised);
        }
        QVERIFY(window.isVisible());
    }

    // A paste too long for a box is refused before the box takes it, whichever box; the user
    // is told why and can go on and calculate with what the box had.
    void hugePasteIntoAnyInput_data() {
        QTest::addColumn<QString>("field");
        for (const auto& info : tarvimo::allFields())
            if (!info.isResult)
                QTest::newRow(info.name.data()) << QString::fromUtf8(info.name.data());
    }
    void hugePasteIntoAnyInput() {
        QFETCH(QString, field);
        MainWindow window(NumberSettings::italian());
        window.show();
        auto* box = window.findChild<QLineEdit*>(field);
        const QString before = box->text();
        QApplication::clipboard()->setText(QString(10 * 1024 * 1024, QLatin1Char('9')));
        tarvimo::testing::MessageBoxCloser closer;
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QTRY_COMPARE(closer.texts().size(), 1);
        QVERIFY(closer.texts().first().contains(QStringLiteral("10.485.760")));
        QCOMPARE(box->text(), before);
        QVERIFY(!box->isUndoAvailable());
        QApplication::clipboard()->clear();
    }

    void keyboardAlone_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("check");
        QTest::newRow("space on Calcola calculates") << "pulsantecalcola"
                                                     << "mostraptot";
        QTest::newRow("space on ? opens the help") << "Command1"
                                                   << "help";
    }
    void keyboardAlone() {
        QFETCH(QString, button);
        QFETCH(QString, check);
        MainWindow window(NumberSettings::italian());
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        // Walk with Tab to the button, as a keyboard user would.
        for (int steps = 0; steps < 40; ++steps) {
            if (QApplication::focusWidget()->objectName() == button) {
                break;
            }
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(QApplication::focusWidget()->objectName(), button);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        if (check == QStringLiteral("help")) {
            QVERIFY(window.helpWindow() && window.helpWindow()->isVisible());
            delete window.helpWindow();
        } else {
            QCOMPARE(window.findChild<QLineEdit*>(check)->text(), QStringLiteral("234,6"));
        }
    }
};

QTEST_MAIN(RobustnessTest)
#include "robustness_test.moc"
