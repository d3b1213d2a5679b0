// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Build-time helper: reads pictures with the same Qt calls the windows would use at run time
// (QPixmap, then QImage::scaled with smooth filtering) and writes their pixels as a C++ source,
// so that the program shows them without an image decoder or the image-format plugins.
// Usage: embed_pixels out.cpp name=picture.png[@WIDTHxHEIGHT]... [--later name=picture.png...]
// Pictures after --later are those no window shows during start-up.
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QList>
#include <QPixmap>
#include <QRegularExpression>
#include <QTextStream>
#include <algorithm>
#include <cstdio>

namespace {

// Pixels needed only once start-up is over sit in one block on 64 KiB pages of their own: the
// kernel maps file pages around each one touched, up to 64 KiB aligned, and starting the program
// would otherwise bring in icons no window shows yet.
constexpr qsizetype laterAlignment = 65536;

struct Picture {
    QString name;
    QImage image;
    bool later;
};

void writeBytes(QTextStream& out, const uchar* bytes, qsizetype size, qsizetype& column) {
    for (qsizetype i = 0; i < size; ++i, ++column)
        out << (column % 24 == 0 ? "\n" : "") << int(bytes[i]) << ',';
}

void writeDescription(QTextStream& out, const Picture& picture, const QString& bytes) {
    const QImage& image = picture.image;
    out << "const EmbeddedPixels " << picture.name << "{" << image.width() << ", " << image.height()
        << ", " << image.bytesPerLine() << ", " << int(image.format()) << ", " << bytes << "};\n";
}

void write(QTextStream& out, const QList<Picture>& pictures) {
    out << "namespace {\n\n";
    for (const Picture& picture : pictures) {
        if (picture.later)
            continue;
        qsizetype column = 0;
        out << "const unsigned char " << picture.name << "Bytes[] = {";
        writeBytes(out, picture.image.constBits(), picture.image.sizeInBytes(), column);
        out << "\n};\n\n";
    }
    qsizetype column = 0;
    out << "alignas(" << laterAlignment << ") const unsigned char laterBytes[] = {";
    for (const Picture& picture : pictures)
        if (picture.later)
            writeBytes(out, picture.image.constBits(), picture.image.sizeInBytes(), column);
    const QByteArray padding((laterAlignment - column % laterAlignment) % laterAlignment, 0);
    writeBytes(out, reinterpret_cast<const uchar*>(padding.constData()), padding.size(), column);
    out << "\n};\n\n} // namespace\n\n";

    qsizetype offset = 0;
    for (const Picture& picture : pictures) {
        if (picture.later) {
            writeDescription(out, picture, QStringLiteral("laterBytes + %1").arg(offset));
            offset += picture.image.sizeInBytes();
        } else {
            writeDescription(out, picture, picture.name + QStringLiteral("Bytes"));
        }
    }
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fputs("usage: embed_pixels out.cpp name=picture.png[@WxH]... [--later name=...]\n",
                   stderr);
        return 2;
    }
    QList<Picture> pictures;
    bool later = false;
    static const QRegularExpression entry(QStringLiteral("^(\\w+)=(.+?)(?:@(\\d+)x(\\d+))?$"));
    for (int i = 2; i < argc; ++i) {
        if (qstrcmp(argv[i], "--later") == 0) {
            later = true;
            continue;
        }
        const auto match = entry.match(QString::fromLocal8Bit(argv[i]));
        if (!match.hasMatch()) {
            std::fprintf(stderr, "embed_pixels: cannot read the entry %s\n", argv[i]);
            return 1;
        }
        QImage image = QPixmap(match.captured(2)).toImage();
        if (image.isNull()) {
            std::fprintf(stderr, "embed_pixels: cannot load %s\n", argv[i]);
            return 1;
        }
        if (!match.captured(3).isEmpty())
            image = image.scaled(match.captured(3).toInt(), match.captured(4).toInt(),
                                 Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        // An opaque grey picture keeps one byte a pixel: a quarter of the memory, and turning it
        // back into 32-bit pixels gives the same pixels.
        if (image.isGrayscale() && !image.hasAlphaChannel())
            image = image.convertToFormat(QImage::Format_Grayscale8);
        // Lines are padded to 32 bits and Qt leaves the padding as it found the memory: clear
        // it, so that two builds embed the same bytes.
        const qsizetype used = qsizetype(image.width()) * image.depth() / 8;
        for (int y = 0; y < image.height(); ++y)
            std::fill(image.scanLine(y) + used, image.scanLine(y) + image.bytesPerLine(), 0);
        pictures.append({match.captured(1), image, later});
    }

    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 1;
    QTextStream out(&file);
    out << "// Generated by embed_pixels; do not edit.\n#include \"look/embedded_pixels.h\"\n\n"
        << "namespace tarvimo {\n\n";
    write(out, pictures);
    out << "\n} // namespace tarvimo\n";
    out.flush();
    return file.error() == QFile::NoError ? 0 : 1;
}
