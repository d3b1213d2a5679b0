// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "look/legacy_fonts.h"
#include "look/pictures.h"
#include "look/twips.h"
#include "widgets/notice_preview.h"
#include "windows/splash_window.h"

#include <QApplication>
#include <QLabel>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>

using namespace Qt::StringLiterals;
using tarvimo::SplashWindow;
using tarvimo::twipsRect;

class SplashWindowTest : public QObject {
    Q_OBJECT
    QPointer<SplashWindow> m_splash;
    int m_proceeded = 0;
    bool m_visibleWhenProceeding = false;
    template <class T = QWidget> T* child(const QString& name) {
        return m_splash->findChild<T*>(name);
    }

private slots:
    void initTestCase() { Q_INIT_RESOURCE(tarvimo); }
    void init() {
        m_splash = new SplashWindow;
        m_proceeded = 0;
        m_visibleWhenProceeding = false;
        connect(m_splash.data(), &SplashWindow::proceed, this, [this] {
            ++m_proceeded;
            m_visibleWhenProceeding = m_splash->isVisible();
        });
    }
    void cleanup() { delete m_splash; }

    void window() {
        QCOMPARE(m_splash->objectName(), u"frmSplash"_s);
        QVERIFY(m_splash->testAttribute(Qt::WA_DeleteOnClose));
        QVERIFY(m_splash->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(m_splash->contentsRect().size(), QSize(354, 280));
        QCOMPARE(m_splash->minimumSize(), m_splash->maximumSize());
        QVERIFY(!m_splash->windowIcon().isNull());
        QCOMPARE(child<QLabel>(u"lblVersion"_s)->text(), u"v0.1"_s);
        QCOMPARE(child<QLabel>(u"lblCompanyProduct"_s)->text() +
                     child<QLabel>(u"lblProductName"_s)->text(),
                 u"Tarvimo"_s);
        // At 1x the picture comes already scaled to its control; at 2x the control scales the
        // larger rendering. The title bar gets the 32 px icon, docks the larger ones.
        QCOMPARE(child<QLabel>(u"imgLogo"_s)->pixmap().size(), QSize(153, 247));
        QCOMPARE(tarvimo::splashPicture(QSize(153, 247), 2.0).size(), QSize(500, 750));
        QCOMPARE(m_splash->windowIcon().availableSizes(), (QList<QSize>{{32, 32}, {64, 64}}));
        // Before the window is on screen the notice is only drawn; its first paint brings the
        // box itself, visible and holding the focus.
        QVERIFY(!child<QPlainTextEdit>(u"Avvisofull"_s));
        QVERIFY(showAndSettle());
        auto* box = child<QPlainTextEdit>(u"Avvisofull"_s);
        QCOMPARE(box->toPlainText(), SplashWindow::notice().replace(u"\r\n"_s, u"\n"_s));
        QVERIFY(box->isVisible());
        QCOMPARE(QApplication::focusWidget(), box);
        QCOMPARE(m_splash->findChildren<tarvimo::NoticePreview*>().size(), 0);
    }

    // The first frame shows the drawing and the next one the box: the two must not differ by a
    // pixel, whatever the colours.
    void noticeDrawnAsTheBox_data() {
        QTest::addColumn<QPalette>("palette");
        QTest::newRow("default colours") << QPalette();
        QPalette dark(QColor(0x30, 0x30, 0x30), QColor(0x20, 0x20, 0x20));
        dark.setColor(QPalette::Text, QColor(0xe0, 0xe0, 0xe0));
        QTest::newRow("dark colours") << dark;
    }
    void noticeDrawnAsTheBox() {
        QFETCH(QPalette, palette);
        m_splash->setPalette(palette);
        auto* drawing = m_splash->findChild<tarvimo::NoticePreview*>();
        const QImage drawn = drawing->grab().toImage();
        const QImage built = m_splash->buildNotice()->grab().toImage();
        QCOMPARE(drawn.deviceIndependentSize().toSize(), twipsRect(2520, 1440, 2655, 2655).size());
        QCOMPARE(drawn, built);
    }

    void notice() {
        const QString text = SplashWindow::notice();
        QVERIFY(text.startsWith(u"\r\nAVVISO:\r\n"_s + QString(24, u'-') + u"\r\n"_s));
        QCOMPARE(text.count(u'\n'), text.count(u"\r\n"_s));
        QCOMPARE(text.count(u'\r'), text.count(u"\r\n"_s));
        // The packager may set another address; the wording stays 237 characters.
        const QString contact = text.split(u"\r\n"_s).last();
        QVERIFY(contact.contains(u'@'));
#ifdef TARVIMO_CONTACT
        QCOMPARE(contact, QString::fromUtf8(TARVIMO_CONTACT));
#endif
        QCOMPARE(text.size(), 256 + contact.size() - qsizetype(sizeof("tarvimo@example.org") - 1));
    }

    void controls_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("rect");
        QTest::addColumn<double>("arialBoldPoints"); // labels that size themselves to their text
        QTest::newRow("frame") << u"Frame1"_s << twipsRect(0, 0, 5265, 4155) << 0.0;
        QTest::newRow("picture") << u"imgLogo"_s << twipsRect(120, 240, 2295, 3705) << 0.0;
        QTest::newRow("large name")
            << u"lblProductName"_s << twipsRect(2640, 480, 2535, 855) << 32.25;
        QTest::newRow("small name")
            << u"lblCompanyProduct"_s << twipsRect(3720, 240, 1275, 435) << 18.0;
        QTest::newRow("version") << u"lblVersion"_s << twipsRect(4590, 1080, 465, 285) << 12.0;
        QTest::newRow("notice box") << u"Avvisofull"_s << twipsRect(2520, 1440, 2655, 2655) << 0.0;
    }
    void controls() {
        QFETCH(QString, name);
        QFETCH(QRect, rect);
        QFETCH(double, arialBoldPoints);
        QVERIFY(showAndSettle());
        QWidget* control = child(name);
        // Frame1 sits in the client area, the others in Frame1.
        const bool isFrame = name == u"Frame1"_s;
        QCOMPARE(control->parentWidget(), isFrame ? m_splash.data() : child(u"Frame1"_s));
        QCOMPARE(control->pos(),
                 rect.topLeft() + (isFrame ? m_splash->contentsRect().topLeft() : QPoint()));
        // Labels size themselves to their text; the empty one keeps its designed size.
        const auto* label = qobject_cast<QLabel*>(control);
        const bool sizedToText = arialBoldPoints > 0 && !label->text().isEmpty();
        QCOMPARE(control->size(), sizedToText ? control->sizeHint() : rect.size());
        if (arialBoldPoints > 0)
            QCOMPARE(control->font(), tarvimo::legacyFont(u"Arial"_s, arialBoldPoints, true));
    }

    void keys_data() {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("leadsOn");
        const std::tuple<const char*, int, bool> keys[] = {
            {"Enter", Qt::Key_Enter, true},      {"Return", Qt::Key_Return, true},
            {"Esc", Qt::Key_Escape, true},       {"a letter", Qt::Key_Q, true},
            {"a digit", Qt::Key_7, true},        {"space", Qt::Key_Space, true},
            {"Left arrow", Qt::Key_Left, false}, {"Up arrow", Qt::Key_Up, false},
            {"F1", Qt::Key_F1, false},           {"Shift alone", Qt::Key_Shift, false}};
        for (const auto& [where, focus] : {std::pair{"the window", u"frmSplash"_s},
                                           std::pair{"the notice box", u"Avvisofull"_s}})
            for (const auto& [what, key, leadsOn] : keys)
                QTest::addRow("%s in %s %s", what, where, leadsOn ? "leads on" : "does nothing")
                    << focus << key << leadsOn;
    }
    void keys() {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(bool, leadsOn);
        QVERIFY(showAndSettle());
        QWidget* target = focus == m_splash->objectName() ? m_splash.data() : child(focus);
        target->setFocus();
        const QString notice = child<QPlainTextEdit>(u"Avvisofull"_s)->toPlainText();
        // A second key before the window is gone must not lead on twice.
        QTest::keyClick(target, Qt::Key(key));
        QTest::keyClick(target, Qt::Key(key));
        QCOMPARE(child<QPlainTextEdit>(u"Avvisofull"_s)->toPlainText(), notice);
        expectLeadsOn(leadsOn);
    }

    void clicks_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QPoint>("pos"); // in the target; null for its centre
        QTest::addColumn<bool>("leadsOn");
        const std::tuple<const char*, QString, QPoint, bool> rows[] = {
            {"frame between picture and notice leads on", u"Frame1"_s, {164, 150}, true},
            {"frame below the picture leads on", u"Frame1"_s, {4, 270}, true},
            {"picture does nothing", u"imgLogo"_s, {}, false},
            {"product name does nothing", u"lblProductName"_s, {}, false},
            {"version does nothing", u"lblVersion"_s, {}, false},
            {"notice box does nothing", u"qt_scrollarea_viewport"_s, {}, false}};
        for (const auto& [what, name, pos, leadsOn] : rows)
            QTest::newRow(what) << name << pos << leadsOn;
    }
    void clicks() {
        QFETCH(QString, target);
        QFETCH(QPoint, pos);
        QFETCH(bool, leadsOn);
        QVERIFY(showAndSettle());
        QWidget* widget = child(target);
        QTest::mouseClick(widget, Qt::LeftButton, {}, pos.isNull() ? widget->rect().center() : pos);
        expectLeadsOn(leadsOn);
    }

private:
    // Shows the splash and waits for the notice box, which comes after the first frame.
    bool showAndSettle() {
        m_splash->show();
        return QTest::qWaitFor([this] { return child<QPlainTextEdit>(u"Avvisofull"_s); });
    }

    // proceed() comes once, while the splash is still on screen, and then the splash is gone.
    void expectLeadsOn(bool leadsOn) {
        QCOMPARE(m_proceeded, leadsOn ? 1 : 0);
        QCOMPARE(m_visibleWhenProceeding, leadsOn);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(m_splash.isNull(), leadsOn);
    }
};

QTEST_MAIN(SplashWindowTest)
#include "splash_window_test.moc"
