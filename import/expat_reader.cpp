// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "expat_reader.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <stdexcept>

namespace tarvimo {

std::string_view ExpatReader::localName(const char* name) {
    const char* colon = std::strrchr(name, ':');
    return colon != nullptr ? std::string_view(colon + 1) : std::string_view(name);
}

const char* ExpatReader::attribute(const char** attributes, std::string_view name) {
    for (; attributes[0] != nullptr; attributes += 2) {
        if (localName(attributes[0]) == name) {
            return attributes[1];
        }
    }
    return nullptr;
}

ExpatReader::ExpatReader() : m_parser(XML_ParserCreate(nullptr)) {
    if (m_parser == nullptr) {
        throw std::bad_alloc();
    }
    XML_SetUserData(m_parser, this);
    XML_SetElementHandler(m_parser, &ExpatReader::onStart, &ExpatReader::onEnd);
    XML_SetEntityDeclHandler(m_parser, &ExpatReader::onEntity);
    // No external DTD or parameter entity is ever read.
    XML_SetParamEntityParsing(m_parser, XML_PARAM_ENTITY_PARSING_NEVER);
}

ExpatReader::~ExpatReader() {
    XML_ParserFree(m_parser);
}

RideError ExpatReader::readAll(QIODevice& device, qint64 total, const RideProgress& progress) {
    for (;;) {
        void* buffer = XML_GetBuffer(m_parser, chunkBytes);
        if (buffer == nullptr) {
            return RideError::OutOfMemory;
        }
        const qint64 got = device.read(static_cast<char*>(buffer), chunkBytes);
        if (got < 0) {
            m_detail = device.errorString();
            return RideError::NotReadable;
        }
        m_bytes += got;
        if (m_bytes > maxRideFileBytes) {
            return RideError::TooLarge;
        }
        const bool last = got == 0;
        const RideError error = parsed(XML_ParseBuffer(m_parser, int(got), last), last);
        if (error != RideError::None || last) {
            return error;
        }
        if (progress && !progress(m_bytes, total)) {
            return RideError::Cancelled;
        }
    }
}

RideError ExpatReader::feed(const char* data, std::size_t size, bool last) {
    while (size > 0 || last) {
        const std::size_t piece = std::min<std::size_t>(size, chunkBytes);
        m_bytes += qint64(piece);
        const bool end = last && piece == size;
        const RideError error = parsed(XML_Parse(m_parser, data, int(piece), end), end);
        if (error != RideError::None || end) {
            return error;
        }
        data += piece;
        size -= piece;
    }
    return RideError::None;
}

RideError ExpatReader::parsed(XML_Status status, bool last) {
    if (status == XML_STATUS_OK) {
        if (!last) {
            return RideError::None;
        }
        m_line = currentLine();
        const RideError verdict = finish();
        if (verdict == RideError::NoPoints || verdict == RideError::OnePoint ||
            verdict == RideError::NoElevation) {
            m_line = 0;
        }
        return verdict;
    }
    m_line = currentLine();
    const XML_Error code = XML_GetErrorCode(m_parser);
    if (code == XML_ERROR_ABORTED && m_error != RideError::None) {
        return m_error;
    }
    m_detail = QString::fromUtf8(XML_ErrorString(code));
    switch (code) {
    case XML_ERROR_NO_MEMORY:
        return RideError::OutOfMemory;
    case XML_ERROR_NO_ELEMENTS:
    case XML_ERROR_UNCLOSED_TOKEN:
    case XML_ERROR_PARTIAL_CHAR:
    case XML_ERROR_UNCLOSED_CDATA_SECTION:
        return last ? RideError::Truncated : RideError::Malformed;
    default:
        return RideError::Malformed;
    }
}

qint64 ExpatReader::currentLine() const {
    return qint64(XML_GetCurrentLineNumber(m_parser));
}

void ExpatReader::collectText() {
    m_textSize = 0;
    m_collecting = true;
    XML_SetCharacterDataHandler(m_parser, &ExpatReader::onText);
}

void ExpatReader::stopCollecting() {
    if (m_collecting) {
        m_collecting = false;
        XML_SetCharacterDataHandler(m_parser, nullptr);
    }
}

void ExpatReader::fail(RideError error) {
    if (m_error == RideError::None) {
        m_error = error;
        XML_StopParser(m_parser, XML_FALSE);
    }
}

void ExpatReader::onStart(void* self, const char* name, const char** attributes) {
    auto* reader = static_cast<ExpatReader*>(self);
    reader->stopCollecting();
    reader->guarded([&] { reader->startElement(localName(name), attributes); });
}

void ExpatReader::onEnd(void* self, const char*) {
    auto* reader = static_cast<ExpatReader*>(self);
    reader->guarded([&] { reader->endElement(); });
    reader->stopCollecting();
}

template <typename Handler> void ExpatReader::guarded(const Handler& handler) {
    // An exception must not unwind through expat's C frames: it stops the parse instead.
    try {
        handler();
    } catch (const std::bad_alloc&) {
        fail(RideError::OutOfMemory);
    } catch (const std::length_error&) {
        fail(RideError::TooLarge); // more points than a ride can hold
    }
}

void ExpatReader::onText(void* self, const char* text, int length) {
    auto* reader = static_cast<ExpatReader*>(self);
    const std::size_t size = std::min(textLimit - reader->m_textSize, std::size_t(length));
    std::memcpy(reader->m_text.data() + reader->m_textSize, text, size);
    reader->m_textSize += size;
}

void ExpatReader::onEntity(void* self, const char*, int, const char*, int, const char*, const char*,
                           const char*, const char*) {
    static_cast<ExpatReader*>(self)->fail(RideError::EntitiesRefused);
}

} // namespace tarvimo
