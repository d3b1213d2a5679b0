// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "diary/diary_window.h"

#include "counted.h"
#include "diary/diary_chart.h"
#include "diary/diary_model.h"
#include "diary_csv.h"
#include "saved_values.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QSplitter>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <climits>
#include <stdexcept>

namespace tarvimo {

namespace {

const QString sizeGroup = QStringLiteral("diario");

QString nativePath(const QString& path) {
    return QDir::toNativeSeparators(path);
}

} // namespace

DiaryWindow::DiaryWindow(Diary& diary, DiaryHost host, QWidget* parent)
    : QWidget(parent, Qt::Window), m_diary(diary), m_host(std::move(host)),
      m_model(new DiaryModel(diary, m_host.settings, this)), m_search(new QLineEdit(this)),
      m_table(new QTableView(this)), m_measure(new QComboBox(this)),
      m_chart(new DiaryChart(m_host.settings, this)), m_status(new QLabel(this)),
      m_chartTimer(new QTimer(this)) {
    setObjectName(QStringLiteral("diario"));
    setWindowTitle(QStringLiteral("Diario"));
    setAccessibleName(windowTitle());

    auto* layout = new QVBoxLayout(this);
    auto* searchRow = new QHBoxLayout;
    auto* searchLabel = new QLabel(QStringLiteral("&Cerca salita o ciclista:"), this);
    searchLabel->setObjectName(QStringLiteral("cercaEtichetta"));
    searchLabel->setBuddy(m_search);
    m_search->setObjectName(QStringLiteral("cerca"));
    m_search->setAccessibleName(QStringLiteral("Cerca salita o ciclista"));
    m_search->setClearButtonEnabled(true);
    searchRow->addWidget(searchLabel);
    searchRow->addWidget(m_search, 1);
    layout->addLayout(searchRow);

    m_table->setObjectName(QStringLiteral("voci"));
    m_table->setAccessibleName(QStringLiteral("Voci del diario"));
    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setWordWrap(false);
    m_table->setAlternatingRowColors(true);
    // Rows of one height, laid out without asking the model: 100,000 rows cost nothing.
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    const int digit = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    for (const auto& [column, digits] :
         {std::pair{0, 11}, {1, 24}, {2, 18}, {3, 9}, {4, 8}, {5, 8}, {6, 7}, {7, 6}, {8, 6}}) {
        m_table->setColumnWidth(column, digit * digits + 12);
    }
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->horizontalHeader()->setSortIndicator(0, Qt::DescendingOrder);
    m_table->setSortingEnabled(true);

    auto* chartRow = new QHBoxLayout;
    auto* measureLabel = new QLabel(QStringLiteral("&Grafico:"), this);
    measureLabel->setObjectName(QStringLiteral("misuraEtichetta"));
    measureLabel->setBuddy(m_measure);
    m_measure->setObjectName(QStringLiteral("misura"));
    m_measure->setAccessibleName(QStringLiteral("Grafico"));
    m_measure->addItem(QStringLiteral("W/kg"), int(DiaryChart::Measure::WattsPerKg));
    m_measure->addItem(QStringLiteral("Potenza totale"), int(DiaryChart::Measure::TotalPower));
    m_measure->addItem(QStringLiteral("Tempo"), int(DiaryChart::Measure::Time));
    chartRow->addWidget(measureLabel);
    chartRow->addWidget(m_measure);
    chartRow->addStretch(1);
    auto* lower = new QWidget(this);
    lower->setObjectName(QStringLiteral("parteGrafico"));
    auto* lowerLayout = new QVBoxLayout(lower);
    lowerLayout->setContentsMargins(0, 0, 0, 0);
    lowerLayout->addLayout(chartRow);
    lowerLayout->addWidget(m_chart, 1);
    auto* split = new QSplitter(Qt::Vertical, this);
    split->setObjectName(QStringLiteral("divisione"));
    split->setChildrenCollapsible(false);
    split->addWidget(m_table);
    split->addWidget(lower);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    layout->addWidget(split, 1);

    auto* buttons = new QHBoxLayout;
    QPushButton* reopen = addButton(QStringLiteral("&Riapri"), "riapri");
    QPushButton* remove = addButton(QStringLiteral("&Elimina"), "elimina");
    QPushButton* exportCsv = addButton(QStringLiteral("Esporta CSV…"), "esportaCsv");
    QPushButton* importCsv = addButton(QStringLiteral("Importa CSV…"), "importaCsv");
    m_status->setObjectName(QStringLiteral("stato"));
    m_status->setAccessibleName(QStringLiteral("Stato"));
    m_status->setTextFormat(Qt::PlainText);
    for (QPushButton* button : {reopen, remove, exportCsv, importCsv}) {
        buttons->addWidget(button);
    }
    buttons->addWidget(m_status, 1);
    layout->addLayout(buttons);

    // Canc and Ctrl+Z belong to the search box while it has the focus (it takes them first).
    auto* deleteAction = new QAction(QStringLiteral("Elimina"), this);
    deleteAction->setObjectName(QStringLiteral("eliminaAzione"));
    deleteAction->setShortcut(QKeySequence::Delete);
    deleteAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    auto* undoAction = new QAction(QStringLiteral("Annulla l'eliminazione"), this);
    undoAction->setObjectName(QStringLiteral("annullaAzione"));
    undoAction->setShortcut(QKeySequence::Undo);
    undoAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(deleteAction);
    addAction(undoAction);

    connect(m_search, &QLineEdit::textChanged, m_model, &DiaryModel::setFilter);
    connect(m_table, &QTableView::activated, this, &DiaryWindow::reopenCurrent);
    connect(reopen, &QPushButton::clicked, this, &DiaryWindow::reopenCurrent);
    connect(remove, &QPushButton::clicked, this, &DiaryWindow::deleteChosen);
    connect(deleteAction, &QAction::triggered, this, &DiaryWindow::deleteChosen);
    connect(undoAction, &QAction::triggered, this, &DiaryWindow::undoDelete);
    connect(exportCsv, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Esporta il diario"),
                                                          QStringLiteral("diario.csv"),
                                                          QStringLiteral("File CSV (*.csv)"));
        if (!path.isEmpty()) {
            exportTo(path);
        }
    });
    connect(importCsv, &QPushButton::clicked, this, [this] {
        const QString path =
            QFileDialog::getOpenFileName(this, QStringLiteral("Importa nel diario"), QString(),
                                         QStringLiteral("File CSV (*.csv);;Tutti i file (*)"));
        if (!path.isEmpty()) {
            importFrom(path);
        }
    });
    connect(m_measure, &QComboBox::currentIndexChanged, this,
            [this] { m_chart->setMeasure(DiaryChart::Measure(m_measure->currentData().toInt())); });
    connect(m_model, &DiaryModel::readFailed, this,
            [this](DiaryStatus status) { say(m_diary.message(status)); });
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        m_status->setText(
            QString::fromStdString(counted(m_model->rowCount(), "%1 voce", "%1 voci")));
        m_table->setCurrentIndex(m_model->index(0, 0));
    });
    // The chart follows the chosen row once the typing or the arrows pause: a keystroke in the
    // search box repaints the table without waiting for the chart.
    m_chartTimer->setObjectName(QStringLiteral("attesaGrafico"));
    m_chartTimer->setSingleShot(true);
    m_chartTimer->setInterval(80);
    connect(m_chartTimer, &QTimer::timeout, this, &DiaryWindow::showChosenClimb);
    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, m_chartTimer,
            qOverload<>(&QTimer::start));

    const std::optional<QSize> kept = SavedValues().windowSize(sizeGroup);
    m_savedSize = kept.value_or(QSize());
    resize(kept.value_or(QSize(digit * 110, fontMetrics().height() * 36)));
    refresh();
    showChosenClimb();
    m_table->setFocus(Qt::OtherFocusReason);
}

DiaryWindow::~DiaryWindow() {
    saveSize();
}

QPushButton* DiaryWindow::addButton(const QString& caption, const char* name) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QLatin1StringView(name));
    button->setAccessibleName(QString(caption).remove(QLatin1Char('&')).remove(u'…'));
    button->setAutoDefault(false);
    return button;
}

void DiaryWindow::refresh() {
    m_model->refresh();
}

void DiaryWindow::say(const QString& text) {
    if (text.isEmpty()) {
        return;
    }
    QMessageBox box(QMessageBox::Warning, windowTitle(), text, QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("messaggio"));
    box.exec();
}

void DiaryWindow::showChosenClimb() {
    m_chartTimer->stop();
    const DiaryEntry* chosen = m_model->entry(m_table->currentIndex().row());
    const QString climb =
        chosen ? QString::fromStdString(chosen->text(Field::sceglinomebici)) : QString();
    if (climb == m_chartClimb && !climb.isNull()) {
        return;
    }
    m_chartClimb = climb;
    const Diary::Climb points =
        chosen ? m_diary.climb(chosen->text(Field::sceglinomebici)) : Diary::Climb{};
    m_chart->setClimb(climb, points.points);
}

void DiaryWindow::reopenCurrent() {
    const DiaryEntry* chosen = m_model->entry(m_table->currentIndex().row());
    if (chosen && m_host.reopen) {
        m_host.reopen(*chosen);
    }
}

void DiaryWindow::deleteChosen() {
    std::vector<DiaryEntry> chosen;
    std::vector<std::int64_t> ids;
    for (const QModelIndex& row : m_table->selectionModel()->selectedRows()) {
        if (const DiaryEntry* entry = m_model->entry(row.row())) {
            chosen.push_back(*entry);
            ids.push_back(entry->id);
        }
    }
    if (chosen.empty()) {
        return;
    }
    const QString question =
        chosen.size() == 1
            ? QStringLiteral("Eliminare dal diario la voce scelta (%1, %2)?")
                  .arg(QString::fromStdString(chosen[0].text(Field::sceglinomebici)),
                       QString::fromStdString(chosen[0].text(Field::sceglidata)))
            : QString::fromStdString(counted(std::int64_t(chosen.size()), "",
                                             "Eliminare dal diario le %1 voci scelte?"));
    QMessageBox ask(QMessageBox::Question, windowTitle(),
                    question + QStringLiteral(" Ctrl+Z le riporta finché questa finestra resta "
                                              "aperta."),
                    QMessageBox::Yes | QMessageBox::No, this);
    ask.setObjectName(QStringLiteral("domanda"));
    ask.button(QMessageBox::Yes)->setText(QStringLiteral("Elimina"));
    ask.button(QMessageBox::No)->setText(QStringLiteral("Annulla"));
    ask.setDefaultButton(QMessageBox::No);
    if (ask.exec() != QMessageBox::Yes) {
        return;
    }
    const DiaryStatus status = m_diary.remove(ids);
    if (status != DiaryStatus::Ok) {
        say(m_diary.message(status));
        return;
    }
    m_deleted.push_back(std::move(chosen));
    m_chartClimb.clear();
    refresh();
}

void DiaryWindow::undoDelete() {
    if (m_deleted.empty()) {
        return;
    }
    const DiaryStatus status = m_diary.restore(m_deleted.back());
    if (status != DiaryStatus::Ok) {
        say(m_diary.message(status));
        return;
    }
    m_deleted.pop_back();
    m_chartClimb.clear();
    refresh();
}

bool DiaryWindow::exportTo(const QString& path) {
    const Diary::Page all = m_diary.page({}, 0, INT_MAX);
    if (all.status != DiaryStatus::Ok) {
        say(m_diary.message(all.status));
        return false;
    }
    std::string text;
    try {
        text = writeDiaryCsv(all.entries, m_host.settings);
    } catch (const std::out_of_range&) {
        say(QStringLiteral("Una voce del diario ha una data di salvataggio fuori dagli anni "
                           "0000–9999: il file «%1» non è stato scritto.")
                .arg(nativePath(path)));
        return false;
    }
    // Written whole beside the file and renamed over it: a full disk leaves the old file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(text.data(), qint64(text.size())) != qint64(text.size()) || !file.commit()) {
        say(QStringLiteral("Il file «%1» non si può scrivere (%2): il diario non è stato "
                           "esportato.")
                .arg(nativePath(path), file.errorString()));
        return false;
    }
    m_status->setText(
        QString::fromStdString(counted(std::int64_t(all.entries.size()), "%1 voce esportata in «",
                                       "%1 voci esportate in «")) +
        nativePath(path) + QStringLiteral("»."));
    return true;
}

bool DiaryWindow::importFrom(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        say(QStringLiteral("Il file «%1» non si può leggere (%2): nessuna voce è stata "
                           "aggiunta.")
                .arg(nativePath(path), file.errorString()));
        return false;
    }
    const QByteArray bytes = file.readAll();
    const DiaryCsvRead read = readDiaryCsv(
        std::string_view(bytes.constData(), std::size_t(bytes.size())), m_host.settings);
    if (read.error) {
        say(QStringLiteral("Il file «%1» non è un diario di Tarvimo. %2 Nessuna voce è stata "
                           "aggiunta.")
                .arg(nativePath(path), QString::fromStdString(diaryCsvMessage(*read.error))));
        return false;
    }
    const DiaryStatus status = m_diary.addAll(read.entries);
    if (status != DiaryStatus::Ok) {
        say(m_diary.message(status));
        return false;
    }
    refresh();
    m_status->setText(
        QString::fromStdString(counted(std::int64_t(read.entries.size()), "%1 voce importata da «",
                                       "%1 voci importate da «")) +
        nativePath(path) + QStringLiteral("»."));
    return true;
}

void DiaryWindow::saveSize() {
    if (size() != m_savedSize &&
        SavedValues().saveWindowSize(sizeGroup, size()) == SavedValues::SaveStatus::Saved) {
        m_savedSize = size();
    }
}

void DiaryWindow::closeEvent(QCloseEvent* event) {
    saveSize();
    QWidget::closeEvent(event);
}

} // namespace tarvimo
