// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace tarvimo {

// Pixels of a picture, decoded (and for the splash, scaled) at build time by ui/tools/embed_pixels.
struct EmbeddedPixels {
    int width;
    int height;
    int bytesPerLine;
    int format; // a QImage::Format
    const unsigned char* bytes;
};

// The splash picture already scaled to its control at a device pixel ratio of 1.
extern const EmbeddedPixels splashPicture1x;
// The window icons: the 32 px designs and their larger renderings.
extern const EmbeddedPixels mainIcon32, mainIcon48, mainIcon64, mainIcon128, mainIcon256;
extern const EmbeddedPixels helpIcon32, helpIcon48, helpIcon64, helpIcon128, helpIcon256;
// The splash, on screen for moments, has only the rendering for screens scaled by two.
extern const EmbeddedPixels splashIcon32, splashIcon64;

} // namespace tarvimo
