// arcade: a side-view shooter for one player with a propeller pack.
#include "core/game.h"

int main(void)
{
    // A failed start-up has shown its box; report the failure to the caller.
    if (start_up() == -1) {
        shut_down();
        return 1;
    }
    while (process_next_event()) {
    }
    shut_down();
    return 0;
}
