// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calculation.h"

#include <cmath>

namespace tarvimo {

namespace {

// Every operation is checked as it happens, so no fault can slip through to a field as "Inf" or
// "NaN" whatever the optimiser does. The operands are always finite: the parses never return
// anything else and every earlier result was checked.
double checked(double result) {
    if (std::isnan(result)) {
        throw RuntimeError(ErrorKind::InvalidOperation);
    }
    if (std::isinf(result)) {
        throw RuntimeError(ErrorKind::Overflow);
    }
    return result;
}

double add(double a, double b) {
    return checked(a + b);
}
double mul(double a, double b) {
    return checked(a * b);
}

double quot(double a, double b) {
    if (b == 0.0) {
        throw RuntimeError(a == 0.0 ? ErrorKind::InvalidOperation : ErrorKind::DivisionByZero);
    }
    return checked(a / b);
}

// The calculation's constants, at the values it has always used.
// Gravity in m/s², times ten: the gravity power is rounded to tenths of a watt.
constexpr double gravityTimesTen = 98;
// 2π as written to two decimals, in every turn of a wheel or a crank.
constexpr double twoPi = 6.28;
// A 26-inch wheel is taken as 0.71 m across.
constexpr double referenceWheelInches = 26;
constexpr double referenceWheelMetres = 0.71;
// Gravity in the friction term.
constexpr double frictionGravity = 9.81;
// Crank turns a minute from wheel turns a second and the gear ratio (a little over 60 s).
constexpr double gearingFactor = 62;
// Newtons in one kilogram-force.
constexpr double newtonsPerKgf = 9.8;
// The peak force on a pedal against the average over a turn.
constexpr double peakToAverageForce = 3.75;

// Reads and writes the sheet the way the calculation needs.
class Steps {
public:
    Steps(FieldSheet& sheet, const NumberSettings& settings)
        : m_sheet(sheet), m_settings(settings) {}

    double leading(Field field) const { return leadingNumber(m_sheet.text(field)); }
    double locale(Field field) const { return localeNumber(m_sheet.text(field), m_settings); }
    // A result this calculation wrote a moment ago, read with its own decimal separator.
    double ownResult(Field field) const { return readBack(m_sheet.text(field), m_settings); }
    std::string text(double value) const { return numberText(value, m_settings); }
    void write(Field field, double value) { m_sheet.setText(field, text(value)); }
    void normalise(Field field) { commaToDot(m_sheet, field); }

private:
    FieldSheet& m_sheet;
    const NumberSettings& m_settings;
};

void run(FieldSheet& sheet, const NumberSettings& settings, Stage& stage) {
    using enum Field;
    Steps s(sheet, settings);

    for (Field f : {massac, massabici, altramassa, sceglisecondi, scegliminuti, sceglidislivello,
                    scegliA, scegliF, sceglicorona, sceglipignone, sceglilunghezza}) {
        s.normalise(f);
    }

    stage = Stage::TotalMass;
    const double M = add(add(s.leading(massac), s.leading(massabici)), s.leading(altramassa));

    stage = Stage::TotalTime;
    const double T = add(s.leading(sceglisecondi), mul(s.leading(scegliminuti), 60));

    // The time goes through its own text once, as the result texts do.
    stage = Stage::GravityPower;
    const double H = s.leading(sceglidislivello);
    const double Tg = readBack(s.text(T), settings);
    const double x = quot(mul(mul(M, gravityTimesTen), H), Tg);
    s.write(mostrapgrav, mul(roundHalfEven(x), 0.1));

    stage = Stage::AverageSpeed;
    const double V = quot(s.leading(sceglilunghezza), T);
    const double y = mul(quot(mul(V, 100), 1000), 3600);
    s.write(mostraVmedia, mul(roundHalfEven(y), 0.01));

    stage = Stage::AirPower;
    const double A = s.leading(scegliA);
    const double z = mul(checked(std::pow(V, 3)), mul(A, 10));
    s.write(mostrapaero, mul(roundHalfEven(z), 0.1));

    stage = Stage::WheelRadius;
    const double R =
        mul(quot(quot(s.locale(scegliruote), 2), referenceWheelInches), referenceWheelMetres);

    stage = Stage::FrictionPower;
    const double F = s.leading(scegliF);
    const double a = mul(quot(V, 3.6), twoPi);
    const double b = mul(R, twoPi);
    const double q = quot(a, b);
    const double u = mul(mul(mul(mul(R, 10), F), frictionGravity), M);
    const double w = mul(q, u);
    s.write(mostrapatt, mul(roundHalfEven(w), 0.1));

    stage = Stage::TotalPower;
    const double ptot =
        add(add(s.ownResult(mostrapatt), s.ownResult(mostrapaero)), s.ownResult(mostrapgrav));
    s.write(mostraptot, ptot);

    // Per kilogram of rider only, not of the whole mass.
    stage = Stage::PowerPerKg;
    const double k = quot(mul(s.locale(mostraptot), 10), s.leading(massac));
    s.write(mostrawkg, mul(roundHalfEven(k), 0.1));

    stage = Stage::Gradient;
    const double g =
        mul(quot(mul(s.leading(sceglidislivello), 100), s.leading(sceglilunghezza)), 100);
    s.write(mostrapmedia, mul(roundHalfEven(g), 0.01));

    stage = Stage::Cadence;
    const double wheelTurns = quot(V, mul(R, twoPi));
    const double c = mul(mul(wheelTurns, quot(s.leading(sceglipignone), s.leading(sceglicorona))),
                         gearingFactor);
    s.write(mostraPPM, roundHalfEven(c));

    stage = Stage::ClimbingSpeed;
    const double h = roundHalfEven(s.leading(sceglidislivello));
    s.write(mostraVAM, mul(quot(h, T), 3600));

    stage = Stage::Torque;
    const double t =
        quot(mul(s.ownResult(mostraptot), 10), quot(mul(s.ownResult(mostraPPM), twoPi), 60));
    s.write(mostraCoppia, mul(roundHalfEven(t), 0.1));

    stage = Stage::PeakForce;
    const double crank = quot(s.leading(sceglipedivelle), 1000);
    const double f = quot(quot(quot(s.ownResult(mostraCoppia), crank), 2), newtonsPerKgf);
    const double e = mul(mul(f, peakToAverageForce), 10);
    s.write(mostraFmax, mul(roundHalfEven(e), 0.1));

    stage = Stage::None;
    for (Field f : {mostrapaero, mostrapatt, mostrapgrav, mostrawkg, mostrapmedia, mostraPPM,
                    mostraVAM, mostraFmax, mostraVmedia, mostraCoppia}) {
        s.normalise(f);
    }
}

} // namespace

void calculate(FieldSheet& sheet, const NumberSettings& settings) {
    Stage stage = Stage::None;
    try {
        run(sheet, settings, stage);
    } catch (const RuntimeError& error) {
        if (error.stage() == Stage::None) {
            throw error.at(stage);
        }
        throw;
    }
}

} // namespace tarvimo
