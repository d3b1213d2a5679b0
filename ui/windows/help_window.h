// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace tarvimo {

// The help window: a title, a line of instructions and the glossary of the main window's
// fields. It holds no logic and lives on its own, so it takes no parent from the main window.
class HelpWindow : public QWidget {
    Q_OBJECT
    // What a screen reader calls this window (app/accessibility.h).
    Q_CLASSINFO("accessibleRole", "Dialog")
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Lines end in CR LF and section bodies are indented with a tab.
    static QString glossary();

protected:
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void letterTitleBand();

    QLabel* m_title;
    QLineEdit* m_instructions;
    QPlainTextEdit* m_glossary;
};

} // namespace tarvimo
