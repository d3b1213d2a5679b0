// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/notice_preview.h"

#include <QPainter>
#include <QStringTokenizer>
#include <QTextLayout>
#include <QTextOption>

namespace tarvimo {

namespace {

// QTextDocument's margin around its text, which QPlainTextEdit keeps.
constexpr qreal documentMargin = 4;

} // namespace

NoticePreview::NoticePreview(const QString& text, QWidget* parent) : QFrame(parent), m_text(text) {
    // The frame a scroll area has; the style draws it as it draws the box's.
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
}

void NoticePreview::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect viewport = contentsRect();
    painter.fillRect(viewport, palette().brush(QPalette::Base));
    painter.setClipRect(viewport);
    painter.setPen(palette().color(QPalette::Text));

    // As QPlainTextDocumentLayout lays out each block: one layout a paragraph, lines with their
    // leading, wrapped within the margins, paragraphs stacked from the top margin down.
    QTextOption option;
    option.setAlignment(Qt::AlignHCenter);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setTabStopDistance(80);
    const qreal lineWidth = viewport.width() - 2 * documentMargin;
    QPointF offset(viewport.left(), viewport.top() + documentMargin);
    for (const QStringView paragraph : QStringTokenizer(m_text, u"\r\n")) {
        QTextLayout layout(paragraph.toString(), font());
        layout.setTextOption(option);
        layout.beginLayout();
        qreal height = 0;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLeadingIncluded(true);
            line.setLineWidth(lineWidth);
            line.setPosition(QPointF(documentMargin, height));
            height += line.height();
        }
        layout.endLayout();
        layout.draw(&painter, offset);
        offset.ry() += layout.boundingRect().bottom();
        if (offset.y() > viewport.bottom())
            break;
    }

    if (!m_painted) {
        m_painted = true;
        QMetaObject::invokeMethod(this, &NoticePreview::shown, Qt::QueuedConnection);
    }
}

} // namespace tarvimo
