// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/accessibility.h"
#include "windows/help_window.h"
#include "windows/main_window.h"
#include "windows/splash_window.h"

#include <QAccessible>
#include <QTest>
#include <functional>
#include <memory>

using namespace Qt::StringLiterals;
using Make = std::function<QWidget*()>;
Q_DECLARE_METATYPE(Make)

namespace {

// The objects under iface that a screen reader reaches without a name, by object path.
QStringList nameless(QAccessibleInterface* iface, const QString& path = {}) {
    const QString here = path + u'/' + iface->object()->objectName();
    QStringList found;
    if (iface->text(QAccessible::Name).trimmed().isEmpty())
        found << here;
    for (int i = 0; i < iface->childCount(); ++i) {
        if (QAccessibleInterface* child = iface->child(i))
            found << nameless(child, here);
    }
    return found;
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        Q_INIT_RESOURCE(tarvimo);
        tarvimo::installAccessibleWindowRoles();
    }

    void windows_data() {
        QTest::addColumn<Make>("make");
        QTest::addColumn<QAccessible::Role>("role");
        QTest::addColumn<QString>("name");
        QTest::newRow("main window: an application window, named by its title")
            << Make([] { return new tarvimo::MainWindow(tarvimo::NumberSettings::italian()); })
            << QAccessible::Window << u"Tarvimo v0.1 "_s;
        QTest::newRow("splash: a dialog, with its hidden notice's scroll bars named")
            << Make([] { return new tarvimo::SplashWindow; }) << QAccessible::Dialog
            << u"Tarvimo"_s;
        QTest::newRow("help: a dialog, named by its title")
            << Make([] { return new tarvimo::HelpWindow; }) << QAccessible::Dialog << u"Help"_s;
    }
    // Every object in the window's accessible tree has a name.
    void windows() {
        QFETCH(Make, make);
        QFETCH(QAccessible::Role, role);
        QFETCH(QString, name);
        const std::unique_ptr<QWidget> window(make());
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(window.get());
        QVERIFY(iface);
        QCOMPARE(iface->role(), role);
        QCOMPARE(iface->text(QAccessible::Name), name);
        QCOMPARE(nameless(iface), QStringList());
    }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
