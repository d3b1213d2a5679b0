// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "look/contrast.h"
#include "look/legacy_fonts.h"
#include "look/twips.h"
#include "windows/help_window.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>

using namespace Qt::StringLiterals;
using tarvimo::HelpWindow;
using tarvimo::legacyFont;
using tarvimo::twipsRect;

class HelpWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Q_INIT_RESOURCE(tarvimo); }

    void window() {
        QPointer<HelpWindow> help = new HelpWindow;
        QCOMPARE(help->objectName(), u"help"_s);
        QCOMPARE(help->windowTitle(), u"Help"_s);
        QCOMPARE(help->minimumSize(), QSize(402, 284));
        QCOMPARE(help->maximumSize(), QSize(402, 284));
        QCOMPARE(help->windowIcon().availableSizes(),
                 (QList<QSize>{{32, 32}, {48, 48}, {64, 64}, {128, 128}, {256, 256}}));
        QVERIFY(
            !(help->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        auto* glossary = help->findChild<QPlainTextEdit*>(u"Text2"_s);
        QCOMPARE(glossary->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(glossary->toPlainText(), HelpWindow::glossary().replace(u"\r\n"_s, u"\n"_s));
        QCOMPARE(help->findChild<QWidget*>(u"Text1"_s)->nextInFocusChain(), glossary);
        help->show();
        help->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(help.isNull());
    }

    // Tab and Shift+Tab move between the two boxes and type nothing; Escape closes the window.
    void keyboard_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("to"); // empty: the window has closed
        QTest::newRow("Tab goes from the instructions to the glossary")
            << u"Text1"_s << int(Qt::Key_Tab) << int(Qt::NoModifier) << u"Text2"_s;
        QTest::newRow("Tab leaves the glossary for the instructions")
            << u"Text2"_s << int(Qt::Key_Tab) << int(Qt::NoModifier) << u"Text1"_s;
        QTest::newRow("Shift+Tab leaves the glossary for the instructions")
            << u"Text2"_s << int(Qt::Key_Backtab) << int(Qt::ShiftModifier) << u"Text1"_s;
        QTest::newRow("Escape in the instructions closes the window")
            << u"Text1"_s << int(Qt::Key_Escape) << int(Qt::NoModifier) << QString();
        QTest::newRow("Escape in the glossary closes the window")
            << u"Text2"_s << int(Qt::Key_Escape) << int(Qt::NoModifier) << QString();
    }
    void keyboard() {
        QFETCH(QString, from);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, to);
        QPointer<HelpWindow> help = new HelpWindow;
        help->show();
        QVERIFY(QTest::qWaitForWindowActive(help));
        auto* glossary = help->findChild<QPlainTextEdit*>(u"Text2"_s);
        const QString text = glossary->toPlainText();
        help->findChild<QWidget*>(from)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key),
                        Qt::KeyboardModifiers(modifiers));
        if (to.isEmpty()) {
            QVERIFY(!help->isVisible());
            delete help;
            return;
        }
        QCOMPARE(QApplication::focusWidget()->objectName(), to);
        QCOMPARE(glossary->toPlainText(), text);
        delete help;
    }

    // The band keeps the colour for title-bar text and is lettered legibly under any palette.
    void titleBandContrast_data() {
        QTest::addColumn<QColor>("band");
        QTest::addColumn<QColor>("text");
        QTest::newRow("light desktop") << QColor(Qt::white) << QColor(Qt::black);
        QTest::newRow("dark desktop") << QColor(0xf0, 0xf0, 0xf0) << QColor(0xf0, 0xf0, 0xf0);
        QTest::newRow("high contrast") << QColor(Qt::black) << QColor(Qt::white);
    }
    void titleBandContrast() {
        QFETCH(QColor, band);
        QFETCH(QColor, text);
        QPalette palette(text, QColor(0x32, 0x32, 0x32));
        palette.setColor(QPalette::HighlightedText, band);
        palette.setColor(QPalette::Base, band == Qt::black ? Qt::white : Qt::black);
        HelpWindow help;
        help.setPalette(palette);
        auto* title = help.findChild<QLabel*>(u"Label1"_s);
        QCOMPARE(title->backgroundRole(), QPalette::HighlightedText);
        QVERIFY(tarvimo::contrastRatio(title->palette().color(title->foregroundRole()), band) >=
                4.5);
    }

    void controls_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("rect");
        QTest::addColumn<QFont>("font");
        QTest::addColumn<bool>("centred");
        const QString comic = u"Comic Sans MS"_s;
        QTest::newRow("title band in large Comic, centred")
            << u"Label1"_s << twipsRect(0, 0, 6015, 615) << legacyFont(comic, 20.25) << true;
        QTest::newRow("instructions line in small Comic, centred")
            << u"Text1"_s << twipsRect(0, 720, 6015, 285) << legacyFont(comic, 9) << true;
        QTest::newRow("glossary box in the default font")
            << u"Text2"_s << twipsRect(0, 1080, 6015, 3135) << legacyFont(u"MS Sans Serif"_s, 8.25)
            << false;
    }
    void controls() {
        QFETCH(QString, name);
        QFETCH(QRect, rect);
        QFETCH(QFont, font);
        QFETCH(bool, centred);
        HelpWindow help;
        auto* control = help.findChild<QWidget*>(name);
        QCOMPARE(control->geometry(), rect);
        QCOMPARE(control->font(), font);
        QVERIFY(!control->accessibleName().isEmpty());
        QCOMPARE(bool(control->property("alignment").toInt() & Qt::AlignHCenter), centred);
    }

    void headings_data() {
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("previous"); // null for the first line
        const QStringList headings = {u"Glossario:"_s,
                                      QString(15, u'-'),
                                      u"Massa ciclista, massa bici, altra massa:"_s,
                                      u"Corona, Pignone, Ruota, Pedivelle"_s,
                                      u"Diastanza e Dislivello"_s,
                                      u"Coefficienti A, F"_s,
                                      u"Identificazione"_s,
                                      u"Risultati"_s,
                                      u"Potenza Sviluppata "_s,
                                      u"P.Aero, P.att., P.grav."_s};
        for (qsizetype i = 0; i < headings.size(); ++i)
            QTest::addRow("\"%s\" is a whole line, in order", qPrintable(headings[i]))
                << headings[i] << (i ? headings[i - 1] : QString());
    }
    void headings() {
        QFETCH(QString, heading);
        QFETCH(QString, previous);
        const QStringList lines = HelpWindow::glossary().split(u"\r\n"_s);
        const qsizetype at = lines.indexOf(heading);
        QVERIFY(at >= 0);
        QVERIFY(previous.isNull() ? at == 0 : at > lines.indexOf(previous));
    }

    void glossaryForm() {
        const QString text = HelpWindow::glossary();
        QCOMPARE(text.count(u'\r') + text.count(u'\n'), 2 * text.count(u"\r\n"_s));
        QVERIFY(!text.contains(u'@'));
        QVERIFY(text.endsWith(u"\r\nCiao!"_s));
        for (const QString& quoted :
             {u"P.M. è la pendenza media"_s, u"PPM è il numero di pedalate al minuto medie"_s,
              u"V media è la velocità media in Km/h"_s,
              u"VAM è la velocità ascensionale media in m/h"_s})
            QVERIFY2(text.contains(quoted), qPrintable(quoted));
    }
};

QTEST_MAIN(HelpWindowTest)
#include "help_window_test.moc"
