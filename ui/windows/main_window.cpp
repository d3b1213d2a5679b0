// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windows/main_window.h"

#include "calculation.h"
#include "look/legacy_fonts.h"
#include "look/pictures.h"
#include "look/twips.h"
#include "look/window_size.h"
#include "ride_formats.h"
#include "widgets/field_edit.h"
#include "widgets/push_button.h"
#include "windows/control_table.h"
#include "windows/diary_module.h"
#include "windows/help_window.h"
#include "windows/main_menu.h"
#include "windows/print_module.h"
#include "windows/ride_import_module.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QDropEvent>
#include <QFileDialog>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <algorithm>
#include <new>
#include <utility>
#include <vector>

namespace tarvimo {

namespace {

QString qs(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// The one local file dragged, else an empty text.
QString droppedFile(const QMimeData& data) {
    const auto urls = data.urls();
    return urls.size() == 1 && urls.front().isLocalFile() ? urls.front().toLocalFile() : QString();
}

} // namespace

MainWindow::MainWindow(NumberSettings settings, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      m_settings(std::move(settings)), m_area(new QWidget(this)) {
    setObjectName(QStringLiteral("Interfaccia1"));
    setWindowTitle(QStringLiteral("Tarvimo v0.1 "));
    setWindowIcon(makeWindowIcon(WindowIcon::Main));
    setFont(legacyFont(QStringLiteral("MS Sans Serif"), 8.25));
    const QSize area(twipsToPixels(5760), twipsToPixels(5430));
    m_area->setObjectName(QStringLiteral("areaDati"));
    m_area->setAccessibleName(QStringLiteral("Dati e risultati"));
    m_area->setFixedSize(area);
    buildControls();
    buildMenus();
    // The bar sits above the client area, which keeps its size; the window grows by the bar.
    const int bar = m_menuBar->sizeHint().height();
    m_menuBar->setGeometry(0, 0, area.width(), bar);
    m_area->move(0, bar);
    keepWindowSize(*this, area + QSize(0, bar));
    bindSheet();
    setAcceptDrops(true);
}

MainWindow::~MainWindow() {
    // The help window has no parent, so that it can go behind this one; it goes with it.
    delete m_help;
}

HelpWindow* MainWindow::helpWindow() const {
    return m_help;
}

void MainWindow::buildControls() {
    QHash<QString, QWidget*> containers;
    std::vector<std::pair<int, QWidget*>> tabStops;

    for (const auto& row : mainWindowControls()) {
        QWidget* parent = row.container ? containers.value(qs(row.container)) : m_area;
        QWidget* control = nullptr;
        const QString caption = row.caption ? qs(row.caption) : QString();
        switch (row.kind) {
        case ControlKind::Frame: {
            auto* frame = new QGroupBox(caption, parent);
            containers.insert(qs(row.name), frame);
            control = frame;
            break;
        }
        case ControlKind::Label:
            control = new QLabel(caption, parent);
            break;
        case ControlKind::TextBox: {
            auto* edit = new FieldEdit(parent);
            const auto field = findField(row.name);
            Q_ASSERT(field.has_value());
            m_edits[static_cast<std::size_t>(*field)] = edit;
            edit->setAccessibleName(qs(row.accessibleName));
            connect(edit, &QLineEdit::returnPressed, this, &MainWindow::calculate);
            tabStops.emplace_back(row.tabIndex, edit);
            control = edit;
            break;
        }
        case ControlKind::Button: {
            auto* button = new PushButton(caption, parent);
            tabStops.emplace_back(row.tabIndex, button);
            control = button;
            break;
        }
        }
        control->setObjectName(qs(row.name));
        if (row.kind != ControlKind::TextBox) {
            control->setAccessibleName(row.accessibleName ? qs(row.accessibleName) : caption);
        }
        control->setGeometry(twipsRect(row.left, row.top, row.width, row.height));
        control->setFont(legacyFont(QStringLiteral("MS Sans Serif"), row.pointSize));
    }

    auto* contact = findChild<QLabel*>(QStringLiteral("Label26"));
    contact->setText(QStringLiteral(TARVIMO_CONTACT));
    contact->setAccessibleName(QStringLiteral("Contatto: ") + contact->text());
    contact->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    std::sort(tabStops.begin(), tabStops.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < tabStops.size(); ++i) {
        setTabOrder(tabStops[i - 1].second, tabStops[i].second);
    }

    connect(findChild<QPushButton*>(QStringLiteral("pulsantecalcola")), &QPushButton::clicked, this,
            &MainWindow::calculate);
    connect(findChild<QPushButton*>(QStringLiteral("Stampa")), &QPushButton::clicked, this,
            &MainWindow::print);
    connect(findChild<QPushButton*>(QStringLiteral("Command1")), &QPushButton::clicked, this,
            &MainWindow::showHelp);
}

// The sheet holds the data; the text boxes show it. Writes of the calculation reach the boxes
// through the listener, and what the user types reaches the sheet through textChanged.
void MainWindow::bindSheet() {
    m_sheet.setListener([this](Field field, const std::string& text) {
        if (!m_echoing) {
            showText(field, text);
        }
    });
    for (const auto& info : allFields()) {
        const Field field = info.field;
        const bool fromRide = field == Field::sceglilunghezza || field == Field::sceglidislivello ||
                              field == Field::scegliminuti || field == Field::sceglisecondi;
        connect(edit(field), &QLineEdit::textChanged, this,
                [this, field, fromRide](const QString& text) {
                    if (fromRide)
                        m_ride.reset();
                    m_echoing = true;
                    m_sheet.setText(field, text.toStdString());
                    m_echoing = false;
                });
    }
    m_sheet.resetToDefaults();
    // The listener only hears changes, so the boxes are filled once from the sheet as it stands.
    for (const auto& info : allFields()) {
        showText(info.field, m_sheet.text(info.field));
    }
}

void MainWindow::buildMenus() {
    m_menuBar = new QMenuBar(this);
    m_menuBar->setObjectName(QStringLiteral("barraMenu"));
    m_menuBar->setAccessibleName(QStringLiteral("Barra dei menu"));
    QHash<QString, QMenu*> menus;
    for (const auto& menuRow : mainMenus()) {
        QMenu* menu = m_menuBar->addMenu(qs(menuRow.title));
        menu->setObjectName(qs(menuRow.name));
        menu->setAccessibleName(menu->title().remove(u'&'));
        menus.insert(qs(menuRow.name), menu);
    }
    for (const auto& item : mainMenuItems()) {
        QAction* action = menus.value(qs(item.menu))->addAction(qs(item.text));
        action->setObjectName(qs(item.name));
        if (item.shortcut)
            action->setShortcut(QKeySequence(qs(item.shortcut), QKeySequence::PortableText));
        // Reached from any control of the window, the menus closed or not.
        action->setShortcutContext(Qt::WindowShortcut);
        const MenuCommand command = item.command;
        connect(action, &QAction::triggered, this, [this, command] {
            switch (command) {
            case MenuCommand::OpenRide:
                chooseRide();
                break;
            case MenuCommand::SaveToDiary:
                saveToDiary();
                break;
            case MenuCommand::Print:
                print();
                break;
            case MenuCommand::Quit:
                close();
                break;
            case MenuCommand::ShowDiary:
                showDiary();
                break;
            case MenuCommand::ResetValues:
                resetValues();
                break;
            case MenuCommand::Help:
                showHelp();
                break;
            case MenuCommand::About:
                showAbout();
                break;
            }
        });
    }
}

void MainWindow::showText(Field field, const std::string& text) {
    QLineEdit* box = edit(field);
    const QSignalBlocker blocker(box); // the sheet holds this text already
    box->setText(QString::fromStdString(text));
    box->setCursorPosition(0);
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!m_focusedOnce) {
        m_focusedOnce = true;
        edit(Field::massabici)->setFocus(Qt::OtherFocusReason);
    }
    if (!m_pendingRide.isEmpty()) {
        QTimer::singleShot(0, this,
                           [this, path = std::exchange(m_pendingRide, {})] { openRide(path); });
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // A ride being read still needs this window: it closes once the ride is done.
    if (m_openingRide) {
        m_closeAfterRide = true;
        event->ignore();
        return;
    }
    if (m_savedValues && m_savedValues->save(m_sheet) == SavedValues::SaveStatus::Failed) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Tarvimo"),
                        m_savedValues->message(SavedValues::SaveStatus::Failed),
                        QMessageBox::Yes | QMessageBox::No, this);
        box.setObjectName(QStringLiteral("erroreValori"));
        box.setInformativeText(QStringLiteral("Chiudere comunque Tarvimo?"));
        box.setDefaultButton(QMessageBox::No);
        if (box.exec() != QMessageBox::Yes) {
            event->ignore();
            return;
        }
    }
    // The program ends with this window: no window of ours may stay open and keep it running.
    if (m_help)
        m_help->close();
    const auto children = findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* child : children) {
        if (child->isWindow())
            child->close();
    }
    QWidget::closeEvent(event);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedFile(*event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dragMoveEvent(QDragMoveEvent* event) {
    if (!droppedFile(*event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QString path = droppedFile(*event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    // The program the file came from waits for the drop to end.
    QTimer::singleShot(0, this, [this, path] { openRide(path); });
}

void MainWindow::chooseRide() {
    const QString path =
        QFileDialog::getOpenFileName(this, QStringLiteral("Apri una traccia"), QString(),
                                     QStringLiteral("Tracce GPS (*.%1);;Tutti i file (*)")
                                         .arg(rideFileExtensions().join(QStringLiteral(" *."))));
    if (!path.isEmpty())
        openRide(path);
}

void MainWindow::openRide(const QString& path) {
    if (m_openingRide)
        return;
    m_openingRide = true;
    const QPointer<QWidget> focused = QApplication::focusWidget();
    const RideSheet sheet{m_sheet, m_settings, [this](Field field) {
                              const QLineEdit* box = edit(field);
                              return box ? box->accessibleName()
                                         : QString::fromUtf8(
                                               fieldInfo(field).name.data(),
                                               qsizetype(fieldInfo(field).name.size()));
                          }};
    const auto choice = importRideThroughModule(*this, path, sheet);
    m_openingRide = false;
    if (std::exchange(m_closeAfterRide, false)) {
        close();
        return;
    }
    if (choice) {
        const std::pair<Field, const QString*> texts[] = {
            {Field::sceglilunghezza, &choice->length}, {Field::sceglidislivello, &choice->gain},
            {Field::scegliminuti, &choice->minutes},   {Field::sceglisecondi, &choice->seconds},
            {Field::sceglidata, &choice->date},        {Field::sceglinomebici, &choice->name}};
        for (const auto& [field, text] : texts) {
            if (!text->isNull())
                m_sheet.setText(field, text->toStdString());
        }
        m_ride = RideOrigin{choice->file.toStdString(), choice->from, choice->to};
    }
    activateWindow();
    if (focused)
        focused->setFocus(Qt::OtherFocusReason);
}

bool MainWindow::calculate() {
    try {
        tarvimo::calculate(m_sheet, m_settings);
        saveValues();
        return true;
    } catch (const RuntimeError& error) {
        showError(QString::fromUtf8(error.what()),
                  QStringLiteral("I risultati scritti prima dell'errore restano nei campi; "
                                 "correggi i dati e premi di nuovo \"Calcola\"."));
    } catch (const std::bad_alloc&) {
        showError(QStringLiteral("Memoria insufficiente per il calcolo."),
                  QStringLiteral("Riduci la lunghezza dei testi nei campi e riprova."));
    } catch (const std::exception& error) {
        // Not expected; still no reason to lose what the user typed.
        showError(QStringLiteral("Errore imprevisto nel calcolo."),
                  QString::fromUtf8(error.what()));
    }
    return false;
}

void MainWindow::keepValuesIn(SavedValues values) {
    m_savedValues = std::move(values);
}

void MainWindow::showValues(const std::vector<std::pair<Field, std::string>>& texts) {
    for (const auto& [field, text] : texts)
        m_sheet.setText(field, text);
}

// After a calculation: a crash then loses only what was typed since. The message comes once
// until a save succeeds again, not at every "Calcola".
bool MainWindow::saveValues() {
    if (!m_savedValues)
        return true;
    if (m_savedValues->save(m_sheet) == SavedValues::SaveStatus::Saved) {
        m_saveFailureShown = false;
        return true;
    }
    if (!std::exchange(m_saveFailureShown, true)) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Tarvimo"),
                        m_savedValues->message(SavedValues::SaveStatus::Failed), QMessageBox::Ok,
                        this);
        box.setObjectName(QStringLiteral("erroreValori"));
        box.exec();
    }
    return false;
}

DiaryEntry MainWindow::diaryEntry(std::int64_t savedAt) const {
    DiaryEntry entry = makeDiaryEntry(m_sheet, m_settings, savedAt);
    if (m_ride) {
        entry.rideFile = m_ride->file;
        entry.stretchFrom = m_ride->from;
        entry.stretchTo = m_ride->to;
    }
    return entry;
}

void MainWindow::saveToDiary() {
    if (calculate())
        saveToDiaryThroughModule(*this, diaryEntry(QDateTime::currentSecsSinceEpoch()));
}

void MainWindow::showDiary() {
    showDiaryThroughModule(
        *this, DiaryHost{[this](const DiaryEntry& entry) { reopen(entry); }, m_settings});
}

void MainWindow::reopen(const DiaryEntry& entry) {
    for (const auto& info : allFields())
        m_sheet.setText(info.field, entry.text(info.field));
    if (entry.rideFile.empty())
        m_ride.reset();
    else
        m_ride = RideOrigin{entry.rideFile, entry.stretchFrom, entry.stretchTo};
    show();
    raise();
    activateWindow();
}

void MainWindow::resetValues() {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Tarvimo"),
                    QStringLiteral("Riportare tutti i campi ai valori iniziali?"),
                    QMessageBox::Yes | QMessageBox::No, this);
    box.setObjectName(QStringLiteral("domandaValoriIniziali"));
    box.setInformativeText(QStringLiteral("I dati scritti e i risultati saranno sostituiti."));
    box.setDefaultButton(QMessageBox::No);
    if (box.exec() != QMessageBox::Yes)
        return;
    // The results belonged to the old inputs, so they go too.
    m_sheet.resetToDefaults();
    m_ride.reset();
}

void MainWindow::showAbout() {
    QMessageBox box(QMessageBox::Information, QStringLiteral("Informazioni su Tarvimo"),
                    QStringLiteral("Tarvimo %1").arg(QStringLiteral(TARVIMO_VERSION)),
                    QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("informazioniSuTarvimo"));
    box.setTextFormat(Qt::PlainText);
    box.setIconPixmap(windowIcon().pixmap(64, 64));
    box.setInformativeText(
        QStringLiteral("La potenza sviluppata da un ciclista in salita.\n\n"
                       "Licenza: GPL-3.0-or-later (GNU General Public License, versione 3 o "
                       "successiva).\nContatto: %1")
            .arg(QStringLiteral(TARVIMO_CONTACT)));
    box.exec();
}

void MainWindow::print() {
    const auto outcome =
        printThroughModule(*m_area, QString::fromStdString(m_sheet.text(Field::sceglinomebici)),
                           QString::fromStdString(m_sheet.text(Field::sceglidata)));
    if (outcome.status == PrintStatus::Failed) {
        showError(QStringLiteral("Stampa non riuscita."), outcome.message);
    }
}

void MainWindow::showHelp() {
    if (!m_help) {
        m_help = new HelpWindow();
    }
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}

void MainWindow::showError(const QString& text, const QString& detail) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Tarvimo"), text, QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("errorBox"));
    box.setInformativeText(detail);
    box.exec();
}

} // namespace tarvimo
