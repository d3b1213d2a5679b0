// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ride_file.h"

#include <QIODevice>
#include <cstddef>
#include <expat.h>
#include <string>
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

protected:
    virtual void startElement(std::string_view name, const char** attributes) = 0;
    virtual void endElement(std::string_view name) = 0;
    // After the document's end: the reader's own verdict on what it saw.
    virtual RideError finish() = 0;

    // Keeps the text of the element just started, for endElement() to read with text().
    void collectText();
    std::string_view text() const { return m_text; }
    // Stops the parse with an error at the current line.
    void fail(RideError error);
    qint64 currentLine() const;

private:
    static void onStart(void* self, const char* name, const char** attributes);
    static void onEnd(void* self, const char* name);
    static void onText(void* self, const char* text, int length);
    static void onEntity(void* self, const char*, int, const char*, int, const char*, const char*,
                         const char*, const char*);
    RideError parsed(XML_Status status, bool last);
    template <typename Handler> void guarded(const Handler& handler);

    XML_Parser m_parser;
    std::string m_text;
    bool m_collecting = false;
    RideError m_error = RideError::None;
    qint64 m_line = 0;
    qint64 m_bytes = 0;
    QString m_detail;
};

} // namespace tarvimo
