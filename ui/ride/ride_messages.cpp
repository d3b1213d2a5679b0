// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ride/ride_messages.h"

#include "climb.h"
#include "counted.h"
#include "ride_file.h"
#include "ride_formats.h"

#include <QDateTime>
#include <QDir>
#include <QStringList>
#include <cmath>

namespace tarvimo {

QString rideErrorMessage(const RideFile& file, const QString& path) {
    const QString name = QDir::toNativeSeparators(path);
    const QString where =
        file.line > 0
            ? QStringLiteral(" alla riga %1").arg(QString::fromStdString(grouped(file.line)))
            : QString();
    QString text;
    switch (file.error) {
    case RideError::None:
    case RideError::Cancelled:
        return {};
    case RideError::NotFound:
        text = QStringLiteral("Il file «%1» non esiste.");
        break;
    case RideError::IsFolder:
        text = QStringLiteral("«%1» è una cartella, non un file.");
        break;
    case RideError::NotReadable:
        text = QStringLiteral("Il file «%1» non si può leggere: mancano i permessi o la lettura "
                              "non è riuscita.");
        break;
    case RideError::Empty:
        text = QStringLiteral("Il file «%1» è vuoto.");
        break;
    case RideError::TooLarge:
        text =
            QStringLiteral("Il file «%1» è troppo grande: Tarvimo legge tracce fino a %2 MB.")
                .arg(QStringLiteral("%1"), QString::fromStdString(grouped(maxRideFileBytes >> 20)));
        break;
    case RideError::UnknownFormat:
        text = QStringLiteral("Il file «%1» non è una traccia %2.")
                   .arg(QStringLiteral("%1"), rideFormatList());
        break;
    case RideError::Malformed:
        text = QStringLiteral("Il file «%1» non è scritto correttamente: c'è un errore%2.")
                   .arg(QStringLiteral("%1"), where);
        break;
    case RideError::Truncated:
        text = QStringLiteral("Il file «%1» è interrotto%2.").arg(QStringLiteral("%1"), where);
        break;
    case RideError::NoPoints:
        text = QStringLiteral("Il file «%1» non contiene punti di una traccia.");
        break;
    case RideError::OnePoint:
        text = QStringLiteral("Il file «%1» contiene un solo punto: per una salita ne servono "
                              "almeno due.");
        break;
    case RideError::NoElevation:
        text = QStringLiteral("I punti del file «%1» non hanno la quota: senza quote non c'è un "
                              "dislivello.");
        break;
    case RideError::BadCoordinates:
        text = QStringLiteral("Il file «%1» ha una latitudine o una longitudine non valida%2.")
                   .arg(QStringLiteral("%1"), where);
        break;
    case RideError::BadNumber:
        text = QStringLiteral("Il file «%1» ha un valore che non è un numero%2.")
                   .arg(QStringLiteral("%1"), where);
        break;
    case RideError::EntitiesRefused:
        text = QStringLiteral("Il file «%1» dichiara delle entità XML: per sicurezza Tarvimo non "
                              "le legge.");
        break;
    case RideError::ConverterMissing:
        text = QStringLiteral("Il file «%1» si legge solo con GPSBabel, che manca. Per leggere i "
                              "file FIT serve GPSBabel: installa il pacchetto gpsbabel.");
        break;
    case RideError::ConverterFailed:
        text = QStringLiteral("GPSBabel non è riuscito a convertire il file «%1».");
        break;
    case RideError::ConverterTimedOut:
        text = QStringLiteral("GPSBabel ha impiegato troppo a convertire il file «%1» ed è stato "
                              "fermato.");
        break;
    case RideError::OutOfMemory:
        text = QStringLiteral("La memoria non basta per leggere il file «%1».");
        break;
    }
    return text.arg(name);
}

QString rideNotes(const RideFile& file, bool rises, bool timesAdvance) {
    QStringList notes;
    const Ride& ride = file.ride;
    if (file.damaged) {
        QString read =
            QString::fromStdString(counted(std::int64_t(ride.size()), "è stata letta %1 posizione",
                                           "sono state lette %1 posizioni"));
        if (const double last = ride.time(ride.size() - 1); std::isfinite(last))
            read += QStringLiteral(", fino alle ") +
                    QDateTime::fromSecsSinceEpoch(std::llround(last), Qt::UTC)
                        .toLocalTime()
                        .toString(QStringLiteral("HH:mm:ss"));
        notes << QStringLiteral("Il file è danneggiato o interrotto: %1.").arg(read);
    }
    if (!ride.hasTimes())
        notes << QStringLiteral("Il file non ha i tempi dei punti: \"Usa questa salita\" scrive "
                                "la distanza e il dislivello, e come tempo quello previsto alla "
                                "potenza obiettivo, se è data; senza, i campi del tempo restano "
                                "come sono.");
    else if (!timesAdvance)
        notes << QStringLiteral("I tempi del file non avanzano: \"Usa questa salita\" scrive la "
                                "distanza e il dislivello, e come tempo quello previsto alla "
                                "potenza obiettivo, se è data; la data e, senza obiettivo, i "
                                "campi del tempo restano come sono.");
    if (const auto late = ride.timesOutOfOrder())
        notes << QString::fromStdString(
            counted(std::int64_t(late),
                    "%1 punto ha un tempo precedente a quello di un punto prima di lui: per quel "
                    "punto il tempo non è contato (un tempo ripetuto vale zero secondi).",
                    "%1 punti hanno un tempo precedente a quello di un punto prima di loro: per "
                    "quei punti il tempo non è contato (un tempo ripetuto vale zero secondi)."));
    if (file.pointsWithoutElevation > 0)
        notes << QString::fromStdString(counted(std::int64_t(file.pointsWithoutElevation),
                                                "%1 punto senza quota è stato saltato.",
                                                "%1 punti senza quota sono stati saltati."));
    if (!rises)
        notes << QString::fromUtf8(noClimbNote);
    return notes.join(QLatin1Char('\n'));
}

} // namespace tarvimo
