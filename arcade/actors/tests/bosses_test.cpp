// Tests of the bosses operations.
#include "actors/tests/actor_fixture.h"
