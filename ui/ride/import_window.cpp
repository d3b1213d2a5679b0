// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ride/import_window.h"

#include "climb.h"
#include "ride/profile_view.h"
#include "ride/ride_messages.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvimo {

ImportWindow::ImportWindow(RideFile file, const QString& decimal, QWidget* parent)
    : QDialog(parent), m_file(std::move(file)), m_figures(decimal),
      m_profile(new ProfileView(m_file.ride, decimal, this)), m_form(new QFormLayout) {
    setObjectName(QStringLiteral("importaSalita"));
    setWindowTitle(QStringLiteral("Importa salita"));
    setAccessibleName(windowTitle());
    setWindowModality(Qt::WindowModal);

    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(m_file.name, this);
    title->setObjectName(QStringLiteral("nomeTraccia"));
    title->setAccessibleName(QStringLiteral("Traccia: ") + m_file.name);
    title->setTextFormat(Qt::PlainText);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    layout->addWidget(title);
    layout->addWidget(m_profile, 1);

    m_distance = addFigure(QStringLiteral("Distanza"), "distanza");
    m_gain = addFigure(QStringLiteral("Dislivello"), "dislivello");
    m_time = addFigure(QStringLiteral("Tempo"), "tempo");
    m_gradient = addFigure(QStringLiteral("Pendenza media"), "pendenza");
    if (m_file.ride.hasPower())
        m_power = addFigure(QStringLiteral("Potenza media registrata"), "potenza");
    if (m_file.ride.hasCadence())
        m_cadence = addFigure(QStringLiteral("Cadenza media registrata"), "cadenza");
    layout->addLayout(m_form);

    const Climb climb = findClimb(m_file.ride);
    const QString notes =
        rideNotes(m_file, climb.rises,
                  RideFigures::stretch(m_file.ride, climb.first, climb.last).seconds.has_value());
    if (!notes.isEmpty()) {
        auto* note = new QLabel(notes, this);
        note->setObjectName(QStringLiteral("nota"));
        note->setAccessibleName(QStringLiteral("Nota"));
        note->setTextFormat(Qt::PlainText);
        note->setWordWrap(true);
        layout->addWidget(note);
    }

    auto* buttons = new QDialogButtonBox(this);
    buttons->setObjectName(QStringLiteral("pulsanti"));
    QPushButton* use =
        buttons->addButton(QStringLiteral("Usa questa salita"), QDialogButtonBox::AcceptRole);
    use->setObjectName(QStringLiteral("usaSalita"));
    use->setAccessibleName(use->text());
    use->setDefault(true);
    QPushButton* cancel =
        buttons->addButton(QStringLiteral("Annulla"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("annulla"));
    cancel->setAccessibleName(cancel->text());
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    connect(m_profile, &ProfileView::selectionChanged, this, &ImportWindow::showFigures);
    const std::size_t last = std::max<std::size_t>(climb.last, 1);
    m_profile->setSelection(std::min(climb.first, last - 1), last);
    showFigures(m_profile->first(), m_profile->last());
    setTabOrder(m_profile->handle(ProfileHandle::End::End), use);
    m_profile->handle(ProfileHandle::End::Start)->setFocus(Qt::OtherFocusReason);
}

QLabel* ImportWindow::addFigure(const QString& caption, const char* name) {
    auto* value = new QLabel(this);
    value->setObjectName(QLatin1String(name));
    value->setAccessibleName(caption);
    value->setTextFormat(Qt::PlainText);
    auto* label = new QLabel(caption + QLatin1Char(':'), this);
    label->setObjectName(QLatin1String(name) + QStringLiteral("Etichetta"));
    label->setBuddy(value);
    m_form->addRow(label, value);
    return value;
}

void ImportWindow::showFigures(std::size_t first, std::size_t last) {
    const Stretch stretch = RideFigures::stretch(m_file.ride, first, last);
    m_distance->setText(m_figures.distance(stretch));
    m_gain->setText(m_figures.gain(stretch));
    m_time->setText(m_figures.time(stretch));
    m_gradient->setText(m_figures.gradient(stretch));
    if (m_power)
        m_power->setText(m_figures.power(stretch));
    if (m_cadence)
        m_cadence->setText(m_figures.cadence(stretch));
}

RideChoice ImportWindow::choice() const {
    return RideFigures::choice(m_file.ride, m_profile->first(), m_profile->last(), m_file.name,
                               double(QDateTime::currentSecsSinceEpoch()));
}

} // namespace tarvimo
