// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ride_file.h"

#include <QIODevice>
#include <array>
#include <cstddef>
#include <expat.h>
#include <string_view>

namespace tarvimo {

// Streams XML through expat and hands its subclass the elements by local name (any namespace
// prefix dropped). A DOCTYPE that declares entities stops it: nothing is expanded or fetched.
class ExpatReader {
public:
    ExpatReader();
    virtual ~ExpatReader();
    ExpatReader(const ExpatReader&) = delete;
    ExpatReader& operator=(const ExpatReader&) = delete;

    static constexpr int chunkBytes = 64 * 1024;

    // Reads the device to its end in chunks, calling progress after each; total is for progress.
    RideError readAll(QIODevice& device, qint64 total, const RideProgress& progress);
    // The next piece of the document; last = true once, at its end.
    RideError feed(const char* data, std::size_t size, bool last);

    qint64 line() const { return m_line; }
    const QString& detail() const { return m_detail; }
    qint64 bytesRead() const { return m_bytes; }

    // A name without its namespace prefix: "gpxtpx:cad" is "cad".
    static std::string_view localName(const char* name);
    // The value of the attribute of that local name, or null.
    static const char* attribute(const char** attributes, std::string_view name);

protected:
    virtual void startElement(std::string_view name, const char** attributes) = 0;
    // Ends the element last started and not yet ended: the readers need no name to know which.
    virtual void endElement() = 0;
    // After the document's end: the reader's own verdict on what it saw.
    virtual RideError finish() = 0;

    // Keeps the text of the element just started, for endElement() to read with text(). Only
    // then does expat call back with text: the blanks between elements are never handed over.
    void collectText();
    std::string_view text() const { return {m_text.data(), m_textSize}; }
    // Stops the parse with an error at the current line.
    void fail(RideError error);
    qint64 currentLine() const;

private:
    static void onStart(void* self, const char* name, const char** attributes);
    static void onEnd(void* self, const char*);
    static void onText(void* self, const char* text, int length);
    static void onEntity(void* self, const char*, int, const char*, int, const char*, const char*,
                         const char*, const char*);
    void stopCollecting();
    RideError parsed(XML_Status status, bool last);
    template <typename Handler> void guarded(const Handler& handler);

    // Longer texts are cut: no number or name needs more.
    static constexpr std::size_t textLimit = 4096;

    XML_Parser m_parser;
    std::array<char, textLimit> m_text;
    std::size_t m_textSize = 0;
    bool m_collecting = false;
    RideError m_error = RideError::None;
    qint64 m_line = 0;
    qint64 m_bytes = 0;
    QString m_detail;
};

} // namespace tarvimo
