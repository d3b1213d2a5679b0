// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ride/import_window.h"

#include "climb.h"
#include "climb_estimate.h"
#include "ride/profile_view.h"
#include "ride/ride_messages.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace tarvimo {

ImportWindow::ImportWindow(RideFile file, RideSheet sheet, QWidget* parent)
    : QDialog(parent), m_file(std::move(file)), m_sheet(std::move(sheet)),
      m_figures(QString::fromStdString(m_sheet.settings.decimal)),
      m_proposal(proposeClimb(m_file.ride)), m_climbList(new QListWidget(this)),
      m_profile(new ProfileView(m_file.ride, m_figures.decimal(), this)), m_form(new QFormLayout) {
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

    addClimbList(*layout);
    layout->addWidget(m_profile, 1);

    // Two columns, the stretch's figures and its power, leaving the height to the profile.
    m_distance = addFigure(*m_form, QStringLiteral("Distanza"), "distanza");
    m_gain = addFigure(*m_form, QStringLiteral("Dislivello"), "dislivello");
    m_time = addFigure(*m_form, QStringLiteral("Tempo"), "tempo");
    m_gradient = addFigure(*m_form, QStringLiteral("Pendenza media"), "pendenza");
    auto* power = new QFormLayout;
    if (m_file.ride.hasPower())
        m_power = addFigure(*power, QStringLiteral("Potenza media registrata"), "potenza");
    if (m_file.ride.hasCadence())
        m_cadence = addFigure(*power, QStringLiteral("Cadenza media registrata"), "cadenza");
    m_estimate = addFigure(*power, QStringLiteral("Potenza stimata"), "potenzaStimata");

    // The target power and, below it, the time it takes at that power.
    m_target = new QLineEdit(this);
    m_target->setObjectName(QStringLiteral("potenzaObiettivo"));
    m_target->setAccessibleName(QStringLiteral("Potenza obiettivo (W)"));
    auto* targetLabel = new QLabel(QStringLiteral("Potenza obiettivo (W):"), this);
    targetLabel->setObjectName(QStringLiteral("potenzaObiettivoEtichetta"));
    targetLabel->setBuddy(m_target);
    power->addRow(targetLabel, m_target);
    m_predicted = addFigure(*power, QStringLiteral("Tempo previsto"), "tempoPrevisto");
    connect(m_target, &QLineEdit::textChanged, this, &ImportWindow::showPrediction);
    auto* figures = new QHBoxLayout;
    figures->addLayout(m_form);
    figures->addSpacing(fontMetrics().horizontalAdvance(QLatin1Char('M')) * 2);
    figures->addLayout(power, 1);
    layout->addLayout(figures);

    const Climb& climb = m_proposal.stretch;
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
    if (m_proposal.proposed)
        m_climbList->setCurrentRow(int(*m_proposal.proposed));
    connect(m_climbList, &QListWidget::currentRowChanged, this, &ImportWindow::chooseClimb);
    showFigures(m_profile->first(), m_profile->last());
    setTabOrder(m_climbList, m_profile->handle(ProfileHandle::End::Start));
    setTabOrder(m_profile->handle(ProfileHandle::End::End), m_target);
    setTabOrder(m_target, use);
    if (m_climbList->isVisibleTo(this))
        m_climbList->setFocus(Qt::OtherFocusReason);
    else
        m_profile->handle(ProfileHandle::End::Start)->setFocus(Qt::OtherFocusReason);
}

void ImportWindow::chooseClimb(int row) {
    if (row < 0 || std::size_t(row) >= m_proposal.climbs.size())
        return;
    const Climb& climb = m_proposal.climbs[std::size_t(row)];
    m_profile->setSelection(climb.first, climb.last);
}

void ImportWindow::addClimbList(QVBoxLayout& layout) {
    m_climbList->setObjectName(QStringLiteral("salite"));
    // A long row ends in "…" rather than under a scroll bar; its tooltip and its accessible
    // text are whole. A ride can have a thousand climbs: rows of one height are laid out at once.
    m_climbList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_climbList->setUniformItemSizes(true);
    m_climbList->setAccessibleName(QStringLiteral("Salite"));
    std::vector<std::pair<std::size_t, std::size_t>> bands;
    for (const Climb& climb : m_proposal.climbs) {
        auto* row = new QListWidgetItem(m_figures.climbRow(m_file.ride, climb), m_climbList);
        row->setToolTip(row->text());
        bands.emplace_back(climb.first, climb.last);
    }
    // A few rows show at once; more scroll, and the profile keeps the room.
    const int rows = std::min<int>(int(m_proposal.climbs.size()), 4);
    m_climbList->setFixedHeight(m_climbList->sizeHintForRow(0) * std::max(rows, 1) +
                                2 * m_climbList->frameWidth() + 2);
    auto* listLabel = new QLabel(QStringLiteral("Salite:"), this);
    listLabel->setObjectName(QStringLiteral("saliteEtichetta"));
    listLabel->setBuddy(m_climbList);
    layout.addWidget(listLabel);
    layout.addWidget(m_climbList);
    listLabel->setVisible(!m_proposal.climbs.empty());
    m_climbList->setVisible(!m_proposal.climbs.empty());
    m_profile->setClimbs(std::move(bands));
}

QLabel* ImportWindow::addFigure(QFormLayout& form, const QString& caption, const char* name) {
    auto* value = new QLabel(this);
    value->setObjectName(QLatin1String(name));
    value->setAccessibleName(caption);
    value->setTextFormat(Qt::PlainText);
    auto* label = new QLabel(caption + QLatin1Char(':'), this);
    label->setObjectName(QLatin1String(name) + QStringLiteral("Etichetta"));
    label->setBuddy(value);
    form.addRow(label, value);
    return value;
}

void ImportWindow::showFigures(std::size_t first, std::size_t last) {
    // A handle moved by hand: the selection is no listed climb any more.
    if (const int row = m_climbList->currentRow(); row >= 0) {
        const Climb& climb = m_proposal.climbs[std::size_t(row)];
        if (climb.first != first || climb.last != last) {
            const QSignalBlocker quiet(m_climbList);
            m_climbList->setCurrentRow(-1);
            m_climbList->clearSelection();
        }
    }
    const Stretch stretch = RideFigures::stretch(m_file.ride, first, last);
    m_distance->setText(m_figures.distance(stretch));
    m_gain->setText(m_figures.gain(stretch));
    m_time->setText(m_figures.time(stretch));
    m_gradient->setText(m_figures.gradient(stretch));
    if (m_power)
        m_power->setText(m_figures.power(stretch));
    if (m_cadence)
        m_cadence->setText(m_figures.cadence(stretch));
    showEstimate(stretch);
    showPrediction();
}

PowerEstimate ImportWindow::estimate(const Stretch& stretch) const {
    double seconds = stretch.seconds.value_or(0);
    if (!stretch.seconds) {
        // The sheet's own time, read as the calculation reads it.
        for (const auto& [field, factor] :
             {std::pair{Field::scegliminuti, 60.0}, std::pair{Field::sceglisecondi, 1.0}}) {
            try {
                seconds += factor * leadingNumber(m_sheet.sheet.text(field));
            } catch (const RuntimeError& error) {
                return {std::nullopt, EstimateFault{field, error.kind(), Stage::None}};
            }
        }
    }
    return estimateTotalPower(m_sheet.sheet, m_sheet.settings, stretch.distance, stretch.gain,
                              seconds);
}

QString ImportWindow::faultText(const EstimateFault& fault) const {
    const auto text = [](std::string_view words) {
        return QString::fromUtf8(words.data(), qsizetype(words.size()));
    };
    QString said = QStringLiteral("Il campo «%1» non si può usare: %2")
                       .arg(m_sheet.caption(fault.field), text(errorName(fault.kind)));
    if (fault.stage != Stage::None)
        said += QStringLiteral(" (%1)").arg(text(stageDescription(fault.stage)));
    return said + QLatin1Char('.');
}

void ImportWindow::showEstimate(const Stretch& stretch) {
    const PowerEstimate estimate = this->estimate(stretch);
    QString text = QStringLiteral("—");
    QString why;
    if (estimate.watts) {
        text = QStringLiteral("%1 W").arg(m_figures.number(*estimate.watts, 0));
        if (stretch.averagePower && *stretch.averagePower > 0) {
            const auto share = std::lround((*estimate.watts / *stretch.averagePower - 1) * 100);
            text += QStringLiteral(" (%1%2 %)")
                        .arg(share < 0   ? QStringLiteral("−")
                             : share > 0 ? QStringLiteral("+")
                                         : QString())
                        .arg(std::abs(share));
        }
    } else if (estimate.fault) {
        why = faultText(*estimate.fault);
    }
    m_estimate->setText(text);
    m_estimate->setToolTip(why);
    m_estimate->setAccessibleDescription(why);
}

void ImportWindow::showPrediction() {
    m_predictedSeconds.reset();
    const QString typed = m_target->text().trimmed();
    QString why;
    QString text = QStringLiteral("—"); // until a target is written
    if (!typed.isEmpty()) {
        const Stretch stretch =
            RideFigures::stretch(m_file.ride, m_profile->first(), m_profile->last());
        SecondsPrediction prediction;
        try {
            prediction =
                predictSeconds(m_sheet.sheet, m_sheet.settings, stretch.distance, stretch.gain,
                               localeNumber(typed.toStdString(), m_sheet.settings));
        } catch (const RuntimeError&) {
            prediction.failure = PredictionFailure::TargetNotPositive;
        }
        m_predictedSeconds = prediction.seconds;
        switch (prediction.failure) {
        case PredictionFailure::None:
            text = RideFigures::duration(double(*prediction.seconds));
            break;
        case PredictionFailure::TargetNotPositive:
            text = QStringLiteral("— (la potenza obiettivo non è un numero positivo)");
            break;
        case PredictionFailure::AboveOneSecond:
            text = QStringLiteral("— (nemmeno in 1 secondo si arriva a questa potenza)");
            break;
        case PredictionFailure::BelowOneDay:
            text = QStringLiteral("— (anche in 24 ore la potenza resta più alta)");
            break;
        case PredictionFailure::CalculationFails:
            text = QStringLiteral("—");
            if (prediction.fault)
                why = faultText(*prediction.fault);
            break;
        }
    }
    m_predicted->setText(text);
    m_predicted->setToolTip(why);
    m_predicted->setAccessibleDescription(why);
}

RideChoice ImportWindow::choice() const {
    RideChoice choice =
        RideFigures::choice(m_file.ride, m_profile->first(), m_profile->last(), m_file.name,
                            double(QDateTime::currentSecsSinceEpoch()));
    const Stretch stretch =
        RideFigures::stretch(m_file.ride, m_profile->first(), m_profile->last());
    if (!stretch.seconds && m_predictedSeconds) {
        const StretchTexts texts =
            stretchTexts(stretch.distance, stretch.gain, double(*m_predictedSeconds));
        choice.minutes = QString::fromStdString(texts.minutes);
        choice.seconds = QString::fromStdString(texts.seconds);
    }
    return choice;
}

} // namespace tarvimo
