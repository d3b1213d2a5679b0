// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/field_edit.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QTimer>
#include <algorithm>
#include <limits>

namespace tarvimo {

namespace {

// Characters as the user counts them: an emoji is one, though it takes two UTF-16 units.
qsizetype characters(QStringView text) {
    return text.size() - std::count_if(text.begin(), text.end(),
                                       [](QChar unit) { return unit.isLowSurrogate(); });
}

} // namespace

FieldEdit::FieldEdit(QWidget* parent) : QLineEdit(parent) {
    setMaxLength(std::numeric_limits<int>::max()); // Qt's default stops at 32767
}

QString FieldEdit::refusal(qsizetype length) {
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    return QStringLiteral("Il testo da incollare è lungo %1 caratteri: un campo ne può contenere "
                          "al massimo %2. Il campo resta com'era.")
        .arg(italian.toString(qlonglong(length)), italian.toString(qlonglong(maxPastedLength)));
}

bool FieldEdit::fits(qsizetype inserted, qsizetype replaced) {
    const qsizetype length = characters(text()) - replaced + inserted;
    if (length <= maxPastedLength)
        return true;
    // Shown once the event that carried the text is over: a drop from another program waits
    // for our answer, and a message box would hold it.
    QTimer::singleShot(0, this, [this, inserted] {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Tarvimo"), refusal(inserted),
                        QMessageBox::Ok, this);
        box.setObjectName(QStringLiteral("longTextBox"));
        box.exec();
    });
    return false;
}

void FieldEdit::pasteChecked() {
    if (isReadOnly())
        return;
    if (fits(characters(QApplication::clipboard()->text(QClipboard::Clipboard)),
             characters(selectedText())))
        paste();
}

void FieldEdit::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        pasteChecked();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void FieldEdit::mouseReleaseEvent(QMouseEvent* event) {
    // The X11 middle-click paste: QLineEdit drops the selection and inserts at the cursor.
    if (event->button() == Qt::MiddleButton && !isReadOnly() &&
        QApplication::clipboard()->supportsSelection() &&
        !fits(characters(QApplication::clipboard()->text(QClipboard::Selection)), 0)) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void FieldEdit::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // "Incolla" is the action wired to QLineEdit::paste (by name, in Qt 6.4); it is rewired to
    // the checked paste.
    for (QAction* action : menu->actions()) {
        if (disconnect(action, &QAction::triggered, this, &QLineEdit::paste) ||
            disconnect(action, SIGNAL(triggered()), this, SLOT(paste())))
            connect(action, &QAction::triggered, this, &FieldEdit::pasteChecked);
    }
    menu->popup(event->globalPos());
}

namespace {

bool carriesFile(const QMimeData& data) {
    const auto urls = data.urls();
    return std::any_of(urls.begin(), urls.end(), [](const QUrl& url) { return url.isLocalFile(); });
}

} // namespace

void FieldEdit::dragEnterEvent(QDragEnterEvent* event) {
    if (carriesFile(*event->mimeData()))
        event->ignore(); // the window's to take
    else
        QLineEdit::dragEnterEvent(event);
}

void FieldEdit::dragMoveEvent(QDragMoveEvent* event) {
    if (carriesFile(*event->mimeData()))
        event->ignore();
    else
        QLineEdit::dragMoveEvent(event);
}

void FieldEdit::dropEvent(QDropEvent* event) {
    if (carriesFile(*event->mimeData())) {
        event->ignore();
        return;
    }
    if (!isReadOnly() && event->mimeData()->hasText()) {
        // Moving text within the box takes the selection away first.
        const bool fromHere = event->source() == this && event->dropAction() == Qt::MoveAction;
        if (!fits(characters(event->mimeData()->text()),
                  fromHere ? characters(selectedText()) : 0)) {
            event->ignore();
            QDragLeaveEvent leave;
            QLineEdit::dragLeaveEvent(&leave); // puts the text cursor back as it was
            return;
        }
    }
    QLineEdit::dropEvent(event);
}

} // namespace tarvimo
