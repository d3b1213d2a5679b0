// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windows/splash_window.h"

#include "look/legacy_fonts.h"
#include "look/pictures.h"
#include "look/twips.h"
#include "look/window_size.h"
#include "widgets/notice_preview.h"
#include "widgets/scroll_part_names.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStringList>
#include <QTextDocument>
#include <QTextOption>
#include <qdrawutil.h>

namespace tarvimo {

namespace {

constexpr int clientWidthTwips = 5310;
constexpr int clientHeightTwips = 4200;
// No title bar, so the window draws its own raised dialog border around the client area.
constexpr int borderWidth = 2;

QLabel* makeNameLabel(QWidget* parent, const QString& objectName, const QString& text,
                      double pointSize, QRect rect) {
    auto* label = new QLabel(parent);
    label->setObjectName(objectName);
    label->setFont(legacyFont(QStringLiteral("Arial"), pointSize, true));
    label->setText(text);
    label->setAccessibleName(text);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->move(rect.topLeft());
    label->resize(rect.size());
    // Sized to its text, growing right and down from its corner. An empty label keeps its
    // designed size: measuring nothing would only load a font that is never drawn.
    if (!text.isEmpty())
        label->adjustSize();
    return label;
}

QFont noticeFont() {
    return legacyFont(QStringLiteral("MS Sans Serif"), 8.25);
}

QRect noticeRect() {
    return twipsRect(2520, 1440, 2655, 2655);
}

} // namespace

SplashWindow::SplashWindow(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::FramelessWindowHint), m_frame(new QFrame(this)) {
    setObjectName(QStringLiteral("frmSplash"));
    setAccessibleName(QStringLiteral("Tarvimo"));
    setWindowIcon(makeWindowIcon(WindowIcon::Splash));
    setAttribute(Qt::WA_DeleteOnClose);
    setContentsMargins(borderWidth, borderWidth, borderWidth, borderWidth);
    const QSize client = twipsRect(0, 0, clientWidthTwips, clientHeightTwips).size();
    keepWindowSize(*this, client + QSize(2 * borderWidth, 2 * borderWidth));

    m_frame->setObjectName(QStringLiteral("Frame1"));
    m_frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    m_frame->setGeometry(twipsRect(0, 0, 5265, 4155).translated(contentsRect().topLeft()));

    m_logo = new QLabel(m_frame);
    m_logo->setObjectName(QStringLiteral("imgLogo"));
    m_logo->setAccessibleName(QStringLiteral("Tarvimo"));
    m_logo->setGeometry(twipsRect(120, 240, 2295, 3705));
    // Pixels made for the control are drawn as they are, without a scaled copy; a picture of
    // another size is scaled to the control, at the screen's pixel ratio.
    const QPixmap picture = splashPicture(m_logo->size(), devicePixelRatio());
    m_logo->setScaledContents(picture.size() != m_logo->size());
    m_logo->setPixmap(picture);

    // The whole name reads best in the large label; the small one stays empty.
    m_companyProduct = makeNameLabel(m_frame, QStringLiteral("lblCompanyProduct"), QString(), 18,
                                     twipsRect(3720, 240, 1275, 435));
    m_productName =
        makeNameLabel(m_frame, QStringLiteral("lblProductName"), QStringLiteral("Tarvimo"), 32.25,
                      twipsRect(2640, 480, 2535, 855));
    m_version =
        makeNameLabel(m_frame, QStringLiteral("lblVersion"), QStringLiteral("v" TARVIMO_VERSION),
                      12, twipsRect(4590, 1080, 465, 285));
    m_version->setAlignment(Qt::AlignRight | Qt::AlignTop);

    // The notice box is drawn for the first frame and built right after it (see buildNotice).
    m_noticePreview = new NoticePreview(notice(), m_frame);
    m_noticePreview->setAccessibleName(QStringLiteral("Avviso"));
    m_noticePreview->setFont(noticeFont());
    m_noticePreview->setGeometry(noticeRect());
    // Shown once the window is loaded.
    m_noticePreview->hide();
    connect(m_noticePreview, &NoticePreview::shown, this, &SplashWindow::buildNotice);

    // Screen readers name everything they reach, the empty half of the product name included.
    setAccessibleDescription(QStringLiteral("Premi un tasto per continuare"));
    m_frame->setAccessibleName(QStringLiteral("Avvio di Tarvimo"));
    m_companyProduct->setAccessibleName(QStringLiteral("Tarvimo"));

    previewKeys(*this);

    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

QString SplashWindow::notice() {
    const QStringList lines = {
        QString(),
        QStringLiteral("AVVISO:"),
        QStringLiteral("------------------------"),
        QStringLiteral("Tarvimo è un programma"),
        QStringLiteral("gratuito e ancora in prova."),
        QStringLiteral("Commenti, suggerimenti e"),
        QStringLiteral("segnalazioni di errori sono"),
        QStringLiteral("benvenuti: scriveteci per"),
        QStringLiteral("e-mail all'indirizzo qui"),
        QStringLiteral("sotto. Grazie!"),
        QString(),
        QStringLiteral("Lo staff di Tarvimo"),
        QString::fromUtf8(TARVIMO_CONTACT),
    };
    return lines.join(QStringLiteral("\r\n"));
}

bool SplashWindow::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
        // Keys that type nothing (arrows, function keys, modifiers) are left alone.
        if (!static_cast<QKeyEvent*>(event)->text().isEmpty()) {
            leave();
            return true;
        }
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease: {
        if (watched != m_frame)
            break;
        // Presses that the labels and the picture ignore reach the frame too; only its
        // bare surface counts, and a click is a press and release both on it.
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint pos = mouse->position().toPoint();
        const bool onBareFrame = m_frame->rect().contains(pos) && !m_frame->childAt(pos);
        if (mouse->button() != Qt::LeftButton)
            break;
        if (event->type() == QEvent::MouseButtonPress) {
            m_pressedOnFrame = onBareFrame;
            return onBareFrame;
        }
        const bool clicked = m_pressedOnFrame && onBareFrame;
        m_pressedOnFrame = false;
        if (clicked) {
            leave();
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void SplashWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_notice) {
        m_notice->show();
        m_notice->setFocus();
    } else {
        m_noticePreview->show();
    }
}

QPlainTextEdit* SplashWindow::buildNotice() {
    if (m_notice)
        return m_notice;
    m_notice = new QPlainTextEdit(m_frame);
    m_notice->setObjectName(QStringLiteral("Avvisofull"));
    m_notice->setAccessibleName(QStringLiteral("Avviso"));
    m_notice->setFont(noticeFont());
    m_notice->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_notice->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_notice->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    QTextOption centred = m_notice->document()->defaultTextOption();
    centred.setAlignment(Qt::AlignHCenter);
    m_notice->document()->setDefaultTextOption(centred);
    m_notice->setPlainText(notice());
    m_notice->setGeometry(noticeRect());
    nameScrollParts(*m_notice);
    previewKeys(*m_notice);
    // Raised over the drawing, which then goes: the next frame shows the same pixels.
    m_notice->setVisible(m_noticePreview->isVisible());
    if (m_notice->isVisible())
        m_notice->setFocus();
    m_noticePreview->deleteLater();
    m_noticePreview = nullptr;
    return m_notice;
}

void SplashWindow::previewKeys(QWidget& widget) {
    // Key preview: a key typed anywhere in the window reaches eventFilter first.
    widget.installEventFilter(this);
    for (QWidget* child : widget.findChildren<QWidget*>())
        child->installEventFilter(this);
}

void SplashWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    QPainter painter(this);
    qDrawWinPanel(&painter, rect(), palette(), false);
}

void SplashWindow::leave() {
    if (m_leaving)
        return;
    m_leaving = true;
    emit proceed();
    close();
}

} // namespace tarvimo
