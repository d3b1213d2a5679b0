// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "printing/window_printer.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QWidget>

namespace tarvimo {

namespace {

// The window is drawn at three times its size so text stays sharp on paper.
constexpr qreal printScale = 3.0;

PrintOutcome saveAsPdf(QWidget& widget, const QString& suggestedPdfName) {
    const auto answer =
        QMessageBox::question(&widget, QStringLiteral("Tarvimo"),
                              QStringLiteral("Non è installata nessuna stampante.\n"
                                             "Vuoi salvare la pagina come file PDF?"),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    if (answer != QMessageBox::Yes) {
        return {PrintStatus::Cancelled, {}};
    }
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists()) {
        folder = QDir::homePath();
    }
    QString path = QFileDialog::getSaveFileName(&widget, QStringLiteral("Salva come PDF"),
                                                QDir(folder).filePath(suggestedPdfName),
                                                QStringLiteral("Documenti PDF (*.pdf)"));
    if (path.isEmpty()) {
        return {PrintStatus::Cancelled, {}};
    }
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
        path += QStringLiteral(".pdf");
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    if (!renderWidgetPage(widget, printer)) {
        return {
            PrintStatus::Failed,
            QStringLiteral("Impossibile scrivere il file %1.").arg(QDir::toNativeSeparators(path))};
    }
    return {PrintStatus::SavedAsPdf, {}};
}

} // namespace

QPixmap paperImage(QWidget& widget) {
    // Paper is white whatever the desktop's theme: Qt's light grey window, white boxes, black text.
    // Not a style's standard palette, which follows a dark desktop too.
    static const QPalette light = [] {
        const QColor window(0xef, 0xef, 0xef);
        QPalette palette(Qt::black, window, window.lighter(150), window.darker(150),
                         window.darker(130), Qt::black, Qt::white, Qt::white, window);
        palette.setColor(QPalette::Highlight, QColor(0x30, 0x8c, 0xc6));
        palette.setColor(QPalette::HighlightedText, Qt::white);
        return palette;
    }();
    const bool ownPalette = widget.testAttribute(Qt::WA_SetPalette);
    const QPalette screenPalette = widget.palette();
    widget.setPalette(light);

    QPixmap image(widget.size() * printScale);
    image.setDevicePixelRatio(printScale);
    image.fill(light.window().color());
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);

    // An empty palette puts the widget back on the one it inherits.
    widget.setPalette(ownPalette ? screenPalette : QPalette());
    return image;
}

bool renderWidgetPage(QWidget& widget, QPrinter& printer) {
    const QPixmap image = paperImage(widget);
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRect page = painter.viewport();
    const QSize size = widget.size().scaled(page.size(), Qt::KeepAspectRatio);
    painter.drawPixmap(
        QRect(QPoint(page.left() + (page.width() - size.width()) / 2, page.top()), size), image);
    return painter.end();
}

PrintOutcome printWidget(QWidget& widget, const QString& suggestedPdfName) {
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    if (defaultPrinter.isNull()) {
        return saveAsPdf(widget, suggestedPdfName);
    }
    QPrinter printer(defaultPrinter, QPrinter::HighResolution);
    if (!renderWidgetPage(widget, printer)) {
        return {PrintStatus::Failed, QStringLiteral("La stampante \"%1\" non è disponibile.")
                                         .arg(defaultPrinter.printerName())};
    }
    return {PrintStatus::Printed, {}};
}

QString pdfFileName(const QString& climb, const QString& date) {
    // Characters that are not allowed, or awkward, in file names on the usual desktops.
    static const QRegularExpression unsafe(QStringLiteral(R"([\\/:*?"<>|\x00-\x1f])"));
    QString name = (climb.trimmed() + QLatin1Char(' ') + date.trimmed()).simplified();
    name.replace(unsafe, QStringLiteral("-"));
    name = name.left(100).trimmed();
    while (name.startsWith(QLatin1Char('.'))) {
        name.remove(0, 1);
    }
    if (name.isEmpty()) {
        name = QStringLiteral("Tarvimo");
    }
    return name + QStringLiteral(".pdf");
}

} // namespace tarvimo
