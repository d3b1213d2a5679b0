// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/application.h"

#include "app/accessibility.h"
#include "app/qt_number_settings.h"
#include "windows/main_window.h"
#include "windows/splash_window.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace tarvimo {

namespace {

// Qt's own buttons and dialogs ("Sì", "Annulla", the file dialog) in Italian, when the
// translations are installed; without them Qt quietly keeps English.
void installItalianTranslations(QApplication& app) {
    auto* translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(translator);
    }
}

} // namespace

SplashWindow* startTarvimo(QApplication& app, const QString& rideFile) {
    QApplication::setApplicationName(QStringLiteral("Tarvimo"));
    QApplication::setApplicationVersion(QStringLiteral(TARVIMO_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.tarvimo.Tarvimo"));
    installItalianTranslations(app);
    installAccessibleWindowRoles();

    const NumberSettings settings = numberSettingsFor(QLocale::system());
    auto* splash = new SplashWindow();
    QObject::connect(splash, &SplashWindow::proceed, [settings, rideFile] {
        auto* window = new MainWindow(settings);
        window->setAttribute(Qt::WA_DeleteOnClose);
        if (!rideFile.isEmpty())
            window->openRideWhenShown(rideFile);
        window->show();
    });
    splash->show();
    return splash;
}

} // namespace tarvimo
