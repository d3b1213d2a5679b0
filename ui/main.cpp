#include "legacy_fonts.h"
#include "main_window.h"
#include "qt_number_settings.h"
#include "splash_window.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

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

int main(int argc, char* argv[]) {
    Q_INIT_RESOURCE(tarvimo);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarvimo"));
    QApplication::setApplicationVersion(QStringLiteral(TARVIMO_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.tarvimo.Tarvimo"));
    installItalianTranslations(app);
    tarvimo::installFontSubstitutes();

    const tarvimo::NumberSettings settings = tarvimo::numberSettingsFor(QLocale::system());
    auto* splash = new tarvimo::SplashWindow();
    QObject::connect(splash, &tarvimo::SplashWindow::proceed, [settings] {
        auto* window = new tarvimo::MainWindow(settings);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->show();
    });
    splash->show();
    return QApplication::exec();
}
