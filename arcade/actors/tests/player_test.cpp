// Tests of the player operations.
#include "actors/tests/actor_fixture.h"
