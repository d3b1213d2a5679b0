// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "modal_helper.h"
#include "widgets/field_edit.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <algorithm>

using namespace Qt::StringLiterals;
using tarvimo::FieldEdit;

// Every way a text can arrive at once, refused over the limit and taken within it.
class FieldEditTest : public QObject {
    Q_OBJECT

private slots:
    void arrivingText_data() {
        QTest::addColumn<QString>("route");
        QTest::addColumn<bool>("selectAll"); // the arriving text replaces "abc"
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("taken");
        constexpr int limit = FieldEdit::maxPastedLength;
        QTest::newRow("Ctrl+V up to the limit is taken") << "Ctrl+V" << false << limit - 3 << true;
        QTest::newRow("Ctrl+V one past the limit is refused")
            << "Ctrl+V" << false << limit - 2 << false;
        QTest::newRow("Ctrl+V over a selection counts what it replaces")
            << "Ctrl+V" << true << limit << true;
        QTest::newRow("Shift+Insert of 100000 is refused")
            << "Shift+Insert" << false << 100000 << false;
        QTest::newRow("Incolla in the menu of 100000 is refused")
            << "menu" << false << 100000 << false;
        QTest::newRow("Incolla in the menu of 10 is taken") << "menu" << false << 10 << true;
        QTest::newRow("a drop of 100000 is refused") << "drop" << false << 100000 << false;
        QTest::newRow("a drop of 10 is taken") << "drop" << false << 10 << true;
        QTest::newRow("a middle click of 100000 is refused")
            << "middle" << false << 100000 << false;
        QTest::newRow("a middle click of 10 is taken") << "middle" << false << 10 << true;
    }
    void arrivingText() {
        QFETCH(QString, route);
        QFETCH(bool, selectAll);
        QFETCH(int, length);
        QFETCH(bool, taken);
        const QString text(length, QLatin1Char('7'));
        auto* clipboard = QApplication::clipboard();
        if (route == u"middle" && !clipboard->supportsSelection())
            QSKIP("no X11 selection on this platform");
        clipboard->setText(text,
                           route == u"middle" ? QClipboard::Selection : QClipboard::Clipboard);
        FieldEdit edit;
        edit.setText(QStringLiteral("abc"));
        edit.show();
        if (selectAll)
            edit.selectAll();
        else
            edit.setCursorPosition(3);
        tarvimo::testing::MessageBoxCloser closer;

        if (route == u"Ctrl+V") {
            QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
        } else if (route == u"Shift+Insert") {
            QTest::keyClick(&edit, Qt::Key_Insert, Qt::ShiftModifier);
        } else if (route == u"menu") {
            QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(2, 2),
                                    edit.mapToGlobal(QPoint(2, 2)));
            QApplication::sendEvent(&edit, &event);
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            const auto actions = menu->actions();
            const auto paste = std::find_if(actions.begin(), actions.end(), [](QAction* action) {
                return action->text().startsWith(QStringLiteral("&Paste"));
            });
            QVERIFY(paste != actions.end());
            (*paste)->trigger();
            menu->close();
        } else if (route == u"drop") {
            QMimeData data;
            data.setText(text);
            QDragEnterEvent enter(QPoint(edit.width() - 2, 5), Qt::CopyAction, &data,
                                  Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(&edit, &enter);
            QDropEvent drop(QPointF(edit.width() - 2, 5), Qt::CopyAction, &data, Qt::LeftButton,
                            Qt::NoModifier);
            QApplication::sendEvent(&edit, &drop);
        } else {
            QTest::mouseClick(&edit, Qt::MiddleButton, {}, QPoint(edit.width() - 2, 5));
        }
        QTest::qWait(50);

        const QString before = selectAll ? QString() : QStringLiteral("abc");
        QCOMPARE(edit.text(), taken ? before + text : QStringLiteral("abc"));
        QCOMPARE(closer.texts(), taken ? QStringList() : QStringList{FieldEdit::refusal(length)});
    }

    void refusalSaysTheLengthAndTheLimit() {
        QCOMPARE(FieldEdit::refusal(10485760),
                 u"Il testo da incollare è lungo 10.485.760 caratteri: un campo ne può contenere "_s
                 u"al massimo 65.536. Il campo resta com'era."_s);
    }
};

QTEST_MAIN(FieldEditTest)
#include "field_edit_test.moc"
