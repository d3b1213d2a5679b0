// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <span>

namespace tarvimo {

class Ride;

// The climb proposed in a ride: from point `first` to point `last`.
struct Climb {
    std::size_t first = 0;
    std::size_t last = 0;
    bool rises = false; // false where the ride never climbs: then the whole ride is proposed
};

// La salita proposta finisce nel punto più alto della traccia e comincia nel punto più basso da cui
// vi si arriva senza mai riscendere di più di 15 m, oppure, se da lì parte un tratto pianeggiante
// di almeno 300 m (entro 4 m di quota), alla fine di quel tratto; se la traccia non sale mai, si
// propone tutta. I salti del GPS (fino a 5 punti che si staccano di decine di metri e poi tornano)
// non contano: le quote passano per una mediana su 11 punti, e i due estremi della proposta sono
// sempre punti la cui quota registrata dista al più 10 m da quella filtrata.
// The filtered elevations are then smoothed over 300 m to see through GPS noise. The gain is read
// from the recorded elevations of the two ends, as the rider sees them on the profile. Where the
// ride starts at its highest point, the climb proposed is the one that rises most above the
// lowest point before it.
// distance (m, never decreasing) and elevation (m) are columns of the same length, at least one;
// a distance that is not a number or goes back counts as the previous one, an elevation that is
// not a number as the previous one, and the longer column is cut to the shorter.
Climb findClimb(std::span<const double> distance, std::span<const double> elevation);
Climb findClimb(const Ride& ride);

} // namespace tarvimo
