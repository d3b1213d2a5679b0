// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "look/legacy_fonts.h"
#include "look/twips.h"
#include "modal_helper.h"
#include "windows/control_table.h"
#include "windows/help_window.h"
#include "windows/main_window.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QtTest>
#include <limits>

using namespace Qt::StringLiterals;
using tarvimo::Field;
using tarvimo::MainWindow;
using tarvimo::NumberSettings;

Q_DECLARE_METATYPE(NumberSettings)

namespace {

using Texts = QList<QPair<QString, QString>>;

QString qs(const char* utf8) {
    return QString::fromUtf8(utf8);
}

void typeInto(MainWindow& window, const QString& name, const QString& text) {
    auto* box = window.findChild<QLineEdit*>(name);
    QVERIFY2(box, qPrintable(name));
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

QString textOf(const MainWindow& window, const QString& name) {
    auto* box = window.findChild<QLineEdit*>(name);
    return box ? box->text() : QStringLiteral("<missing %1>").arg(name);
}

const Texts defaultResults{
    {QStringLiteral("mostrapgrav"), QStringLiteral("222.3")},
    {QStringLiteral("mostraVmedia"), QStringLiteral("12.75")},
    {QStringLiteral("mostrapaero"), QStringLiteral("8.9")},
    {QStringLiteral("mostrapatt"), QStringLiteral("3.4")},
    {QStringLiteral("mostrawkg"), QStringLiteral("3.9")},
    {QStringLiteral("mostrapmedia"), QStringLiteral("9.02")},
    {QStringLiteral("mostraPPM"), QStringLiteral("58")},
    {QStringLiteral("mostraVAM"), QStringLiteral("1150")},
    {QStringLiteral("mostraCoppia"), QStringLiteral("38.6")},
    {QStringLiteral("mostraFmax"), QStringLiteral("43.4")},
};

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { Q_INIT_RESOURCE(tarvimo); }
    void cleanup() {
        const auto windows = QApplication::topLevelWidgets();
        for (QWidget* w : windows) {
            if (qobject_cast<tarvimo::HelpWindow*>(w)) {
                delete w;
            }
        }
    }

    void windowFrame() {
        MainWindow window(NumberSettings::italian());
        QCOMPARE(window.objectName(), QStringLiteral("Interfaccia1"));
        QCOMPARE(window.windowTitle(), QStringLiteral("Tarvimo v0.1 "));
        // The client area keeps its size under the menu bar; the window grows by the bar alone.
        const int bar = window.menuBar()->sizeHint().height();
        QVERIFY(bar > 0);
        QCOMPARE(window.menuBar()->geometry(), QRect(0, 0, 384, bar));
        QCOMPARE(window.clientArea()->geometry(), QRect(0, bar, 384, 362));
        QCOMPARE(window.size(), QSize(384, 362 + bar));
        QCOMPARE(window.minimumSize(), window.maximumSize());
        QVERIFY(window.windowFlags().testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!window.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        // The 32 px design for the title bar, larger renderings for docks and task switchers.
        QCOMPARE(window.windowIcon().availableSizes(),
                 (QList<QSize>{{32, 32}, {48, 48}, {64, 64}, {128, 128}, {256, 256}}));
        auto* contact = window.findChild<QLabel*>(QStringLiteral("Label26"));
        QVERIFY(contact);
        QCOMPARE(contact->text(), QStringLiteral(TARVIMO_CONTACT));
        QVERIFY(contact->alignment().testFlag(Qt::AlignRight));
    }

    // Every row of the layout table becomes a widget of that kind, in that container, at that
    // place, with that caption and font.
    void controlsFollowTheTable() {
        MainWindow window(NumberSettings::italian());
        for (const auto& row : tarvimo::mainWindowControls()) {
            const QString name = qs(row.name);
            QWidget* control = window.findChild<QWidget*>(name);
            QVERIFY2(control, qPrintable(name));
            const QString container = row.container ? qs(row.container) : u"areaDati"_s;
            QCOMPARE(control->parentWidget()->objectName(), container);
            QCOMPARE(control->geometry(),
                     tarvimo::twipsRect(row.left, row.top, row.width, row.height));
            QCOMPARE(control->font(),
                     tarvimo::legacyFont(QStringLiteral("MS Sans Serif"), row.pointSize));
            QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(name));
            switch (row.kind) {
            case tarvimo::ControlKind::Frame:
                QCOMPARE(qobject_cast<QGroupBox*>(control)->title(), qs(row.caption));
                QCOMPARE(control->focusPolicy(), Qt::NoFocus);
                break;
            case tarvimo::ControlKind::Label:
                QVERIFY(qobject_cast<QLabel*>(control));
                QCOMPARE(control->focusPolicy(), Qt::NoFocus);
                break;
            case tarvimo::ControlKind::Button:
                QCOMPARE(qobject_cast<QPushButton*>(control)->text(), qs(row.caption));
                break;
            case tarvimo::ControlKind::TextBox: {
                auto* box = qobject_cast<QLineEdit*>(control);
                QVERIFY(box && !box->isReadOnly());
                QCOMPARE(box->maxLength(), std::numeric_limits<int>::max());
                break;
            }
            }
        }
    }

    void fieldTexts_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("pointSize");
        QTest::newRow("rider's mass") << "massac"
                                      << "Label2"
                                      << "60" << 8.25;
        QTest::newRow("bicycle's mass") << "massabici"
                                        << "Label3"
                                        << "10" << 8.25;
        QTest::newRow("other mass") << "altramassa"
                                    << "Label4"
                                    << "1" << 8.25;
        QTest::newRow("wheel") << "scegliruote"
                               << "ruote"
                               << "26" << 8.25;
        QTest::newRow("chainring") << "sceglicorona"
                                   << "Label13"
                                   << "39" << 8.25;
        QTest::newRow("sprocket") << "sceglipignone"
                                  << "Label14"
                                  << "23" << 8.25;
        QTest::newRow("crank") << "sceglipedivelle"
                               << "lab"
                               << "170" << 8.25;
        QTest::newRow("length") << "sceglilunghezza"
                                << "Label5"
                                << "5100" << 8.25;
        QTest::newRow("gain") << "sceglidislivello"
                              << "Label6"
                              << "460" << 8.25;
        QTest::newRow("minutes") << "scegliminuti"
                                 << "Label7"
                                 << "24" << 8.25;
        QTest::newRow("seconds") << "sceglisecondi"
                                 << "Label8"
                                 << "00" << 8.25;
        QTest::newRow("coefficient A with its comma") << "scegliA"
                                                      << "Label9"
                                                      << "0,2" << 8.25;
        QTest::newRow("coefficient F with its comma") << "scegliF"
                                                      << "Label11"
                                                      << "0,005" << 8.25;
        QTest::newRow("date") << "sceglidata"
                              << ""
                              << "25-08-2002" << 8.25;
        QTest::newRow("climb") << "sceglinomebici"
                               << ""
                               << "Nome Salita" << 8.25;
        QTest::newRow("rider") << "sceglinomeciclista"
                               << ""
                               << "Nome e cognome ciclista" << 8.25;
        QTest::newRow("total power, headline size") << "mostraptot"
                                                    << "Label21"
                                                    << "" << 24.0;
        QTest::newRow("watts per kg, headline size") << "mostrawkg"
                                                     << "Label22"
                                                     << "" << 24.0;
        QTest::newRow("gradient, empty at start") << "mostrapmedia"
                                                  << "Label15"
                                                  << "" << 8.25;
    }
    void fieldTexts() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, text);
        QFETCH(double, pointSize);
        MainWindow window(NumberSettings::italian());
        auto* box = window.findChild<QLineEdit*>(name);
        QVERIFY(box);
        QCOMPARE(box->text(), text);
        QCOMPARE(box->font().pointSizeF(), pointSize);
        if (!caption.isEmpty()) {
            auto* label = window.findChild<QLabel*>(caption);
            QVERIFY(label);
            // A screen reader says a phrase, not the abbreviated caption.
            QVERIFY2(box->accessibleName() != label->text(), qPrintable(box->accessibleName()));
            QCOMPARE(label->parentWidget(), box->parentWidget());
        }
    }

    void tabOrderCycles() {
        const QStringList expected{"massabici",
                                   "altramassa",
                                   "massac",
                                   "sceglilunghezza",
                                   "sceglidislivello",
                                   "scegliminuti",
                                   "sceglisecondi",
                                   "scegliA",
                                   "scegliF",
                                   "mostrapmedia",
                                   "mostraVmedia",
                                   "mostraVAM",
                                   "mostraPPM",
                                   "mostraCoppia",
                                   "mostraFmax",
                                   "mostraptot",
                                   "mostrapaero",
                                   "mostrapgrav",
                                   "mostrapatt",
                                   "mostrawkg",
                                   "pulsantecalcola",
                                   "Stampa",
                                   "sceglinomeciclista",
                                   "sceglinomebici",
                                   "scegliruote",
                                   "sceglicorona",
                                   "sceglipignone",
                                   "sceglidata",
                                   "sceglipedivelle",
                                   "Command1",
                                   "massabici"};
        MainWindow window(NumberSettings::italian());
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        for (const QString& name : expected) {
            QWidget* focused = QApplication::focusWidget();
            QVERIFY(focused);
            QCOMPARE(focused->objectName(), name);
            QTest::keyClick(focused, Qt::Key_Tab);
        }
    }

    void calculateThroughTheWidgets_data() {
        QTest::addColumn<NumberSettings>("settings");
        QTest::addColumn<Texts>("typed");
        QTest::addColumn<Texts>("expected");
        Texts italianDefaults = defaultResults;
        italianDefaults.append({QStringLiteral("mostraptot"), QStringLiteral("234,6")});
        italianDefaults.append({QStringLiteral("scegliA"), QStringLiteral("0.2")});
        Texts dotDefaults = defaultResults;
        dotDefaults.append({QStringLiteral("mostraptot"), QStringLiteral("234.6")});
        QTest::newRow("default sheet, comma setting")
            << NumberSettings::italian() << Texts{} << italianDefaults;
        QTest::newRow("default sheet, point setting")
            << NumberSettings::dotDecimal() << Texts{} << dotDefaults;
        QTest::newRow("edited time and gain")
            << NumberSettings::italian()
            << Texts{{"scegliminuti", "22"}, {"sceglisecondi", "30"}, {"sceglidislivello", "620"}}
            << Texts{{"mostraVAM", "1653.33333333333"},
                     {"mostrapgrav", "319.6"},
                     {"mostraPPM", "62"},
                     {"mostrapmedia", "12.16"}};
        QTest::newRow("typed results are overwritten")
            << NumberSettings::italian() << Texts{{"mostraptot", "999"}, {"mostraPPM", "abc"}}
            << italianDefaults;
        QTest::newRow("identification texts stay")
            << NumberSettings::italian() << Texts{{"sceglinomebici", "Mortirolo, 1852"}}
            << Texts{{"sceglinomebici", "Mortirolo, 1852"}, {"sceglidata", "25-08-2002"}};
    }
    void calculateThroughTheWidgets() {
        QFETCH(NumberSettings, settings);
        QFETCH(Texts, typed);
        QFETCH(Texts, expected);
        MainWindow window(settings);
        window.show();
        for (const auto& [name, text] : typed) {
            typeInto(window, name, text);
        }
        auto* calcola = window.findChild<QPushButton*>(QStringLiteral("pulsantecalcola"));
        QTest::mouseClick(calcola, Qt::LeftButton);
        for (const auto& [name, text] : expected) {
            QCOMPARE(textOf(window, name), text);
        }
        // The sheet and the boxes agree after the run.
        for (const auto& info : tarvimo::allFields()) {
            QCOMPARE(window.edit(info.field)->text(),
                     QString::fromStdString(window.sheet().text(info.field)));
        }
    }

    void returnInAFieldCalculates() {
        MainWindow window(NumberSettings::italian());
        window.show();
        auto* gain = window.findChild<QLineEdit*>(QStringLiteral("sceglidislivello"));
        QTest::keyClick(gain, Qt::Key_Return);
        QCOMPARE(textOf(window, QStringLiteral("mostrapgrav")), QStringLiteral("222.3"));
        typeInto(window, QStringLiteral("sceglidislivello"), QStringLiteral("620"));
        QTest::keyClick(gain, Qt::Key_Enter);
        QCOMPARE(textOf(window, QStringLiteral("mostrapmedia")), QStringLiteral("12.16"));
    }

    // Return and Enter press the focused button, as Space does.
    void enterPressesTheFocusedButton_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("helpShown");
        QTest::newRow("Return on \"Calcola\" calculates")
            << u"pulsantecalcola"_s << int(Qt::Key_Return) << false;
        QTest::newRow("Enter on \"Calcola\" calculates")
            << u"pulsantecalcola"_s << int(Qt::Key_Enter) << false;
        QTest::newRow("Return on \"?\" opens the help")
            << u"Command1"_s << int(Qt::Key_Return) << true;
    }
    void enterPressesTheFocusedButton() {
        QFETCH(QString, button);
        QFETCH(int, key);
        QFETCH(bool, helpShown);
        MainWindow window(NumberSettings::italian());
        window.show();
        auto* pushButton = window.findChild<QPushButton*>(button);
        pushButton->setFocus();
        QTest::keyClick(pushButton, Qt::Key(key));
        QCOMPARE(textOf(window, u"mostrapgrav"_s).isEmpty(), helpShown);
        QCOMPARE(window.helpWindow() != nullptr, helpShown);
    }

    void errorsAreReportedAndTheWindowStays_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("writtenBefore");
        QTest::addColumn<QString>("untouchedAfter");
        QTest::newRow("empty wheel") << "scegliruote"
                                     << ""
                                     << "Tipo non corrispondente"
                                     << "mostrapaero"
                                     << "mostrapatt";
        QTest::newRow("zero time") << "scegliminuti"
                                   << "0"
                                   << "Divisione per zero"
                                   << ""
                                   << "mostrapgrav";
        QTest::newRow("zero chainring") << "sceglicorona"
                                        << "0"
                                        << "PPM"
                                        << "mostrapmedia"
                                        << "mostraPPM";
        QTest::newRow("beyond range") << "massac"
                                      << "1e400"
                                      << "Overflow"
                                      << ""
                                      << "mostrapgrav";
    }
    void errorsAreReportedAndTheWindowStays() {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QFETCH(QString, writtenBefore);
        QFETCH(QString, untouchedAfter);
        MainWindow window(NumberSettings::italian());
        window.show();
        typeInto(window, field, text);
        typeInto(window, untouchedAfter, QStringLiteral("prima"));

        QString shown;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QString title;
        tarvimo::testing::onNextModal([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            shown = box->text();
            icon = box->icon();
            title = box->windowTitle();
            box->button(QMessageBox::Ok)->click();
        });
        QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("pulsantecalcola")),
                          Qt::LeftButton);
        QVERIFY2(shown.contains(message), qPrintable(shown));
        QCOMPARE(icon, QMessageBox::Critical);
        QCOMPARE(title, QStringLiteral("Tarvimo"));
        QVERIFY(window.isVisible());
        QCOMPARE(textOf(window, field), text);
        if (!writtenBefore.isEmpty()) {
            QVERIFY(!textOf(window, writtenBefore).isEmpty());
        }
        QCOMPARE(textOf(window, untouchedAfter), QStringLiteral("prima"));
    }

    void helpIsOneModelessWindow() {
        auto* window = new MainWindow(NumberSettings::italian());
        window->show();
        auto* question = window->findChild<QPushButton*>(QStringLiteral("Command1"));
        QTest::mouseClick(question, Qt::LeftButton);
        QPointer<tarvimo::HelpWindow> first = window->helpWindow();
        QVERIFY(first && first->isVisible());
        QVERIFY(!first->isModal());
        QVERIFY(first->parentWidget() == nullptr);

        QTest::mouseClick(question, Qt::LeftButton);
        QCOMPARE(window->helpWindow(), first.data());

        first->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(first.isNull());
        QTest::mouseClick(question, Qt::LeftButton);
        QPointer<tarvimo::HelpWindow> second = window->helpWindow();
        QVERIFY(second && second->isVisible());

        // The program ends with the main window: the help must not keep it running.
        window->close();
        QVERIFY(!second || !second->isVisible());
        delete window;
        QVERIFY(second.isNull());
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
