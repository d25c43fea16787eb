// A simple player for the whole-game run: it reads the world as the screen
// shows it and answers with key presses through the loop's handler.
#ifndef ARCADE_TESTS_BOT_H
#define ARCADE_TESTS_BOT_H

struct Bot {
    int wanted_stage;   // the stage it picks on the title, 1 to 5
    int aim_distance;   // how far from its target it likes to throw from
    int story_wait;     // ticks it reads the story before skipping it
    // In this stage it flies into the enemies, throwing nothing, until no more than
    // careless_lives lives are left, once; 0: never careless.
    int careless_stage;
    int careless_lives;
    bool careless_done;
    int ticks_in_state;
    int last_state;
};

void bot_init(Bot *bot, int aim_distance, int story_wait);
// Presses and releases the keys for this tick; the keys go through the
// loop's handler before the tick's timer event.
void bot_act(Bot *bot);
// Lets go of every arrow key held.
void bot_release_keys(void);

#endif
