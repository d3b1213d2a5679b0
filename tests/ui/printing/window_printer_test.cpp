// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "modal_helper.h"
#include "printing/window_printer.h"
#include "windows/main_window.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPixmap>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using tarvimo::MainWindow;
using tarvimo::NumberSettings;

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A PDF page that holds a drawn image of the window's client area, not an empty page: 384 x 362
// at three times the screen's resolution, without the menu bar.
void verifyWindowPage(const QString& path) {
    const QByteArray pdf = readAll(path);
    QVERIFY2(pdf.startsWith("%PDF"), qPrintable(path));
    QVERIFY(pdf.contains("/Subtype /Image"));
    const auto size = QRegularExpression(QStringLiteral("/Width (\\d+)\\s*/Height (\\d+)"))
                          .match(QString::fromLatin1(pdf));
    QCOMPARE(size.captured(1) + u'x' + size.captured(2), QStringLiteral("1152x1086"));
    QCOMPARE(pdf.count("/Type /Page\n") + pdf.count("/Type /Page>>") + pdf.count("/Type /Page "),
             1);
}

} // namespace

// The message the file dialog shows over itself about a name it cannot write: kept in `message`,
// then the message and the dialog are closed.
void closeComplaint(QFileDialog* dialog, QString& message) {
    auto* timer = new QTimer(dialog);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, dialog, &message] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            timer->stop();
            message = box->text() + box->informativeText();
            box->accept();
            QTimer::singleShot(0, dialog, &QFileDialog::reject);
        }
    });
    timer->start();
}

class WindowPrinterTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { Q_INIT_RESOURCE(tarvimo); }

    void pageHoldsTheWindowImage() {
        QTemporaryDir dir;
        MainWindow window(NumberSettings::italian());
        window.show();
        window.calculate();
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("pagina.pdf")));
        QVERIFY(tarvimo::renderWidgetPage(*window.clientArea(), printer));
        verifyWindowPage(printer.outputFileName());
    }

    // Paper is white under a dark desktop; the window keeps its colours on screen.
    void paperIsLightUnderADarkPalette_data() {
        QTest::addColumn<bool>("ownPalette");
        QTest::newRow("an inherited palette stays inherited") << false;
        QTest::newRow("a palette of its own stays its own") << true;
    }
    void paperIsLightUnderADarkPalette() {
        QFETCH(bool, ownPalette);
        const QPalette desktop = QApplication::palette();
        const QPalette dark(QColor(0xf0, 0xf0, 0xf0), QColor(0x32, 0x32, 0x32));
        QApplication::setPalette(ownPalette ? desktop : dark);
        MainWindow window(NumberSettings::italian());
        if (ownPalette) {
            window.setPalette(dark);
        }
        window.show();
        const QImage image = tarvimo::paperImage(*window.clientArea())
                                 .toImage()
                                 .convertToFormat(QImage::Format_Grayscale8);
        qint64 sum = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                sum += qGray(image.pixel(x, y));
            }
        }
        QVERIFY(sum / (image.width() * image.height()) > 200);
        QCOMPARE(window.testAttribute(Qt::WA_SetPalette), ownPalette);
        QCOMPARE(window.palette().color(QPalette::Window), dark.color(QPalette::Window));
        QApplication::setPalette(desktop);
    }

    void unwritablePageFails() {
        MainWindow window(NumberSettings::italian());
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QStringLiteral("/nonexistent-folder/pagina.pdf"));
        QVERIFY(!tarvimo::renderWidgetPage(*window.clientArea(), printer));
    }

    void fileNames_data() {
        QTest::addColumn<QString>("climb");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("expected");
        QTest::newRow("name and date") << "Stelvio"
                                       << "25-08-2002"
                                       << "Stelvio 25-08-2002.pdf";
        QTest::newRow("slashes and colons become dashes") << "Passo: Gavia/Sud"
                                                          << "25/08/2002"
                                                          << "Passo- Gavia-Sud 25-08-2002.pdf";
        QTest::newRow("blanks are tidied") << "  Monte   Zoncolan "
                                           << ""
                                           << "Monte Zoncolan.pdf";
        QTest::newRow("nothing left gives the program's name") << ""
                                                               << ""
                                                               << "Tarvimo.pdf";
        QTest::newRow("no hidden or parent names") << ".."
                                                   << ""
                                                   << "Tarvimo.pdf";
        QTest::newRow("control characters removed") << "A\tB"
                                                    << "1\n2"
                                                    << "A B 1 2.pdf";
        QTest::newRow("an emoji as the hundredth character is kept whole")
            << QString(99, QLatin1Char('a')) + QString::fromUtf8("\U0001F6B4") << ""
            << QString(99, QLatin1Char('a')) + QString::fromUtf8("\U0001F6B4") + ".pdf";
        QTest::newRow("a name in three-byte letters fits one file name")
            << QString(100, QChar(0x5C71)) << "" << QString(83, QChar(0x5C71)) + ".pdf";
    }
    void fileNames() {
        QFETCH(QString, climb);
        QFETCH(QString, date);
        QFETCH(QString, expected);
        QCOMPARE(tarvimo::pdfFileName(climb, date), expected);
    }

    // Where no printer is installed "Stampa" offers the PDF instead; each answer of the user
    // leads to its own end.
    void withoutPrinter_data() {
        QTest::addColumn<bool>("acceptOffer");
        QTest::addColumn<bool>("chooseFile");
        QTest::addColumn<bool>("written");
        QTest::addColumn<QString>("name");      // chosen in the dialog
        QTest::addColumn<QString>("complaint"); // what the message says is wrong
        const QString pdf = QStringLiteral("salita.pdf");
        QTest::newRow("offer accepted, file chosen") << true << true << true << pdf << QString();
        QTest::newRow("offer declined") << false << false << false << pdf << QString();
        QTest::newRow("file dialog cancelled") << true << false << false << pdf << QString();
        QTest::newRow("a folder that does not exist is named in a message")
            << true << true << false << QStringLiteral("manca/salita.pdf")
            << QStringLiteral("non esiste");
        QTest::newRow("a name too long for the disk is refused with a message")
            << true << true << false << QString(300, QLatin1Char('a')) + QStringLiteral(".pdf")
            << QStringLiteral("troppo lungo");
    }
    void withoutPrinter() {
        QFETCH(bool, acceptOffer);
        QFETCH(bool, chooseFile);
        QFETCH(bool, written);
        QFETCH(QString, name);
        QFETCH(QString, complaint);
        if (!QPrinterInfo::defaultPrinter().isNull()) {
            QSKIP("a default printer is installed here");
        }
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        MainWindow window(NumberSettings::italian());
        window.show();

        QString offer;
        QString suggested;
        QString message;
        tarvimo::testing::onNextModal([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            offer = box->text();
            if (!acceptOffer) {
                box->button(QMessageBox::No)->click();
                return;
            }
            tarvimo::testing::onNextModal([&](QWidget* next) {
                auto* dialog = qobject_cast<QFileDialog*>(next);
                QVERIFY(dialog);
                suggested = dialog->selectedFiles().value(0);
                if (chooseFile) {
                    dialog->selectFile(path);
                    if (!complaint.isEmpty())
                        closeComplaint(dialog, message);
                    static_cast<QDialog*>(dialog)->accept(); // QFileDialog hides it
                } else {
                    dialog->reject();
                }
            });
            box->button(QMessageBox::Yes)->click();
        });
        QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("Stampa")), Qt::LeftButton);
        QVERIFY2(offer.contains(QStringLiteral("PDF")), qPrintable(offer));
        if (acceptOffer) {
            QVERIFY2(suggested.endsWith(QStringLiteral("Nome Salita 25-08-2002.pdf")),
                     qPrintable(suggested));
        }
        QCOMPARE(QFile::exists(path), written);
        QVERIFY2(message.contains(complaint), qPrintable(message));
        if (written) {
            verifyWindowPage(path);
        }
        QVERIFY(window.isVisible());
    }
};

QTEST_MAIN(WindowPrinterTest)
#include "window_printer_test.moc"
