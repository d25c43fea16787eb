// Per-type numbers of the actors, a row per type, so that a number is read
// and changed in one place.
#ifndef ARCADE_ACTORS_INFO_H
#define ARCADE_ACTORS_INFO_H

#include <stdint.h>

// ---- The eight common enemies ----

// ---- The big enemies and bosses ----

#endif
