// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "babel_converter.h"

#include "tcx_reader.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QProcessEnvironment>

namespace tarvimo {
namespace {

class Conversion {
public:
    // `recovering`: the run that reads a damaged file up to the damage.
    Conversion(RideFile& result, qint64 outputBytes, bool recovering)
        : m_result(result), m_outputBytes(outputBytes), m_recovering(recovering),
          m_builder(result.ride), m_reader(m_builder) {}

    RideError run(const QString& program, const QStringList& arguments,
                  const QDeadlineTimer& deadline, const RideProgress& progress) {
        m_process.setProgram(program);
        m_process.setArguments(arguments);
        m_process.start(QIODevice::ReadOnly);
        if (!m_process.waitForStarted(int(qMax<qint64>(1, deadline.remainingTime())))) {
            m_result.detail = m_process.errorString();
            return m_process.error() == QProcess::FailedToStart ? RideError::ConverterMissing
                                                                : RideError::ConverterFailed;
        }
        for (;;) {
            m_process.waitForReadyRead(100);
            if (const RideError error = take(); error != RideError::None) {
                return stop(error);
            }
            if (m_process.state() == QProcess::NotRunning) {
                break;
            }
            if (deadline.hasExpired()) {
                return stop(RideError::ConverterTimedOut);
            }
            if (progress && !progress(0, 0)) {
                return stop(RideError::Cancelled);
            }
        }
        if (const RideError error = take(); error != RideError::None) {
            return error;
        }
        const bool crashed = m_process.exitStatus() != QProcess::NormalExit;
        const bool failed = crashed || m_process.exitCode() != 0;
        if (failed) {
            const QString said = QString::fromLocal8Bit(m_process.readAllStandardError());
            m_result.detail = said.section(QLatin1Char('\n'), 0, 0, QString::SectionSkipEmpty);
        }
        // Reading a damaged file, gpsbabel may say it failed after writing the points up to the
        // damage: a whole TCX still counts, and a cut one fails below as the TCX reader says.
        if (crashed || (failed && (!m_recovering || m_output == 0))) {
            return RideError::ConverterFailed;
        }
        if (m_output == 0) {
            return RideError::NoPoints;
        }
        const RideError error = m_reader.feed(nullptr, 0, true);
        m_result.line = m_reader.line();
        // gpsbabel names a course it has no name for "New Course": that says nothing.
        if (m_reader.name() != QLatin1StringView("New Course")) {
            m_result.name = m_reader.name();
        }
        m_result.pointsWithoutElevation = m_builder.withoutElevation();
        return error;
    }

private:
    // Feeds what gpsbabel wrote so far to the TCX reader.
    RideError take() {
        const QByteArray data = m_process.readAllStandardOutput();
        m_output += data.size();
        if (m_output > m_outputBytes) {
            return RideError::TooLarge;
        }
        const RideError error = m_reader.feed(data.constData(), std::size_t(data.size()), false);
        if (error != RideError::None) {
            m_result.line = m_reader.line();
            m_result.detail = m_reader.detail();
        }
        return error;
    }

    RideError stop(RideError error) {
        m_process.kill();
        m_process.waitForFinished(5000);
        return error;
    }

    RideFile& m_result;
    qint64 m_outputBytes;
    bool m_recovering;
    TrackBuilder m_builder;
    TcxReader m_reader;
    QProcess m_process;
    qint64 m_output = 0;
};

} // namespace

BabelLimits BabelLimits::forFile(qint64 bytes) {
    BabelLimits limits;
    limits.outputBytes = qBound(qint64(64) << 20, bytes * 100, limits.outputBytes);
    return limits;
}

QString gpsbabelProgram() {
    const QString set = qEnvironmentVariable("TARVIMO_GPSBABEL");
    return set.isEmpty() ? QStringLiteral("gpsbabel") : set;
}

RideFile convertWithBabel(const QString& program, const QString& path, const BabelInput& input,
                          const BabelLimits& limits, const RideProgress& progress) {
    // One deadline for both runs: the whole read stays within limits.milliseconds, plus the time a
    // killed gpsbabel takes to go.
    const QDeadlineTimer deadline(limits.milliseconds);
    const auto convert = [&](const QString& format, bool recovering) {
        RideFile result;
        Conversion conversion(result, limits.outputBytes, recovering);
        // "-" as the output file is gpsbabel's stdout; the input path is one argument, whatever
        // it holds, and a leading '-' cannot pass for an option after -f.
        result.error = conversion.run(program,
                                      {QStringLiteral("-i"), format, QStringLiteral("-f"), path,
                                       QStringLiteral("-o"), QStringLiteral("gtrnctr"),
                                       QStringLiteral("-F"), QStringLiteral("-")},
                                      deadline, progress);
        return result;
    };
    RideFile refused = convert(input.format, false);
    if (refused.error != RideError::ConverterFailed || input.recovery.isEmpty() ||
        deadline.hasExpired()) {
        return refused;
    }
    refused.ride = {}; // whatever it held: not kept in memory beside the second run's
    RideFile recovered = convert(input.recovery, true);
    if (recovered.error == RideError::Cancelled) {
        return recovered;
    }
    if (recovered.error != RideError::None) {
        return refused; // nothing read before the damage: gpsbabel's first words say why
    }
    recovered.damaged = true;
    recovered.detail = refused.detail;
    return recovered;
}

} // namespace tarvimo
