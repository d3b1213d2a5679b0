// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windows/help_window.h"

#include "look/contrast.h"
#include "look/legacy_fonts.h"
#include "look/pictures.h"
#include "look/twips.h"
#include "look/window_size.h"
#include "widgets/scroll_part_names.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStringList>

namespace tarvimo {

namespace {

constexpr int clientWidthTwips = 6030;
constexpr int clientHeightTwips = 4260;

} // namespace

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      m_title(new QLabel(this)), m_instructions(new QLineEdit(this)),
      m_glossary(new QPlainTextEdit(this)) {
    setObjectName(QStringLiteral("help"));
    setWindowTitle(QStringLiteral("Help"));
    setWindowIcon(makeWindowIcon(WindowIcon::Help));
    // The main window opens a fresh one each time this one has been closed.
    setAttribute(Qt::WA_DeleteOnClose);
    keepWindowSize(*this, twipsRect(0, 0, clientWidthTwips, clientHeightTwips).size());

    m_title->setObjectName(QStringLiteral("Label1"));
    m_title->setText(QStringLiteral("Tarvimo v1.0"));
    m_title->setAccessibleName(m_title->text());
    m_title->setFont(legacyFont(QStringLiteral("Comic Sans MS"), 20.25));
    m_title->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    // A band in the colour the desktop uses for title-bar text, lettered in whichever colour of
    // the same palette stands out most on it: on a dark desktop that colour is light.
    m_title->setBackgroundRole(QPalette::HighlightedText);
    m_title->setAutoFillBackground(true);
    letterTitleBand();
    m_title->setGeometry(twipsRect(0, 0, 6015, 615));

    m_instructions->setObjectName(QStringLiteral("Text1"));
    m_instructions->setText(QStringLiteral("ISTRUZIONI PER L'USO DI TARVIMO v1.0"));
    // In capitals some speech engines spell it out letter by letter.
    m_instructions->setAccessibleName(QStringLiteral("Istruzioni per l'uso di Tarvimo v1.0"));
    m_instructions->setFont(legacyFont(QStringLiteral("Comic Sans MS"), 9));
    m_instructions->setAlignment(Qt::AlignCenter);
    m_instructions->setGeometry(twipsRect(0, 720, 6015, 285));
    m_instructions->setCursorPosition(0);

    m_glossary->setObjectName(QStringLiteral("Text2"));
    m_glossary->setAccessibleName(QStringLiteral("Glossario"));
    m_glossary->setFont(legacyFont(QStringLiteral("MS Sans Serif"), 8.25));
    m_glossary->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_glossary->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_glossary->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // Tab stops every eight spaces, as in a plain text box.
    m_glossary->setTabStopDistance(8 *
                                   m_glossary->fontMetrics().horizontalAdvance(QLatin1Char(' ')));
    m_glossary->setPlainText(glossary());
    // The glossary keeps its tab indents; the Tab key moves on, as in every other box.
    m_glossary->setTabChangesFocus(true);
    m_glossary->setGeometry(twipsRect(0, 1080, 6015, 3135));
    nameScrollParts(*m_glossary);

    setTabOrder(m_instructions, m_glossary);
    m_instructions->setFocus();
}

void HelpWindow::letterTitleBand() {
    m_title->setForegroundRole(mostContrastingRole(palette(), m_title->backgroundRole()));
}

void HelpWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        letterTitleBand();
    }
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
    // Escape closes it, as it closes a dialog.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

QString HelpWindow::glossary() {
    const QStringList lines = {
        QStringLiteral("Glossario:"),
        QStringLiteral("---------------"),
        QString(),
        QStringLiteral("Massa ciclista, massa bici, altra massa:"),
        QStringLiteral("\tLe tre masse si scrivono in chilogrammi (Kg): il ciclista, la "
                       "bicicletta e tutto il resto che sale con loro (borracce, attrezzi, "
                       "bagagli)."),
        QString(),
        QStringLiteral("Corona, Pignone, Ruota, Pedivelle"),
        QStringLiteral("\tCorona e pignone si contano in numero di denti."),
        QStringLiteral("\tIl diametro della ruota è in pollici: le misure standard sono 26'' "
                       "oppure 28''."),
        QStringLiteral("\tLa lunghezza delle pedivelle è in millimetri."),
        QString(),
        QStringLiteral("Diastanza e Dislivello"),
        QStringLiteral("\tLa lunghezza della salita e il dislivello superato sono entrambi in "
                       "metri."),
        QString(),
        QStringLiteral("Coefficienti A, F"),
        QStringLiteral("\tA tiene conto della superficie frontale e dell'influenza della forma. "
                       "Il valore 0,2 va bene nella maggior parte dei casi; per sezioni "
                       "frontali molto grandi o molto piccole, o per forme insolite, si usano "
                       "valori tra 0,17 e 0,23. Le bici reclinate hanno circa 0,15."),
        QStringLiteral("\tA è la metà della densità dell'aria moltiplicata per il CdA: 0,2 "
                       "corrisponde a un CdA di circa 0,33 m² al livello del mare."),
        QStringLiteral("\tF raccoglie ogni genere di attrito: circa 0,005 per una bici da "
                       "corsa con gomme lisce su buon asfalto, circa 0,01 per una mountain "
                       "bike su strada sterrata."),
        QString(),
        QStringLiteral("Identificazione"),
        QStringLiteral("\tData, nome della salita e nome e cognome del ciclista sono testo "
                       "alfanumerico libero: lettere, cifre e segni a piacere."),
        QString(),
        QStringLiteral("Risultati"),
        QStringLiteral("\tP.M. è la pendenza media della salita, in percentuale."),
        QStringLiteral("\tPPM è il numero di pedalate al minuto medie."),
        QStringLiteral("\tV media è la velocità media in Km/h."),
        QStringLiteral("\tVAM è la velocità ascensionale media in m/h, cioè i metri di "
                       "dislivello guadagnati in un'ora."),
        QStringLiteral("\tForza max è la stima della forza più grande esercitata sul pedale, "
                       "che in genere si ha tra 30° e 60° dalla verticale; è in chilogrammi "
                       "forza (Kgf)."),
        QStringLiteral("\tCoppia media è la coppia media trasmessa attraverso le pedivelle, "
                       "tenendo conto di una leggera trazione durante la pedalata; è in "
                       "newton metro (Nm)."),
        QString(),
        QStringLiteral("Potenza Sviluppata "),
        QStringLiteral("\tLa potenza è in watt (W). Un cavallo vapore vale 735 W: una piccola "
                       "utilitaria da città sviluppa 34 CV, cioè 25000 W."),
        QString(),
        QStringLiteral("P.Aero, P.att., P.grav."),
        QStringLiteral("\tSono le parti della potenza spesa, in media, contro la resistenza "
                       "dell'aria (P.Aero), contro gli attriti meccanici e della strada "
                       "(P.att.) e contro la gravità (P.grav.)."),
        QString(),
        QStringLiteral("Per domande e richieste di chiarimenti scrivetemi all'indirizzo "
                       "indicato nella finestra principale."),
        QStringLiteral("Ciao!"),
    };
    return lines.join(QStringLiteral("\r\n"));
}

} // namespace tarvimo
