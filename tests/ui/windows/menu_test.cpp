// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window's menu bar driven from the keyboard, as a user would: each item by its
// shortcut, or from its menu where it has none.

#include "modal_helper.h"
#include "windows/help_window.h"
#include "windows/main_menu.h"
#include "windows/main_window.h"

#include <QAction>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QPrinterInfo>
#include <QPushButton>
#include <QtTest>
#include <functional>
#include <optional>

using namespace Qt::StringLiterals;
using tarvimo::Field;
using tarvimo::MainWindow;
using tarvimo::NumberSettings;

namespace {

// What a row does to the window before the key, and what it finds afterwards.
using Check = std::function<void(MainWindow&, const QStringList& messages)>;

QString text(const MainWindow& window, Field field) {
    return window.edit(field)->text();
}

} // namespace

Q_DECLARE_METATYPE(Check)

class MenuTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { Q_INIT_RESOURCE(tarvimo); }

    void itemsReachTheirCommands_data() {
        QTest::addColumn<QString>("action"); // objectName
        QTest::addColumn<QString>("typed");  // into the time's minutes first, if not empty
        QTest::addColumn<QString>("modal");  // class of the dialog expected, or empty
        QTest::addColumn<int>("answer");     // the button that closes a question
        QTest::addColumn<Check>("check");
        const auto calculated = [](MainWindow& w, const QStringList& messages) {
            QCOMPARE(text(w, Field::mostraptot), u"234,6"_s);
            QCOMPARE(messages, QStringList()); // the module as it is says nothing
        };
        QTest::newRow("Ctrl+O asks for a ride file")
            << u"apriTraccia"_s << QString() << u"QFileDialog"_s << 0 << Check();
        QTest::newRow("Ctrl+S calculates before it saves to the diary")
            << u"salvaNelDiario"_s << QString() << QString() << 0 << Check(calculated);
        QTest::newRow("Ctrl+S with a time of 0: the calculation's message, nothing saved")
            << u"salvaNelDiario"_s << u"0"_s << QString() << 0
            << Check([](MainWindow& w, const QStringList& messages) {
                   QCOMPARE(messages.size(), 1);
                   QVERIFY2(messages[0].contains(u"Divisione per zero"_s), qPrintable(messages[0]));
                   QCOMPARE(text(w, Field::scegliminuti), u"0"_s);
               });
        QTest::newRow("Ctrl+P prints, offering a PDF where there is no printer")
            << u"stampaPagina"_s << QString() << u"QMessageBox"_s << int(QMessageBox::No)
            << Check();
        QTest::newRow("Ctrl+D opens the diary; the module as it is shows nothing")
            << u"mostraDiario"_s << QString() << QString() << 0
            << Check([](MainWindow& w, const QStringList& messages) {
                   QCOMPARE(messages, QStringList());
                   QVERIFY(w.isVisible());
               });
        QTest::newRow("F1 opens the help") << u"guida"_s << QString() << QString() << 0
                                           << Check([](MainWindow& w, const QStringList&) {
                                                  QVERIFY(w.helpWindow()->isVisible());
                                              });
        QTest::newRow("Valori iniziali, answered No, changes nothing")
            << u"valoriIniziali"_s << u"7"_s << u"QMessageBox"_s << int(QMessageBox::No)
            << Check([](MainWindow& w, const QStringList&) {
                   QCOMPARE(text(w, Field::scegliminuti), u"7"_s);
               });
        QTest::newRow("Valori iniziali, answered Yes, puts the defaults back, results emptied")
            << u"valoriIniziali"_s << u"7"_s << u"QMessageBox"_s << int(QMessageBox::Yes)
            << Check([](MainWindow& w, const QStringList&) {
                   for (const auto& info : tarvimo::allFields())
                       QCOMPARE(text(w, info.field).toStdString(), std::string(info.defaultText));
               });
        QTest::newRow("Informazioni names version, licence and contact")
            << u"informazioni"_s << QString() << u"QMessageBox"_s << int(QMessageBox::Ok)
            << Check();
        QTest::newRow("Ctrl+Q closes the window")
            << u"esci"_s << QString() << QString() << 0
            << Check([](MainWindow& w, const QStringList&) { QVERIFY(!w.isVisible()); });
    }
    void itemsReachTheirCommands() {
        QFETCH(QString, action);
        QFETCH(QString, typed);
        QFETCH(QString, modal);
        QFETCH(int, answer);
        QFETCH(Check, check);
        if (action == u"stampaPagina" && !QPrinterInfo::defaultPrinter().isNull())
            QSKIP("a default printer is installed here");
        MainWindow window(NumberSettings::italian());
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        if (!typed.isEmpty()) {
            window.calculate();
            window.edit(Field::scegliminuti)->setText(typed);
        }
        auto* item = window.findChild<QAction*>(action);
        QVERIFY(item);

        QString opened;
        QString said;
        if (!modal.isEmpty()) {
            tarvimo::testing::onNextModal([&](QWidget* dialog) {
                opened = QString::fromLatin1(dialog->metaObject()->className());
                if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
                    said = box->text() + box->informativeText();
                    box->button(QMessageBox::StandardButton(answer))->click();
                } else {
                    qobject_cast<QDialog*>(dialog)->reject();
                }
            });
        }
        std::optional<tarvimo::testing::MessageBoxCloser> others; // where none is expected
        if (modal.isEmpty())
            others.emplace();
        if (item->shortcut().isEmpty()) {
            item->trigger(); // as from its menu
        } else {
            // The shortcut works from a text box, which has the focus at start.
            const QKeyCombination key = item->shortcut()[0];
            QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
        }
        QCOMPARE(opened, modal);
        if (action == u"informazioni") {
            for (const QString& part :
                 {u"" TARVIMO_VERSION ""_s, u"GPL-3.0-or-later"_s, u"" TARVIMO_CONTACT ""_s})
                QVERIFY2(said.contains(part), qPrintable(said));
        }
        if (check)
            check(window, others ? others->texts() : QStringList());
    }

    // Each menu opens with Alt and its letter, and no letter is taken twice.
    void menusOpenWithAlt() {
        MainWindow window(NumberSettings::italian());
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QSet<QChar> letters;
        for (const auto& menuRow : tarvimo::mainMenus()) {
            const QString title = QString::fromUtf8(menuRow.title);
            const QChar letter = title.at(title.indexOf(u'&') + 1).toLower();
            QVERIFY2(!letters.contains(letter), menuRow.title);
            letters.insert(letter);
            auto* menu = window.findChild<QMenu*>(QString::fromUtf8(menuRow.name));
            QVERIFY(menu);
            QTest::keyClick(QApplication::focusWidget(), letter.toLatin1(), Qt::AltModifier);
            QTRY_VERIFY2(menu->isVisible(), menuRow.name);
            QTest::keyClick(menu, Qt::Key_Escape);
            QTest::keyClick(menu, Qt::Key_Escape);
            QTRY_VERIFY(!menu->isVisible());
        }
    }
};

QTEST_MAIN(MenuTest)
#include "menu_test.moc"
