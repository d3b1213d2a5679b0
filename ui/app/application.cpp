// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/application.h"

#include "app/accessibility.h"
#include "app/qt_number_settings.h"
#include "saved_values.h"
#include "windows/main_window.h"
#include "windows/splash_window.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTimer>
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
        // The inputs of the last run; an unreadable file stays as it is until the next save.
        SavedValues values;
        const SavedValues::Loaded loaded = values.load();
        window->showValues(loaded.texts);
        const QString problem = values.message(loaded.status);
        window->keepValuesIn(std::move(values));
        if (!rideFile.isEmpty())
            window->openRideWhenShown(rideFile);
        window->show();
        if (!problem.isEmpty()) {
            // Once the splash has gone, over the window it concerns.
            QTimer::singleShot(0, window, [window, problem] {
                QMessageBox box(QMessageBox::Warning, QStringLiteral("Tarvimo"), problem,
                                QMessageBox::Ok, window);
                box.setObjectName(QStringLiteral("erroreValori"));
                box.exec();
            });
        }
    });
    splash->show();
    return splash;
}

} // namespace tarvimo
