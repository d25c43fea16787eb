// Pads, focus and the display switch, fed to the loop's own event handling
// as the queue would hand the events over; every frame is drawn into a
// memory canvas.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <allegro5/allegro.h>
#include <string>
#include <vector>
#include "core/display_mode.h"
#include "core/game.h"
#include "core/input.h"
#include "core/pads.h"
#include "core/resources.h"
#include "sound/sound.h"
#include "core/world.h"
#include "headless.h"

// The world reset seeds from the calendar: held still, so that two runs of
// the same script meet the same enemies.
extern "C" time_t __wrap_time(time_t *out)
{
    if (out)
        *out = 1000000;
    return 1000000;
}

namespace {

struct Heard {
    ALLEGRO_SAMPLE *sample;
    float gain;
    float speed;
};
std::vector<Heard> heard;

void hear(ALLEGRO_SAMPLE *sample, float gain, float speed)
{
    heard.push_back({sample, gain, speed});
}

// An 11-button pad as the Linux driver names it: two sticks, a trigger
// pair, the hat last.
char pad_token;
ALLEGRO_JOYSTICK *const pad_joy = reinterpret_cast<ALLEGRO_JOYSTICK *>(&pad_token);
const char *const numbered[] = {"B1", "B2", "B3", "B4", "B5", "B6",
                                "B7", "B8", "B9", "B10", "B11"};
#define PAD_START_BUTTON 7
#define STICK_LEFT 0
#define STICK_OTHER 1
#define STICK_HAT 3
bool pad_plugged;

void controls_numbered(PadControls *c, int buttons)
{
    memset(c, 0, sizeof *c);
    c->buttons = buttons;
    for (int b = 0; b < buttons; b++)
        c->button_name[b] = b < 11 ? numbered[b] : "B12+";
    c->sticks = 4;
    for (int s = 0; s < 4; s++) {
        c->stick_name[s] = "Stick";
        c->stick_flags[s] = s == STICK_HAT ? ALLEGRO_JOYFLAG_DIGITAL : ALLEGRO_JOYFLAG_ANALOGUE;
        c->stick_axes[s] = 2;
    }
}

int scan_test_pad(ALLEGRO_JOYSTICK **joys, PadControls *controls, int max)
{
    if (!pad_plugged || max < 1)
        return 0;
    joys[0] = pad_joy;
    controls_numbered(&controls[0], 11);
    return 1;
}

bool send(const ALLEGRO_EVENT &ev)
{
    return process_event(&ev);
}

ALLEGRO_EVENT joy_event(unsigned type)
{
    ALLEGRO_EVENT ev = {};
    ev.type = type;
    ev.joystick.id = pad_joy;
    return ev;
}

void pad_configuration(bool plugged)
{
    pad_plugged = plugged;
    send(joy_event(ALLEGRO_EVENT_JOYSTICK_CONFIGURATION));
}

void pad_axis(int stick, int axis, float pos)
{
    ALLEGRO_EVENT ev = joy_event(ALLEGRO_EVENT_JOYSTICK_AXIS);
    ev.joystick.stick = stick;
    ev.joystick.axis = axis;
    ev.joystick.pos = pos;
    send(ev);
}

void pad_button(int button, bool down)
{
    ALLEGRO_EVENT ev = joy_event(down ? ALLEGRO_EVENT_JOYSTICK_BUTTON_DOWN
                                      : ALLEGRO_EVENT_JOYSTICK_BUTTON_UP);
    ev.joystick.button = button;
    send(ev);
}

void key(unsigned type, int keycode)
{
    ALLEGRO_EVENT ev = {};
    ev.type = type;
    ev.keyboard.keycode = keycode;
    send(ev);
}

void display_event(unsigned type)
{
    ALLEGRO_EVENT ev = {};
    ev.type = type;
    send(ev);
}

class InputTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(headless_start(ARCADE_GAME_DIR)); }
    static void TearDownTestSuite() { headless_stop(); }

    void SetUp() override
    {
        // Records cleared first, so that the padding of two runs agrees.
        memset(&player, 0, sizeof player);
        memset(puffs, 0, sizeof puffs);
        memset(shots, 0, sizeof shots);
        memset(leaves, 0, sizeof leaves);
        memset(balls, 0, sizeof balls);
        memset(nbombs, 0, sizeof nbombs);
        memset(&boss_bigleaf, 0, sizeof boss_bigleaf);
        headless_new_game();
        input_release_all();
        pad_scan_hook = scan_test_pad;
        pad_configuration(false);
        pad_configuration(true);
        heard.clear();
        sound_hook = hear;
        display_windowed = false;
    }

    void TearDown() override
    {
        pad_configuration(false);
        pad_scan_hook = nullptr;
        sound_hook = nullptr;
        input_release_all();
    }

    void enter_state(GameState s)
    {
        game_state = s;
        state_timer = 0;
        fade_timer = 0;
        stage_ticks = 0;
        stage = 1;
    }

    static void tick(int n = 1)
    {
        for (int i = 0; i < n; i++)
            headless_timer_tick();
    }
};

// What one tick leaves: the world, the states, the held keys, what was
// heard, and the picture.
std::string world_now()
{
    std::string w;
    auto add = [&w](const void *p, size_t n) { w.append(static_cast<const char *>(p), n); };

    add(&player, sizeof player);
    add(puffs, sizeof puffs);
    add(shots, sizeof shots);
    add(leaves, sizeof leaves);
    add(balls, sizeof balls);
    add(nbombs, sizeof nbombs);
    add(&boss_bigleaf, sizeof boss_bigleaf);
    const int32_t values[] = {score, combo, combo_timer, health, health_meter, lives,
                              game_state, next_state, state_timer, fade_timer,
                              (int32_t)stage_ticks, stage, selected_stage,
                              title_enter_count, next_shot, next_puff, group1_count,
                              group2_count, group3_count, boss_pending};
    add(values, sizeof values);
    add(key_down, sizeof key_down);
    for (const Heard &h : heard)
        add(&h, sizeof h);
    ALLEGRO_LOCKED_REGION *r = al_lock_bitmap(canvas, ALLEGRO_PIXEL_FORMAT_ABGR_8888,
                                              ALLEGRO_LOCK_READONLY);
    for (int y = 0; r && y < CANVAS_H; y++)
        add(static_cast<const char *>(r->data) + y * r->pitch, CANVAS_W * 4);
    al_unlock_bitmap(canvas);
    return w;
}

enum Act { HOLD, LET_GO, TAP };
struct Step {
    int tick;
    Act act;
    int keycode;
};

// From the title to stage 1 and some play: flight in every direction, throws,
// drops, a pause, and Up and Down held together.
const Step script[] = {
    {0, TAP, ALLEGRO_KEY_ENTER},   {2, TAP, ALLEGRO_KEY_DOWN},   {4, TAP, ALLEGRO_KEY_UP},
    {6, TAP, ALLEGRO_KEY_ENTER},   {8, TAP, ALLEGRO_KEY_Z},      {130, HOLD, ALLEGRO_KEY_UP},
    {150, LET_GO, ALLEGRO_KEY_UP}, {152, HOLD, ALLEGRO_KEY_RIGHT}, {160, TAP, ALLEGRO_KEY_Z},
    {175, TAP, ALLEGRO_KEY_X},     {180, LET_GO, ALLEGRO_KEY_RIGHT}, {185, HOLD, ALLEGRO_KEY_LEFT},
    {186, HOLD, ALLEGRO_KEY_UP},   {200, LET_GO, ALLEGRO_KEY_UP}, {205, HOLD, ALLEGRO_KEY_DOWN},
    {215, LET_GO, ALLEGRO_KEY_DOWN}, {216, LET_GO, ALLEGRO_KEY_LEFT}, {220, TAP, ALLEGRO_KEY_ENTER},
    {240, TAP, ALLEGRO_KEY_ENTER}, {241, HOLD, ALLEGRO_KEY_UP},   {260, TAP, ALLEGRO_KEY_Z},
    {265, LET_GO, ALLEGRO_KEY_UP}, {280, HOLD, ALLEGRO_KEY_UP},   {281, HOLD, ALLEGRO_KEY_DOWN},
    {290, LET_GO, ALLEGRO_KEY_UP}, {291, LET_GO, ALLEGRO_KEY_DOWN},
};
const int script_ticks = 330;

void keyboard_step(const Step &s)
{
    if (s.act != LET_GO)
        key(ALLEGRO_EVENT_KEY_DOWN, s.keycode);
    if (s.act != HOLD)
        key(ALLEGRO_EVENT_KEY_UP, s.keycode);
}

// Left and Right on the left stick, Up on the hat, Down on the stick again;
// Z, X and Enter on the south, east and Start buttons.
void pad_arrow(int keycode, bool down)
{
    switch (keycode) {
    case ALLEGRO_KEY_LEFT: pad_axis(STICK_LEFT, 0, down ? -0.8f : 0.1f); break;
    case ALLEGRO_KEY_RIGHT: pad_axis(STICK_LEFT, 0, down ? 0.9f : -0.05f); break;
    case ALLEGRO_KEY_UP: pad_axis(STICK_HAT, 1, down ? -1.0f : 0.0f); break;
    default: pad_axis(STICK_LEFT, 1, down ? 0.7f : 0.2f); break;
    }
}

void pad_step(const Step &s)
{
    bool arrow = s.keycode == ALLEGRO_KEY_LEFT || s.keycode == ALLEGRO_KEY_RIGHT ||
                 s.keycode == ALLEGRO_KEY_UP || s.keycode == ALLEGRO_KEY_DOWN;
    int button = s.keycode == ALLEGRO_KEY_Z ? 0 : s.keycode == ALLEGRO_KEY_X ? 1 : PAD_START_BUTTON;

    if (s.act != LET_GO) {
        if (arrow)
            pad_arrow(s.keycode, true);
        else
            pad_button(button, true);
    }
    if (s.act != HOLD) {
        if (arrow)
            pad_arrow(s.keycode, false);
        else
            pad_button(button, false);
    }
}

std::vector<std::string> play_script(void (*step)(const Step &), bool noise)
{
    std::vector<std::string> seen;
    size_t next = 0;

    srand(5);
    for (int t = 0; t < script_ticks; t++) {
        while (next < sizeof script / sizeof *script && script[next].tick == t)
            step(script[next++]);
        if (noise && t % 7 == 3) {
            // A trembling stick, a trigger and an unused button hold nothing.
            pad_axis(STICK_LEFT, 1, key_down[ALLEGRO_KEY_DOWN] ? 0.45f : 0.3f);
            pad_axis(STICK_OTHER, 0, t % 2 ? 1.0f : -1.0f);
            pad_button(4, t % 2);
        }
        headless_timer_tick();
        seen.push_back(world_now());
    }
    return seen;
}

TEST_F(InputTest, PadPlaysExactlyAsTheKeyboardTickForTick)
{
    enter_state(Title);
    std::vector<std::string> by_keys = play_script(keyboard_step, false);
    EXPECT_EQ(game_state, Playing);
    EXPECT_GT(score + next_shot, 0);
    EXPECT_EQ(lives, 3);

    SetUp();
    enter_state(Title);
    std::vector<std::string> by_pad = play_script(pad_step, true);
    ASSERT_EQ(by_pad.size(), by_keys.size());
    for (size_t t = 0; t < by_keys.size(); t++)
        ASSERT_TRUE(by_pad[t] == by_keys[t]) << "first difference at tick " << t;
}

TEST_F(InputTest, KeyboardAndPadHoldingOneKeyLetGoOneAtATime)
{
    enter_state(Playing);
    for (int pad_first = 0; pad_first < 2; pad_first++) {
        key(ALLEGRO_EVENT_KEY_DOWN, ALLEGRO_KEY_UP);
        pad_axis(STICK_HAT, 1, -1.0f);
        if (pad_first)
            pad_axis(STICK_HAT, 1, 0.0f);
        else
            key(ALLEGRO_EVENT_KEY_UP, ALLEGRO_KEY_UP);
        EXPECT_TRUE(key_down[ALLEGRO_KEY_UP]) << pad_first;
        tick();
        EXPECT_EQ(player.thrusting, 1) << pad_first;
        if (pad_first)
            key(ALLEGRO_EVENT_KEY_UP, ALLEGRO_KEY_UP);
        else
            pad_axis(STICK_HAT, 1, 0.0f);
        EXPECT_FALSE(key_down[ALLEGRO_KEY_UP]) << pad_first;
        tick();
        EXPECT_EQ(player.thrusting, 0) << pad_first;
    }
    // The stick and the hat of one pad hold together as well.
    pad_axis(STICK_LEFT, 1, -0.9f);
    pad_axis(STICK_HAT, 1, -1.0f);
    pad_axis(STICK_LEFT, 1, 0.0f);
    EXPECT_TRUE(key_down[ALLEGRO_KEY_UP]);
}

TEST_F(InputTest, StickPressesPastHalfAndLetsGoBelowAThird)
{
    enter_state(Playing);
    const struct {
        float pos;
        bool held;
    } steps[] = {{-0.3f, false}, {-0.5f, false}, {-0.55f, true}, {-0.4f, true},
                 {-0.3f, false}, {0.2f, false},  {-1.0f, true},  {0.6f, false}};
    for (const auto &s : steps) {
        pad_axis(STICK_LEFT, 0, s.pos);
        EXPECT_EQ(key_down[ALLEGRO_KEY_LEFT], s.held) << s.pos;
    }
    EXPECT_TRUE(key_down[ALLEGRO_KEY_RIGHT]);
    // Sticks that do not steer hold nothing.
    pad_axis(STICK_OTHER, 1, -1.0f);
    pad_axis(2, 0, -1.0f);
    EXPECT_FALSE(key_down[ALLEGRO_KEY_UP]);
    EXPECT_FALSE(key_down[ALLEGRO_KEY_LEFT]);
}

TEST_F(InputTest, PadPulledOutWhileHoldingUpLetsGo)
{
    enter_state(Playing);
    player.y = 120;
    pad_axis(STICK_HAT, 1, -1.0f);
    tick(10);
    EXPECT_LT(player.vy, 0.0f);
    pad_configuration(false);
    EXPECT_FALSE(key_down[ALLEGRO_KEY_UP]);
    // Its late events count for nothing.
    pad_axis(STICK_HAT, 1, -1.0f);
    pad_button(0, true);
    EXPECT_FALSE(key_down[ALLEGRO_KEY_UP]);
    tick(60);
    EXPECT_EQ(player.thrusting, 0);
    EXPECT_GT(player.vy, 0.0f);
    EXPECT_TRUE(heard.size() > 0);
    for (const Heard &h : heard)
        EXPECT_NE(h.sample, snd_throw);
    // Plugged in again, it plays again.
    pad_configuration(true);
    pad_axis(STICK_HAT, 1, -1.0f);
    EXPECT_TRUE(key_down[ALLEGRO_KEY_UP]);
}

TEST_F(InputTest, FocusLostInPlayReleasesEveryKeyAndPauses)
{
    enter_state(Playing);
    player.y = 120;
    key(ALLEGRO_EVENT_KEY_DOWN, ALLEGRO_KEY_UP);
    pad_axis(STICK_LEFT, 0, 1.0f);
    tick(5);
    heard.clear();

    display_event(ALLEGRO_EVENT_DISPLAY_SWITCH_OUT);
    for (int k = 0; k < KEY_TABLE_SIZE; k++)
        EXPECT_FALSE(key_down[k]) << k;
    // The pause comes with the next tick, as after an Enter between two.
    EXPECT_EQ(game_state, Playing);
    tick();
    EXPECT_EQ(game_state, Paused);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].sample, snd_select);
    for (int k = 0; k < KEY_TABLE_SIZE; k++)
        EXPECT_FALSE(key_down[k]) << k;

    // Coming back does not resume; the key-up never comes.
    display_event(ALLEGRO_EVENT_DISPLAY_SWITCH_IN);
    tick(30);
    EXPECT_EQ(game_state, Paused);
    // The stick still over to the right waits to be let go first.
    pad_axis(STICK_LEFT, 0, 0.9f);
    EXPECT_FALSE(key_down[ALLEGRO_KEY_RIGHT]);
    pad_button(PAD_START_BUTTON, true);
    pad_button(PAD_START_BUTTON, false);
    EXPECT_EQ(game_state, Playing);
    float x = player.x;
    tick(20);
    EXPECT_EQ(player.thrusting, 0);
    EXPECT_EQ(player.x, x);
    pad_axis(STICK_LEFT, 0, 0.0f);
    pad_axis(STICK_LEFT, 0, 0.9f);
    EXPECT_TRUE(key_down[ALLEGRO_KEY_RIGHT]);
}

TEST_F(InputTest, FocusBackWithinTheTickReleasesWithoutPausing)
{
    enter_state(Playing);
    key(ALLEGRO_EVENT_KEY_DOWN, ALLEGRO_KEY_UP);
    heard.clear();
    display_event(ALLEGRO_EVENT_DISPLAY_SWITCH_OUT);
    display_event(ALLEGRO_EVENT_DISPLAY_SWITCH_IN);
    tick(3);
    EXPECT_EQ(game_state, Playing);
    EXPECT_FALSE(key_down[ALLEGRO_KEY_UP]);
    EXPECT_EQ(player.thrusting, 0);
    for (const Heard &h : heard)
        EXPECT_NE(h.sample, snd_select);
}

TEST_F(InputTest, FocusLostElsewhereOnlyReleases)
{
    const GameState others[] = {Intro, Title, StageIntro, Paused, GameOver,
                                StageClear, Story, Fade, Ending};
    for (GameState s : others) {
        enter_state(s);
        title_enter_count = 1;
        key(ALLEGRO_EVENT_KEY_DOWN, ALLEGRO_KEY_UP);
        pad_axis(STICK_LEFT, 0, -1.0f);
        heard.clear();
        int8_t cursor = selected_stage;
        display_event(ALLEGRO_EVENT_DISPLAY_SWITCH_OUT);
        EXPECT_FALSE(key_down[ALLEGRO_KEY_UP]) << s;
        // Frozen states stay put through the tick that a pause would take.
        if (s == Paused)
            tick();
        else
            input_tick();
        EXPECT_EQ(game_state, s);
        EXPECT_EQ(selected_stage, cursor);
        EXPECT_TRUE(heard.empty()) << s;
        EXPECT_FALSE(key_down[ALLEGRO_KEY_LEFT]) << s;
        pad_axis(STICK_LEFT, 0, 0.0f);
    }
}

TEST_F(InputTest, AltEnterSwitchesTheDisplayWithoutPausing)
{
    enter_state(Playing);
    key(ALLEGRO_EVENT_KEY_DOWN, ALLEGRO_KEY_ALT);
    key(ALLEGRO_EVENT_KEY_DOWN, ALLEGRO_KEY_ENTER);
    EXPECT_TRUE(display_windowed);
    EXPECT_EQ(game_state, Playing);
    EXPECT_TRUE(heard.empty());
    // Alt's mark went with the switch: the next Enter pauses.
    key(ALLEGRO_EVENT_KEY_UP, ALLEGRO_KEY_ENTER);
    key(ALLEGRO_EVENT_KEY_UP, ALLEGRO_KEY_ALT);
    key(ALLEGRO_EVENT_KEY_DOWN, ALLEGRO_KEY_ENTER);
    EXPECT_EQ(game_state, Paused);
    EXPECT_TRUE(display_windowed);

    // On the title neither the list nor the fade starts.
    enter_state(Title);
    title_enter_count = 1;
    key(ALLEGRO_EVENT_KEY_DOWN, ALLEGRO_KEY_ALTGR);
    key(ALLEGRO_EVENT_KEY_DOWN, ALLEGRO_KEY_ENTER);
    EXPECT_FALSE(display_windowed);
    EXPECT_EQ(game_state, Title);
    EXPECT_EQ(title_enter_count, 1);
    // The pad's Start is no switch, whatever the keyboard holds.
    key(ALLEGRO_EVENT_KEY_DOWN, ALLEGRO_KEY_ALT);
    pad_button(PAD_START_BUTTON, true);
    EXPECT_EQ(game_state, Fade);
    EXPECT_FALSE(display_windowed);
}

TEST_F(InputTest, F11SwitchesInEveryStateAndTouchesNoRule)
{
    const GameState all[] = {Intro, Title, StageIntro, Playing, Paused,
                             GameOver, StageClear, Story, Fade, Ending};
    for (GameState s : all) {
        enter_state(s);
        state_timer = 17;
        fade_timer = 9;
        title_enter_count = 1;
        tick();
        std::string before = world_now();
        bool windowed = display_windowed;
        key(ALLEGRO_EVENT_KEY_DOWN, ALLEGRO_KEY_F11);
        key(ALLEGRO_EVENT_KEY_UP, ALLEGRO_KEY_F11);
        EXPECT_NE(display_windowed, windowed) << s;
        EXPECT_TRUE(world_now() == before) << s;
    }
    // The window's size changing reaches no rule either.
    enter_state(Playing);
    std::string before = world_now();
    display_event(ALLEGRO_EVENT_DISPLAY_RESIZE);
    EXPECT_TRUE(world_now() == before);
}

TEST_F(InputTest, StartActsAsEnterOnStoryTitleAndPause)
{
    enter_state(Story);
    pad_button(PAD_START_BUTTON, true);
    pad_button(PAD_START_BUTTON, false);
    EXPECT_EQ(game_state, Fade);
    EXPECT_EQ(next_state, Title);
    enter_state(Title);
    title_enter_count = 0;
    pad_button(PAD_START_BUTTON, true);
    pad_button(PAD_START_BUTTON, false);
    EXPECT_EQ(title_enter_count, 1);
    // No pad button quits: every one pressed, the loop goes on.
    enter_state(Playing);
    for (int b = 0; b < PAD_BUTTONS; b++) {
        ALLEGRO_EVENT ev = joy_event(ALLEGRO_EVENT_JOYSTICK_BUTTON_DOWN);
        ev.joystick.button = b;
        EXPECT_TRUE(process_event(&ev));
    }
    EXPECT_EQ(game_state, Paused);
}

TEST(PadMapTest, NamedButtonsFirstElseTheUsualNumbering)
{
    PadControls c;
    PadMap map;

    // The driver's own gamepad names.
    memset(&c, 0, sizeof c);
    const char *names[] = {"A", "B", "X", "Y", "Left Shoulder", "Right Shoulder",
                           "Back", "Start", "Guide", "Left Thumb", "Right Thumb"};
    c.buttons = 11;
    for (int b = 0; b < 11; b++)
        c.button_name[b] = names[10 - b];  // in any order
    c.sticks = 3;
    c.stick_name[0] = "Right Stick";
    c.stick_name[1] = "Left Stick";
    c.stick_name[2] = "DPad";
    for (int s = 0; s < 3; s++)
        c.stick_axes[s] = 2;
    pad_map_build(&c, &map);
    for (int b = 0; b < 11; b++) {
        int want = b == 10 ? PAD_THROW : b == 9 ? PAD_DROP : b == 3 ? PAD_START : PAD_NO_KEY;
        EXPECT_EQ(map.button_key[b], want) << names[10 - b];
    }
    EXPECT_EQ(map.steers[0], 0);
    EXPECT_EQ(map.steers[1], 1);
    EXPECT_EQ(map.steers[2], 1);

    // Numbered: Start eighth on 11-button pads, tenth on 13-button ones.
    const struct {
        int buttons;
        int start;
    } layouts[] = {{11, 7}, {13, 9}, {15, 7}, {6, -1}};
    for (const auto &l : layouts) {
        controls_numbered(&c, l.buttons);
        c.stick_axes[STICK_OTHER] = 1;  // a throttle
        c.stick_axes[2] = 2;
        pad_map_build(&c, &map);
        EXPECT_EQ(map.button_key[0], PAD_THROW);
        EXPECT_EQ(map.button_key[1], PAD_DROP);
        for (int b = 2; b < PAD_BUTTONS; b++)
            EXPECT_EQ(map.button_key[b], b == l.start ? PAD_START : PAD_NO_KEY) << l.buttons;
        // The first two-axis analogue stick and the hat; not the right stick.
        EXPECT_EQ(map.steers[STICK_LEFT], 1);
        EXPECT_EQ(map.steers[STICK_OTHER], 0);
        EXPECT_EQ(map.steers[2], 0);
        EXPECT_EQ(map.steers[STICK_HAT], 1);
    }
}

TEST(WindowScaleTest, LargestWholeMultipleThatFitsAtLeastOne)
{
    EXPECT_EQ(window_scale_fit(1024, 768), 3);
    EXPECT_EQ(window_scale_fit(1920, 1050), 4);
    EXPECT_EQ(window_scale_fit(700, 1400), 2);  // the width decides here
    EXPECT_EQ(window_scale_fit(1023, 720), 3);
    EXPECT_EQ(window_scale_fit(200, 100), 1);
}

}  // namespace
