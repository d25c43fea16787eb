// Tests of the shot operations.
#include "actors/tests/actor_fixture.h"
