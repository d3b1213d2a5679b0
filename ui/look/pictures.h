// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

namespace tarvimo {

enum class WindowIcon { Main, Help, Splash };

// The window's icon: the 32 px design for title bars and its larger renderings for docks and
// task switchers, built from pixels embedded in the program (no image decoder, no plugins).
QIcon makeWindowIcon(WindowIcon which);

// The splash picture for a control of the given size, in logical pixels. At a device pixel ratio
// of 1 these are the embedded pixels, already scaled exactly as the control would scale them;
// at other ratios the control scales the larger rendering itself.
QPixmap splashPicture(QSize controlSize, qreal devicePixelRatio);

} // namespace tarvimo
