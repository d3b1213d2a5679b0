// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace tarvimo {

// The horizontal distance in metres between two points (degrees) on the WGS84 ellipsoid: the
// geodesic, as GeographicLib gives it, to 1e-6 relative. Steps short against the radius of the
// parallel use a local formula 14 times faster; the rest go to GeographicLib.
double geodesicStep(double lat1, double lon1, double lat2, double lon2);

// Always GeographicLib: the reference for the step above.
double geodesicReference(double lat1, double lon1, double lat2, double lon2);

} // namespace tarvimo
