// The whole game, headless: a simple bot plays from the splash through the
// story and the title, every stage with its boss and its clear, on to the
// ending and back to the title. Everything goes through the loop's own event
// handling, with every frame drawn into a memory canvas, and every event is
// checked against the game's rules.
#include <gtest/gtest.h>

#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <stdint.h>
#include <string.h>
#include <time.h>
#include <allegro5/allegro.h>
#include <sstream>
#include <string>
#include "bot.h"
#include "world_view.h"
#include "core/game.h"
#include "core/resources.h"
#include "sound/sound.h"
#include "core/world.h"
#include "headless.h"

// The calendar the world reset seeds from (the test links with time()
// wrapped): each run sets its own, and it moves on with the ticks as the
// real one would.
static time_t fake_calendar;

extern "C" time_t __wrap_time(time_t *out)
{
    if (out)
        *out = fake_calendar;
    return fake_calendar;
}

namespace {

int extra_life_sounds;
int health_sounds;

void sound_count(ALLEGRO_SAMPLE *sample, float gain, float speed)
{
    (void)gain;
    if (sample != snd_1up)
        return;
    if (speed == 1.0f)
        extra_life_sounds++;
    else
        health_sounds++;
}

// The values the rules speak of, before and after one event.
struct Watch {
    GameState state;
    GameState next;
    int32_t stage;
    uint8_t lives;
    int32_t score;
    int32_t health;
    int32_t meter;
    uint32_t ticks;
    uint8_t fallen;
    float px;
    float py;
    int awarded;
    bool thresholds[EXTRA_LIFE_STEPS];
};

Watch watch_take()
{
    Watch w;

    w.state = game_state;
    w.next = next_state;
    w.stage = stage;
    w.lives = lives;
    w.score = score;
    w.health = health;
    w.meter = health_meter;
    w.ticks = stage_ticks;
    w.fallen = player.fallen;
    w.px = player.x;
    w.py = player.y;
    w.awarded = 0;
    for (int n = 0; n < EXTRA_LIFE_STEPS; n++) {
        w.thresholds[n] = extra_life_awarded[n];
        w.awarded += extra_life_awarded[n];
    }
    return w;
}

bool within(long v, long lo, long hi)
{
    return v >= lo && v <= hi;
}

bool array_finite(const ActorArray *a)
{
    ActorSeen s;

    for (int i = 0; i < a->count && a->records; i++) {
        actor_seen(a, i, &s);
        if (!isfinite(s.x) || !isfinite(s.y) || !isfinite(s.vx) || !isfinite(s.vy))
            return false;
    }
    return true;
}

// Every index within its array, every bounded value within its bounds.
std::string bounds_broken()
{
    StageActors sa;

    if (!within(game_state, Intro, Ending) || !within(next_state, Intro, Ending))
        return "game state outside the ten states";
    if (!within(next_shot, 0, SHOT_SLOTS - 1) || !within(next_puff, 0, PUFF_SLOTS - 1))
        return "shot or puff index outside its array";
    if (!within(next_child_bigleaf, 0, ENEMY_SLOTS - 1) ||
        !within(next_child_bigorb, 0, ENEMY_SLOTS - 1) ||
        !within(next_child_flames, 0, ENEMY_SLOTS - 1))
        return "a boss's child index outside its array";
    if (group1_count > ENEMY_SLOTS || group2_count > ENEMY_SLOTS || group3_count > ENEMY_SLOTS)
        return "a group count beyond its ten slots";
    if (!within(selected_stage, 0, 4) || !within(stage, 0, 6))
        return "stage or stage cursor out of range";
    if (!within(health, 0, 8))
        return "health outside 0 to 8";
    if (!within(health_meter, 0, 200) || combo < 0 || !within(combo_timer, 0, 60))
        return "meter or chain out of range";
    if (boss_pending > 1 || !within(fade_timer, 0, FADE_TICKS) || !within(state_timer, 0, 1024))
        return "a flag or timer out of range";
    if (lives > 3 + EXTRA_LIFE_STEPS)
        return "more lives than a game can give";
    if (!player.fallen && !within((long)player.x, 0, 255))
        return "the player left the field sideways";
    for (int s = 1; s <= 5; s++) {
        stage_actors_of(s, &sa);
        for (int g = 0; g < 3; g++)
            if (!array_finite(&sa.groups[g]))
                return "an enemy's position or speed is not a number";
        if (!array_finite(&sa.boss))
            return "a boss's position or speed is not a number";
    }
    if (!isfinite(player.x) || !isfinite(player.y) || !isfinite(player.vy))
        return "the player's position is not a number";
    return "";
}

// The state changes of the game: direct ones, and the fades with their targets.
bool transition_allowed(const Watch &b, const Watch &a)
{
    struct Pair {
        GameState from;
        GameState to;
    };
    static const Pair direct[] = {
        {Playing, Paused}, {Paused, Playing}, {Playing, GameOver}, {Playing, StageClear},
    };
    static const Pair faded[] = {
        {Intro, Story},         {Story, Title},         {Title, StageIntro},
        {StageIntro, Playing},  {Playing, StageIntro},  {GameOver, Title},
        {StageClear, StageIntro}, {StageClear, Ending}, {Ending, Title},
    };

    if (a.state == b.state)
        return b.state != Fade || a.next == b.next;
    if (b.state == Fade)
        return a.state == b.next;
    for (const Pair &p : direct)
        if (p.from == b.state && p.to == a.state)
            return true;
    if (a.state != Fade)
        return false;
    if (b.state == StageClear)
        return a.next == (a.stage > 4 ? Ending : StageIntro);
    for (const Pair &p : faded)
        if (p.from == b.state && p.to == a.next)
            return true;
    return false;
}

std::string lives_broken(const Watch &b, const Watch &a, bool tick)
{
    int gained = a.awarded - b.awarded;
    bool new_game = tick && (b.state == GameOver || b.state == Ending) && a.state == Fade;

    if (new_game) {
        if (a.lives != 3 || a.score != 0 || a.health != 5 || a.awarded != 0)
            return "a new game without 3 lives, no score, health 5 and fresh thresholds";
        return "";
    }
    for (int n = 0; n < EXTRA_LIFE_STEPS; n++)
        if (b.thresholds[n] && !a.thresholds[n])
            return "an extra-life threshold came back within a game";
    if (!tick || b.state != Playing) {
        if (a.lives != b.lives || gained != 0)
            return "lives changed outside play";
        return "";
    }
    int lost = !b.fallen && player.fallen;
    if (a.lives != b.lives + gained - lost)
        return "lives changed other than by the thresholds and a fall";
    if (extra_life_sounds != gained)
        return "extra lives and their sounds differ";
    if (lost && b.health > 1)
        return "a life lost with health left";
    return "";
}

std::string score_broken(const Watch &b, const Watch &a, bool tick)
{
    if (tick && b.state == Playing) {
        if (a.state == GameOver)
            return a.score == 0 ? "" : "the game ended with a score kept";
        if (a.score < b.score)
            return "the score fell during play";
        return "";
    }
    if (tick && (b.state == GameOver || b.state == Ending))
        return "";
    return a.score == b.score ? "" : "the score changed outside play";
}

std::string health_broken(const Watch &b, const Watch &a, bool tick)
{
    if (!tick || b.state != Playing || a.state != Playing)
        return "";
    if (a.health > b.health) {
        if (a.health != b.health + 1 || health_sounds != 1 || a.meter != 0)
            return "health rose other than one point by the meter with its sound";
    } else if (health_sounds != 0) {
        return "the health sound without a point of health";
    }
    return "";
}

std::string paused_broken(const Watch &b, const Watch &a, bool tick)
{
    if (!tick || b.state != Paused)
        return "";
    if (a.state != Paused || a.ticks != b.ticks || a.px != b.px || a.py != b.py ||
        a.score != b.score || a.health != b.health)
        return "the world moved while paused";
    return "";
}

std::string rules_broken(const Watch &b, const Watch &a, bool tick)
{
    std::string broken = bounds_broken();

    if (broken.empty() && !transition_allowed(b, a))
        broken = "a state change the game does not have";
    if (broken.empty())
        broken = lives_broken(b, a, tick);
    if (broken.empty())
        broken = score_broken(b, a, tick);
    if (broken.empty())
        broken = health_broken(b, a, tick);
    if (broken.empty())
        broken = paused_broken(b, a, tick);
    return broken;
}

uint64_t canvas_hash()
{
    ALLEGRO_LOCKED_REGION *r =
        al_lock_bitmap(canvas, ALLEGRO_PIXEL_FORMAT_ANY, ALLEGRO_LOCK_READONLY);
    uint64_t h = 1469598103934665603ull;

    for (int y = 0; y < CANVAS_H; y++) {
        const unsigned char *row = (const unsigned char *)r->data + (long)y * r->pitch;
        for (int x = 0; x < CANVAS_W * r->pixel_size; x++)
            h = (h ^ row[x]) * 1099511628211ull;
    }
    al_unlock_bitmap(canvas);
    return h;
}

struct RunCase {
    time_t calendar;   // the seed the first reset draws from
    int aim_distance;  // the bot's throwing distance
    int story_wait;    // ticks before it skips the story
    int careless_stage;  // where it flies into the enemies, once
    int careless_lives;  // until no more lives than this are left
};

std::ostream &operator<<(std::ostream &out, const RunCase &c)
{
    return out << "calendar " << c.calendar << ", aim " << c.aim_distance << ", careless in stage "
               << c.careless_stage;
}

// What the run went through.
struct Journey {
    int cleared[7];
    int boss_out[7];
    int endings;
    int games_over;
    int lives_lost;
    int pauses;
    long ticks;
};

// The two games that cover every stage: one from stage 1, which ends after
// stage 4, and one from stage 5, chosen on the title's list.
const int starting_stages[] = {1, 5};

// The stage clock before the boss: the timeline's 210 s are the tick tests'
// business; here each stage plays its first seconds and then its clock is
// moved on to two seconds before the boss, so that the run stays short.
const uint32_t PLAY_FROM_START = 100;
const uint32_t CLOCK_MOVED_TO = 6240;
const long TICK_LIMIT = 30000;
const uint32_t PAUSE_AT = 60;
// The screens that only wait are cut short once they have been seen: the
// slides of the game-over and stage-clear screens have come to rest by
// tick 60, and the ending's first lines have risen into the sky by its
// tick 120.
const uint32_t SLIDE_SEEN = 70;
const uint32_t SLIDE_CUT_TO = 175;
const int32_t ENDING_SEEN = 780;
const int32_t ENDING_CUT_TO = 20;

// The bot throws straight ahead and the bosses dodge about: at full
// strength a fight takes it minutes of game time. Each boss record is
// set up again with a handful of hit points instead (the Spirit dies below
// 17 and the last boss likewise; the Spirit's size follows its hp), and a
// tenth of the way out instead of 640 pixels, so that it does not spend ten
// seconds flying in.
void bosses_weaken()
{
    boss_bigleaf.x = -64;
    boss_bigorb.x = -64;
    boss_flyguy.y = -64;
    boss_spirit.y = -64;
    boss_fboss.y = -64;
    boss_bigleaf.hp = 5;
    boss_bigorb.hp = 5;
    boss_flyguy.hp = 5;
    boss_spirit.hp = 24;
    boss_fboss.hp = 25;
}

class GameRun : public ::testing::TestWithParam<RunCase> {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(headless_start(ARCADE_GAME_DIR)); }
    static void TearDownTestSuite() { headless_stop(); }
    void SetUp() override { sound_hook = sound_count; }

    Journey journey = {};
    std::string failure;

    // One event's worth of checks; false once a rule is broken.
    bool check(const Watch &before, bool tick, const char *what)
    {
        Watch after = watch_take();
        std::string broken = rules_broken(before, after, tick);

        if (!broken.empty()) {
            std::ostringstream out;
            out << broken << " (" << what << " at run tick " << journey.ticks << ": state "
                << before.state << " -> " << after.state << ", next " << after.next << ", stage "
                << after.stage << ", stage tick " << after.ticks << ", lives " << (int)before.lives
                << " -> " << (int)after.lives << ", score " << before.score << " -> "
                << after.score << ", health " << before.health << " -> " << after.health << ")";
            failure = out.str();
        }
        extra_life_sounds = 0;
        health_sounds = 0;
        return broken.empty();
    }

    // With ARCADE_RUN_RECORD set to a folder, the run writes there one line
    // per tick (state, score, stage clock, canvas hash), so that two builds
    // of the game can be compared frame by frame.
    FILE *record = nullptr;

    void record_open()
    {
        const char *dir = getenv("ARCADE_RUN_RECORD");
        char path[512];

        if (!dir)
            return;
        snprintf(path, sizeof path, "%s/%ld.txt", dir, (long)GetParam().calendar);
        record = fopen(path, "w");
    }

    void record_tick()
    {
        if (!record)
            return;
        fprintf(record, "%ld %d %d %d %u %d %d %d %016llx\n", journey.ticks, (int)game_state,
                (int)stage, (int)score, (unsigned)stage_ticks, (int)lives, (int)health,
                (int)state_timer, (unsigned long long)canvas_hash());
    }

    void TearDown() override
    {
        if (record)
            fclose(record);
    }

    bool tick(const char *what)
    {
        Watch before = watch_take();

        extra_life_sounds = 0;
        health_sounds = 0;
        headless_timer_tick();
        journey.ticks++;
        record_tick();
        fake_calendar += journey.ticks % 30 == 0;
        return check(before, true, what);
    }

    // Enter pauses; five ticks later the picture and the world are as they were.
    bool pause_check()
    {
        Watch before = watch_take();
        uint64_t frozen;

        headless_key_down(ALLEGRO_KEY_ENTER);
        headless_key_up(ALLEGRO_KEY_ENTER);
        if (!check(before, false, "pause") || !tick("pause"))
            return false;
        frozen = canvas_hash();
        for (int i = 0; i < 5; i++)
            if (!tick("paused"))
                return false;
        if (game_state != Paused || canvas_hash() != frozen) {
            failure = "the paused picture changed";
            return false;
        }
        before = watch_take();
        headless_key_down(ALLEGRO_KEY_ENTER);
        headless_key_up(ALLEGRO_KEY_ENTER);
        journey.pauses++;
        return check(before, false, "resume");
    }

    // With ARCADE_RUN_PICTURES set to a folder, the run leaves there the
    // frames of its key moments for a person to look at.
    void picture_keep(const char *what)
    {
        const char *dir = getenv("ARCADE_RUN_PICTURES");
        char path[512];

        if (!dir)
            return;
        snprintf(path, sizeof path, "%s/%ld-%s-stage%d.png", dir, (long)GetParam().calendar, what,
                 (int)stage);
        al_save_bitmap(path, canvas);
    }

    void pictures_of_moments(const Watch &b)
    {
        if (game_state == Playing && stage_ticks == CLOCK_MOVED_TO + 20)
            picture_keep("swarm");
        if (game_state == Playing && boss_active(stage) && b.state == Playing &&
            (stage_ticks == 6400 || (stage == 5 && stage_ticks == 200)))
            picture_keep("boss");
        if ((game_state == StageClear || game_state == GameOver) && stage_ticks == 30)
            picture_keep(game_state == StageClear ? "clear-sliding" : "over-sliding");
        if ((game_state == StageClear || game_state == GameOver) && stage_ticks == SLIDE_SEEN - 1)
            picture_keep(game_state == StageClear ? "clear" : "over");
        if (game_state == Ending && (state_timer == 860 || state_timer == 800))
            picture_keep(state_timer == 860 ? "ending-start" : "ending");
    }

    void note(const Watch &b)
    {
        pictures_of_moments(b);
        if (b.state == Playing && game_state == StageClear)
            journey.cleared[b.stage]++;
        if (b.state == Playing && game_state == GameOver)
            journey.games_over++;
        if (b.state == Playing && lives < b.lives)
            journey.lives_lost++;
        if (b.state == Fade && game_state == Ending)
            journey.endings++;
        if (game_state == Playing && boss_active(stage) && journey.boss_out[stage] == 0)
            journey.boss_out[stage] = 1;
    }

    void run(const RunCase &c)
    {
        Bot bot;
        size_t game = 0;
        bool pause_done = false;

        fake_calendar = c.calendar;
        record_open();
        headless_new_game();
        bot_init(&bot, c.aim_distance, c.story_wait);
        bot.careless_stage = c.careless_stage;
        bot.careless_lives = c.careless_lives;
        bot.wanted_stage = starting_stages[0];

        while (journey.ticks < TICK_LIMIT) {
            Watch before = watch_take();

            bot_act(&bot);
            if (!check(before, false, "keys"))
                return;
            before = watch_take();
            if (!tick("tick"))
                return;
            note(before);

            // A lost game is taken up again at the stage it was lost in.
            if (before.state == Playing && game_state == GameOver)
                bot.wanted_stage = before.stage;
            if (before.state == Fade && game_state == Title && before.next == Title &&
                journey.endings > (int)game) {
                game++;
                if (game == sizeof starting_stages / sizeof starting_stages[0])
                    return;
                bot.wanted_stage = starting_stages[game];
            }
            if (game_state == StageIntro) {
                pause_done = false;
                bosses_weaken();
            }
            if ((game_state == StageClear || game_state == GameOver) && stage_ticks == SLIDE_SEEN)
                stage_ticks = SLIDE_CUT_TO;
            if (game_state == Ending && state_timer == ENDING_SEEN)
                state_timer = ENDING_CUT_TO;
            if (game_state == Playing && fade_timer == 0 && stage_ticks >= PAUSE_AT && !pause_done) {
                pause_done = true;
                if (!pause_check())
                    return;
            }
            if (game_state == Playing && stage <= 4 && stage_ticks >= PLAY_FROM_START &&
                stage_ticks < CLOCK_MOVED_TO)
                stage_ticks = CLOCK_MOVED_TO;
        }
        failure = "the run did not come back to the title after its games";
    }
};

TEST_P(GameRun, PlaysEveryStageToTheEndingWithinTheRules)
{
    run(GetParam());
    ASSERT_EQ(failure, "");
    for (int s = 1; s <= 5; s++)
        EXPECT_GE(journey.cleared[s], 1) << "stage " << s << " never cleared";
    for (int s = 1; s <= 4; s++)
        EXPECT_EQ(journey.boss_out[s], 1) << "no boss came out in stage " << s;
    EXPECT_EQ(journey.endings, 2);
    // The careless stretches lose lives, and the last one a whole game.
    if (GetParam().careless_stage != 0) {
        EXPECT_GE(journey.lives_lost, 1);
    }
    if (GetParam().careless_stage != 0 && GetParam().careless_lives == 0) {
        EXPECT_GE(journey.games_over, 1);
    }
    EXPECT_GE(journey.pauses, 5);
    RecordProperty("ticks", (int)journey.ticks);
    RecordProperty("games_lost", journey.games_over);
}

// The checks themselves: each rule must catch the fault it is there for.
TEST(GameRunRules, StateChangesAreTheGamesOwn)
{
    struct Case {
        GameState from, from_next, to, to_next;
        int32_t stage;
        bool allowed;
    };
    const Case cases[] = {
        {Playing, Intro, Paused, Intro, 1, true},
        {Paused, Intro, Playing, Intro, 1, true},
        {Title, Intro, Fade, StageIntro, 1, true},
        {Fade, StageIntro, StageIntro, StageIntro, 1, true},
        {StageClear, Intro, Fade, StageIntro, 4, true},
        {StageClear, Intro, Fade, Ending, 5, true},
        {StageClear, Intro, Fade, Ending, 4, false},
        {StageClear, Intro, Fade, StageIntro, 6, false},
        {Fade, StageIntro, Playing, StageIntro, 1, false},
        {Title, Intro, Playing, Intro, 1, false},
        {Paused, Intro, GameOver, Intro, 1, false},
        {Title, Intro, Fade, Ending, 1, false},
        {Fade, Title, Fade, Story, 1, false},
    };
    for (const Case &c : cases) {
        Watch b = {}, a = {};
        b.state = c.from;
        b.next = c.from_next;
        a.state = c.to;
        a.next = c.to_next;
        a.stage = b.stage = c.stage;
        EXPECT_EQ(transition_allowed(b, a), c.allowed) << c.from << " -> " << c.to;
    }
}

TEST(GameRunRules, LivesScoreAndHealthFollowTheRules)
{
    Watch b = {}, a = {};
    b.state = a.state = Playing;
    b.lives = a.lives = 3;
    b.score = a.score = 500;
    b.health = a.health = 4;
    player.fallen = 0;
    extra_life_sounds = health_sounds = 0;
    EXPECT_EQ(lives_broken(b, a, true), "");

    a.lives = 4;  // a life from nowhere
    EXPECT_NE(lives_broken(b, a, true), "");
    a.awarded = 1;  // ... from a threshold, but silent
    EXPECT_NE(lives_broken(b, a, true), "");
    extra_life_sounds = 1;
    EXPECT_EQ(lives_broken(b, a, true), "");
    EXPECT_NE(lives_broken(b, a, false), "") << "keys give no lives";

    a = b;
    a.lives = 2;
    player.fallen = 1;
    extra_life_sounds = 0;
    EXPECT_NE(lives_broken(b, a, true), "") << "a fall with health left";
    b.health = 1;
    a.health = 0;
    EXPECT_EQ(lives_broken(b, a, true), "");
    player.fallen = 0;

    a = b;
    a.score = 400;
    EXPECT_NE(score_broken(b, a, true), "");
    a.state = GameOver;
    a.score = 0;
    EXPECT_EQ(score_broken(b, a, true), "");

    a = b;
    a.health = b.health + 1;
    EXPECT_NE(health_broken(b, a, true), "") << "health without the meter's sound";
    health_sounds = 1;
    EXPECT_EQ(health_broken(b, a, true), "");
    health_sounds = 0;
}

INSTANTIATE_TEST_SUITE_P(Seeds, GameRun,
                         ::testing::Values(RunCase{1000000, 60, 40, 0, 0},
                                           RunCase{1234567, 72, 300, 3, 2},
                                           RunCase{2000003, 84, 600, 2, 0}));

} // namespace
