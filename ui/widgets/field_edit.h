// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QClipboard>
#include <QLineEdit>

namespace tarvimo {

// The text box of one field. A paste (keys, context menu, X11 middle click) or a drop that would
// make its text longer than maxPastedLength characters (code points, as the user counts them) is
// refused before the box takes it, with an Italian message: QLineEdit keeps an undo step for every
// character inserted, so taking megabytes would hold the window for seconds. Typing and setText()
// are not limited. A dragged file is never taken as text: the drag goes on to the window, which
// opens it.
class FieldEdit : public QLineEdit {
    Q_OBJECT

public:
    static constexpr qsizetype maxPastedLength = 65536;

    explicit FieldEdit(QWidget* parent = nullptr);

    // The message shown when a text of this many characters is refused.
    static QString refusal(qsizetype length);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // True if inserting `inserted` characters in place of `replaced` keeps the box within the
    // limit; otherwise schedules the message and returns false.
    bool fits(qsizetype inserted, qsizetype replaced);
    void pasteChecked();
};

} // namespace tarvimo
