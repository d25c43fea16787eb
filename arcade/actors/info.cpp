// The per-type tables of the actors.
#include "actors/info.h"

// ---- The eight common enemies ----

// ---- The big enemies and bosses ----
