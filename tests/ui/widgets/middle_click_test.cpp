// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/field_edit.h"
#include "windows/help_window.h"
#include "windows/splash_window.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>

using namespace Qt::StringLiterals;

// The X11 middle-click paste into every editable box, with and without a program offering the
// PRIMARY selection. Run under X11: elsewhere there is no such paste.
class MiddleClickTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        Q_INIT_RESOURCE(tarvimo);
        if (!QApplication::clipboard()->supportsSelection())
            QSKIP("no X11 selection on this platform");
    }

    void paste_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("selection"); // empty: nobody offers one
        for (const QString& box : {u"Avvisofull"_s, u"Text2"_s, u"field"_s}) {
            QTest::addRow("%s, no selection anywhere: nothing happens", qPrintable(box))
                << box << QString();
            QTest::addRow("%s, a selection offered: it is pasted", qPrintable(box))
                << box << u"Stelvio"_s;
        }
    }
    void paste() {
        QFETCH(QString, box);
        QFETCH(QString, selection);
        auto* clipboard = QApplication::clipboard();
        if (selection.isEmpty())
            clipboard->clear(QClipboard::Selection); // this process gives up PRIMARY: no owner
        else
            clipboard->setText(selection, QClipboard::Selection);

        QPointer<QWidget> window;
        QWidget* target = nullptr;
        if (box == u"Avvisofull") {
            auto* splash = new tarvimo::SplashWindow;
            window = splash;
            splash->show();
            target = splash->buildNotice()->viewport();
        } else if (box == u"Text2") {
            window = new tarvimo::HelpWindow;
            window->show();
            target = window->findChild<QPlainTextEdit*>(box)->viewport();
        } else {
            window = new tarvimo::FieldEdit;
            window->show();
            target = window;
        }
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const auto text = [&] {
            if (auto* edit = qobject_cast<QLineEdit*>(window))
                return edit->text();
            return window->findChild<QPlainTextEdit*>()->toPlainText();
        };
        const QString before = text();

        QTest::mouseClick(target, Qt::MiddleButton, {}, QPoint(4, 4));

        QCOMPARE(text().size(), before.size() + selection.size());
        QVERIFY(selection.isEmpty() || text().contains(selection));
        delete window;
    }
};

QTEST_MAIN(MiddleClickTest)
#include "middle_click_test.moc"
