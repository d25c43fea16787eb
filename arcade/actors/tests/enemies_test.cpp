// Tests of the enemies operations.
#include "actors/tests/actor_fixture.h"
