// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ride_format.h"

#include <QStringDecoder>

namespace tarvimo {
namespace {

bool isNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ':' ||
           c == '_' || c == '-' || c == '.';
}

// The local name of the first element, skipping the declaration, comments and a DOCTYPE; empty
// where the bytes do not look like XML.
QByteArrayView rootElement(QByteArrayView head) {
    if (head.startsWith("\xEF\xBB\xBF")) {
        head = head.sliced(3);
    }
    qsizetype at = 0;
    while (at < head.size()) {
        const char c = head[at];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            ++at;
            continue;
        }
        if (c != '<' || at + 1 >= head.size()) {
            return {};
        }
        const char next = head[at + 1];
        if (next == '?' || next == '!') {
            // Declarations, comments and DOCTYPE: skip to their closing '>', over an internal
            // subset's brackets.
            const bool comment = head.sliced(at).startsWith("<!--");
            const auto end = comment ? head.indexOf("-->", at) : -1;
            if (comment) {
                if (end < 0) {
                    return {};
                }
                at = end + 3;
                continue;
            }
            int brackets = 0;
            ++at;
            while (at < head.size() && (head[at] != '>' || brackets > 0)) {
                brackets += head[at] == '[' ? 1 : head[at] == ']' ? -1 : 0;
                ++at;
            }
            ++at;
            continue;
        }
        qsizetype end = at + 1;
        while (end < head.size() && isNameChar(head[end])) {
            ++end;
        }
        QByteArrayView name = head.sliced(at + 1, end - at - 1);
        if (const auto colon = name.lastIndexOf(':'); colon >= 0) {
            name = name.sliced(colon + 1);
        }
        return name;
    }
    return {};
}

bool isFit(QByteArrayView head) {
    return head.size() >= 12 && (head[0] == 12 || head[0] == 14) && head.sliced(8, 4) == ".FIT";
}

} // namespace

RideFormat sniffRideFormat(QByteArrayView head) {
    if (isFit(head)) {
        return RideFormat::Fit;
    }
    // Some Windows tools write UTF-16; expat reads it from its byte-order mark.
    QByteArray narrowed;
    if (head.startsWith("\xFF\xFE") || head.startsWith("\xFE\xFF")) {
        QStringDecoder fromUtf16(QStringConverter::Utf16);
        narrowed = QString(fromUtf16(head.first(head.size() & ~qsizetype(1)))).toUtf8();
    }
    const QByteArrayView root = rootElement(narrowed.isNull() ? head : narrowed);
    for (const RideFormatInfo& info : rideFormats()) {
        if (info.xmlRoot != nullptr && root == info.xmlRoot) {
            return info.format;
        }
    }
    return RideFormat::Unknown;
}

} // namespace tarvimo
