// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <optional>
#include <vector>

namespace tarvimo {

class Ride;

// A climb's category by its score, as cycling's climb lists grade them.
enum class Category { None, Fourth, Third, Second, First, Hors };

// "4ª", "3ª", "2ª", "1ª", "HC" (UTF-8), or "" for None.
const char* categoryText(Category category);
// Above 8.000 "4ª", above 16.000 "3ª", above 32.000 "2ª", above 64.000 "1ª", above 80.000 "HC".
Category categoryOf(double score);

// What "Importa salita" says where the ride has no climb and the whole ride is proposed.
inline constexpr const char* noClimbNote =
    "Nessuna salita di almeno 500 m al 3 % in questa traccia.";

// The stretch of a ride from point `first` to point `last`, with the figures the window shows.
struct Climb {
    std::size_t first = 0;
    std::size_t last = 0;
    double length = 0;   // m along the profile (Ride::distances()) from first to last
    double gain = 0;     // m: recorded elevation at last minus at first
    double gradient = 0; // %: 100 * gain / length, 0 where length is 0
    double score = 0;    // length * gradient; 0 where rises is false
    Category category = Category::None;
    bool rises = true; // false only for the whole ride, proposed where it has no climb
};

// Le salite di una traccia si cercano sul profilo senza i salti del GPS (fino a 5 punti che si
// staccano di decine di metri e poi tornano: le quote passano per una mediana su 11 punti),
// lisciato su 300 m. Una salita sale da un punto basso fino alla sua cima e può passare per
// delle contropendenze, purché ognuna scenda meno di 15 m e meno della metà del dislivello fatto
// fin lì. Comincia dove comincia a salire: il terreno iniziale che nei 200 m successivi sale
// meno del 2 % non ne fa parte (e se da lì la media non arriva al 3 %, comincia dove riprende a
// salire più avanti); finisce in cima. Conta se è lunga almeno 500 m, sale almeno 30 m e ha una
// pendenza media di almeno il 3 %; le salite non si sovrappongono. I due estremi di una salita
// sono sempre punti la cui quota registrata dista al più 10 m da quella filtrata; il dislivello
// è la differenza tra le quote registrate dei due estremi, la lunghezza la distanza tra i due
// lungo il profilo. Il punteggio è la lunghezza in metri per la pendenza media in percento:
// oltre 8.000 è una salita di 4ª categoria, oltre 16.000 di 3ª, oltre 32.000 di 2ª, oltre 64.000
// di 1ª, oltre 80.000 HC. Si propone la salita che porta al punto più alto della traccia, se
// c'è, altrimenti quella dal punteggio più alto; una traccia senza salite si propone tutta, con
// la nota "Nessuna salita di almeno 500 m al 3 % in questa traccia."
//
// How: one pass over the smoothed profile finds the rises (a dip too deep ends one). In a rise,
// each point whose next 200 m rise 4 m or more, after points whose next 200 m do not, has a foot
// within those 200 m: the point lowest under a line rising 2 %, on the median-filtered elevations
// that keep a foot sharp. The climb begins at the first foot from which its figures count. Its top
// is the first point within 2 m (what is left of the GPS noise) of the rise's highest smoothed
// elevation, so that a level summit ends it where it is reached; its end is the highest trusted
// recorded point within 150 m of that. The climb to the ride's highest point is the one whose rise
// holds the highest trusted recorded point. The counts are made on the figures shown, so that no
// climb listed shows less than 500 m, 30 m or 3 %. Linear in the points.

// Every climb of the ride, in order along it.
std::vector<Climb> findClimbs(const Ride& ride);

// What "Importa salita" proposes.
struct ClimbProposal {
    std::vector<Climb> climbs;           // findClimbs(ride)
    std::optional<std::size_t> proposed; // index into climbs; none where the ride has no climb
    Climb stretch; // climbs[*proposed], or else the whole ride (rises false, no category)
};
ClimbProposal proposeClimb(const Ride& ride);

} // namespace tarvimo
