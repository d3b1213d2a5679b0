// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <exception>
#include <string>
#include <string_view>

namespace tarvimo {

// The faults a conversion or the calculation can meet. Every failure of the core is one of these.
enum class ErrorKind { Overflow, DivisionByZero, InvalidOperation, TypeMismatch };

// What the calculation was working out when a fault stopped it, in the order it works.
enum class Stage {
    None,
    TotalMass,
    TotalTime,
    GravityPower,
    AverageSpeed,
    AirPower,
    WheelRadius,
    FrictionPower,
    TotalPower,
    PowerPerKg,
    Gradient,
    Cadence,
    ClimbingSpeed,
    Torque,
    PeakForce,
};

// Italian name of a fault, as the user reads it in a message box.
std::string_view errorName(ErrorKind kind);

// Italian description of a stage ("P.Asc. (potenza contro la gravità)").
std::string_view stageDescription(Stage stage);

class RuntimeError : public std::exception {
public:
    explicit RuntimeError(ErrorKind kind, Stage stage = Stage::None);

    ErrorKind kind() const noexcept { return m_kind; }
    Stage stage() const noexcept { return m_stage; }
    RuntimeError at(Stage stage) const { return RuntimeError(m_kind, stage); }

    // The full Italian message: the fault, and where the calculation was when it met it.
    const char* what() const noexcept override { return m_message.c_str(); }

private:
    ErrorKind m_kind;
    Stage m_stage;
    std::string m_message;
};

} // namespace tarvimo
