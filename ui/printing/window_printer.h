// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class QPixmap;
class QPrinter;
class QWidget;

namespace tarvimo {

enum class PrintStatus { Printed, SavedAsPdf, Cancelled, Failed };

struct PrintOutcome {
    PrintStatus status;
    QString message; // why it failed, in Italian
};

// The widget's client area drawn in light colours, at three times its size, as it goes on paper;
// the widget keeps its own colours on screen.
QPixmap paperImage(QWidget& widget);

// Draws an image of the widget's client area on one page, as large as the page allows.
bool renderWidgetPage(QWidget& widget, QPrinter& printer);

// Prints the widget on the default printer without a dialog. Where no printer is installed it
// says so and offers to save the same page as a PDF, starting from the suggested file name.
PrintOutcome printWidget(QWidget& widget, const QString& suggestedPdfName);

// A file name for the saved page, made from the climb's name and date ("Stelvio 25-08-2002.pdf").
QString pdfFileName(const QString& climb, const QString& date);

} // namespace tarvimo
