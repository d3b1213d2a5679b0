// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "runtime_error.h"

namespace tarvimo {

std::string_view errorName(ErrorKind kind) {
    switch (kind) {
    case ErrorKind::Overflow:
        return "Overflow";
    case ErrorKind::DivisionByZero:
        return "Divisione per zero";
    case ErrorKind::InvalidOperation:
        return "Operazione non valida (zero diviso zero)";
    case ErrorKind::TypeMismatch:
        return "Tipo non corrispondente";
    }
    return "Errore";
}

std::string_view stageDescription(Stage stage) {
    switch (stage) {
    case Stage::None:
        return {};
    case Stage::TotalMass:
        return "massa totale (Ciclista + Bici + Altro)";
    case Stage::TotalTime:
        return "tempo totale (min. e sec.)";
    case Stage::GravityPower:
        return "P.Asc. (potenza contro la gravità)";
    case Stage::AverageSpeed:
        return "V.media Km/h (velocità media)";
    case Stage::AirPower:
        return "P.aero. (potenza contro l'aria)";
    case Stage::WheelRadius:
        return "raggio della ruota (D.ruote)";
    case Stage::FrictionPower:
        return "P.Att. (potenza contro gli attriti)";
    case Stage::TotalPower:
        return "P.totale W (potenza totale)";
    case Stage::PowerPerKg:
        return "W/kg cicl. (potenza per kg del ciclista)";
    case Stage::Gradient:
        return "P.M.% (pendenza media)";
    case Stage::Cadence:
        return "PPM (pedalate al minuto)";
    case Stage::ClimbingSpeed:
        return "VAM m/h (velocità ascensionale media)";
    case Stage::Torque:
        return "Coppia med. NM (coppia media)";
    case Stage::PeakForce:
        return "Forza max Kgf (forza massima sul pedale)";
    }
    return {};
}

namespace {

std::string composeMessage(ErrorKind kind, Stage stage) {
    std::string message(errorName(kind));
    if (stage != Stage::None) {
        message += ". Calcolo interrotto a: ";
        message += stageDescription(stage);
    }
    message += '.';
    return message;
}

} // namespace

RuntimeError::RuntimeError(ErrorKind kind, Stage stage)
    : m_kind(kind), m_stage(stage), m_message(composeMessage(kind, stage)) {}

} // namespace tarvimo
