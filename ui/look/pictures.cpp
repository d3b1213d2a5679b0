// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "look/pictures.h"

#include "look/embedded_pixels.h"

#include <QImage>
#include <QList>

namespace tarvimo {

namespace {

QPixmap toPixmap(const EmbeddedPixels& pixels) {
    // The image only borrows the bytes; fromImage copies them into the pixmap, as they are: a
    // grey picture stays one byte a pixel and becomes colour only where it is drawn.
    const QImage image(pixels.bytes, pixels.width, pixels.height, pixels.bytesPerLine,
                       static_cast<QImage::Format>(pixels.format));
    return QPixmap::fromImage(image, Qt::NoFormatConversion);
}

} // namespace

QIcon makeWindowIcon(WindowIcon which) {
    QList<const EmbeddedPixels*> sizes;
    switch (which) {
    case WindowIcon::Main:
        sizes = {&mainIcon32, &mainIcon48, &mainIcon64, &mainIcon128, &mainIcon256};
        break;
    case WindowIcon::Help:
        sizes = {&helpIcon32, &helpIcon48, &helpIcon64, &helpIcon128, &helpIcon256};
        break;
    case WindowIcon::Splash:
        sizes = {&splashIcon32, &splashIcon64};
        break;
    }
    QIcon icon;
    for (const EmbeddedPixels* pixels : sizes)
        icon.addPixmap(toPixmap(*pixels));
    return icon;
}

QPixmap splashPicture(QSize controlSize, qreal devicePixelRatio) {
    if (devicePixelRatio == 1.0 &&
        controlSize == QSize(splashPicture1x.width, splashPicture1x.height))
        return toPixmap(splashPicture1x);
    return QPixmap(QStringLiteral(":/splash@2x.png"));
}

} // namespace tarvimo
