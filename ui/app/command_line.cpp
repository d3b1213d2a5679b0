// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/command_line.h"

#include "ride_formats.h"

#include <QByteArray>
#include <QFile>
#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace tarvimo {

namespace {

void print(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
    std::fflush(stream);
}

const char* const help = "Uso: tarvimo [OPZIONE] [FILE]\n"
                         "Calcola la potenza sviluppata da un ciclista su una salita "
                         "cronometrata.\n"
                         "\n"
                         "  FILE        una traccia %1: si apre la finestra "
                         "\"Importa salita\"\n"
                         "              e la salita scelta riempie distanza, dislivello, "
                         "tempo, data e nome\n"
                         "  --help      mostra questo aiuto ed esce\n"
                         "  --version   mostra la versione ed esce\n";

// Qt's options that take a value (QGuiApplication and the X11 plugin).
bool takesValue(const char* option) {
    static const char* const valued[] = {"-platform",
                                         "-platformpluginpath",
                                         "-platformtheme",
                                         "-plugin",
                                         "-qwindowgeometry",
                                         "-qwindowicon",
                                         "-qwindowtitle",
                                         "-session",
                                         "-style",
                                         "-stylesheet",
                                         "-display",
                                         "-geometry",
                                         "-title",
                                         "-name",
                                         "-dialogs",
                                         "-visual",
                                         "-ncols"};
    for (const char* name : valued) {
        if (std::strcmp(option, name) == 0 ||
            (option[1] == '-' && std::strcmp(option + 1, name) == 0))
            return true;
    }
    return false;
}

QtMessageHandler previousHandler = nullptr;

// Qt's words for a display it cannot reach are English and end in an abort.
void displayHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg) {
        Q_UNUSED(message);
        const QString display =
            qEnvironmentVariable("WAYLAND_DISPLAY", qEnvironmentVariable("DISPLAY"));
        print(stderr, QStringLiteral("tarvimo: non riesco a collegarmi allo schermo «%1».\n"
                                     "Avvia Tarvimo da una sessione grafica.\n")
                          .arg(display));
        std::_Exit(1);
    }
    const QByteArray category(context.category ? context.category : "");
    if (category.startsWith("qt.qpa.xcb") || category.startsWith("qt.qpa.plugin"))
        return; // said in Italian by the fatal message that follows
    if (previousHandler)
        previousHandler(type, context, message);
    else
        print(stderr, message + QLatin1Char('\n'));
}

} // namespace

CommandLine readCommandLine(int argc, char** argv) {
    CommandLine line;
    QStringList files;
    bool optionsEnd = false;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (!optionsEnd && arg[0] == '-' && arg[1] != '\0') {
            if (std::strcmp(arg, "--") == 0) {
                optionsEnd = true;
            } else if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
                print(stdout, QString::fromUtf8(help).arg(rideFormatList()));
                line.exitCode = 0;
                return line;
            } else if (std::strcmp(arg, "--version") == 0 || std::strcmp(arg, "-v") == 0) {
                print(stdout, QStringLiteral("Tarvimo %1\n").arg(QStringLiteral(TARVIMO_VERSION)));
                line.exitCode = 0;
                return line;
            } else if (arg[1] == '-' && !takesValue(arg)) {
                print(stderr, QStringLiteral("tarvimo: opzione sconosciuta «%1».\n"
                                             "Prova «tarvimo --help».\n")
                                  .arg(QFile::decodeName(arg)));
                line.exitCode = 2;
                return line;
            } else if (takesValue(arg)) {
                ++i; // Qt's option and its value
            }
            continue;
        }
        files << QFile::decodeName(arg);
    }
    if (files.size() > 1) {
        print(stderr, QStringLiteral("tarvimo: si apre una traccia alla volta, non %1.\n"
                                     "Prova «tarvimo --help».\n")
                          .arg(files.size()));
        line.exitCode = 2;
        return line;
    }
    if (!files.isEmpty())
        line.rideFile = files.front();
    return line;
}

bool displayAvailable(int argc, char** argv) {
    QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            platform = argv[i + 1];
    }
    const bool windowing =
        platform.isEmpty() || platform.startsWith("xcb") || platform.startsWith("wayland");
    if (windowing && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        print(stderr, QStringLiteral("tarvimo: non c'è uno schermo (né DISPLAY né "
                                     "WAYLAND_DISPLAY sono impostati).\n"
                                     "Avvia Tarvimo da una sessione grafica; "
                                     "«tarvimo --help» spiega l'uso.\n"));
        return false;
    }
    previousHandler = qInstallMessageHandler(displayHandler);
    return true;
}

void endDisplayGuard() {
    qInstallMessageHandler(previousHandler);
}

} // namespace tarvimo
