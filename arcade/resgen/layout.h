// What every picture and sound of the game is: file names in the game's load
// order, picture sizes and the frame grid the game reads from each sheet.
// The generator draws to this table and the tests check the committed files
// against it.
#pragma once

#include <array>
#include <span>
#include <string_view>

namespace resgen {

enum class Kind {
    Sprite,   // frame sheet: listed frames hold a sprite on a transparent ground
    Opaque,   // backdrop, ground strip, stage card, splash: every pixel opaque
    Overlay,  // full-screen picture laid over a scene: transparent around its art
    Strip,    // cloud layer: transparent sky above, tiles horizontally
    Filter,   // translucent scanline overlay of the presentation
};

// Row `row` of a sheet must hold a drawn sprite in frames 0 .. frames-1,
// except that frames from `blank_from` on (when >= 0) must be empty.
struct FrameRow {
    int row;
    int frames;
    int blank_from = -1;
};

struct PictureLayout {
    std::string_view file; // name under res/media/graphics/
    int width;
    int height;
    Kind kind;
    int frame_w = 0; // Sprite only
    int frame_h = 0;
    std::array<FrameRow, 3> rows{}; // unused entries have frames == 0
    int period = 0; // > 0: the picture repeats horizontally with this period
};

// A finished bomb explosion rests on frame 5 of its row, drawn without a
// shadow: that frame is left empty so nothing lingers on the ground.

// The ending scrolls its white, grey-shadowed words up over the stage-1
// backdrop; with the game's font their ink, shadow included, spans these
// columns (the widest line), on every row above the ground strip.
constexpr int kEndingWordsLeft = 24;
constexpr int kEndingWordsRight = 226; // exclusive

constexpr int kCardW = 128;
constexpr int kCardH = 48;

// In the game's load order.
constexpr std::array<PictureLayout, 38> kPictures{{
    {"filter.png", 512, 480, Kind::Filter},
    {"life.png", 12, 10, Kind::Sprite, 12, 10, {{{0, 1}}}},
    {"background.png", 256, 192, Kind::Opaque},
    {"surface.png", 256, 48, Kind::Opaque},
    {"player.png", 64, 48, Kind::Sprite, 16, 16, {{{0, 3}, {1, 4}, {2, 4}}}},
    {"bullet.png", 32, 8, Kind::Sprite, 8, 8, {{{0, 4}}}},
    {"bomb.png", 36, 12, Kind::Sprite, 12, 12, {{{0, 3}}}},
    {"leaf.png", 96, 32, Kind::Sprite, 16, 16, {{{0, 6}, {1, 1}}}},
    {"ball.png", 64, 32, Kind::Sprite, 16, 16, {{{0, 4}, {1, 1}}}},
    {"nbomb.png", 128, 32, Kind::Sprite, 16, 16, {{{0, 8}, {1, 6, 5}}}},
    {"stage1_thumb.png", kCardW, kCardH, Kind::Opaque},
    {"title.png", 256, 240, Kind::Overlay},
    {"gameover.png", 256, 240, Kind::Overlay},
    {"bigleaf.png", 144, 48, Kind::Sprite, 24, 24, {{{0, 6}, {1, 1}}}},
    {"surface2.png", 256, 48, Kind::Opaque},
    {"background2.png", 256, 192, Kind::Opaque},
    {"stage2_thumb.png", kCardW, kCardH, Kind::Opaque},
    {"nbomb2.png", 128, 32, Kind::Sprite, 16, 16, {{{0, 8}, {1, 6, 5}}}},
    {"orb.png", 64, 32, Kind::Sprite, 16, 16, {{{0, 4}, {1, 1}}}},
    {"flame.png", 64, 32, Kind::Sprite, 16, 16, {{{0, 4}, {1, 1}}}},
    {"bigorb.png", 128, 64, Kind::Sprite, 32, 32, {{{0, 4}, {1, 1}}}},
    {"background3.png", 256, 192, Kind::Opaque},
    {"surface3.png", 256, 48, Kind::Opaque},
    {"slime.png", 32, 32, Kind::Sprite, 16, 16, {{{0, 2}, {1, 1}}}},
    {"stage3_thumb.png", kCardW, kCardH, Kind::Opaque},
    {"flame2.png", 80, 32, Kind::Sprite, 16, 16, {{{0, 5}, {1, 1}}}},
    {"bulletb.png", 64, 48, Kind::Sprite, 16, 16, {{{0, 4}, {1, 4}, {2, 1}}}},
    {"flyguy.png", 512, 64, Kind::Sprite, 32, 32, {{{0, 16}, {1, 1}}}},
    {"completed.png", 256, 240, Kind::Overlay},
    {"creator.png", 256, 240, Kind::Opaque},
    {"background4.png", 256, 192, Kind::Opaque},
    {"surface4.png", 256, 48, Kind::Opaque},
    {"clouds.png", 512, 64, Kind::Strip, 0, 0, {}, 256},
    {"stage4_thumb.png", kCardW, kCardH, Kind::Opaque},
    {"spirit.png", 288, 48, Kind::Sprite, 48, 48, {{{0, 6}}}},
    {"stage5_thumb.png", kCardW, kCardH, Kind::Opaque},
    {"background5.png", 256, 240, Kind::Opaque, 0, 0, {}, 16},
    {"fboss.png", 256, 128, Kind::Sprite, 64, 64, {{{0, 2}, {1, 4}}}},
}};

// In the game's load order; all 16-bit PCM mono.
constexpr std::array<std::string_view, 9> kSounds{
    "choose.wav", "select.wav", "drop.wav", "propeller.wav", "throw.wav",
    "hit.wav",    "hurt.wav",   "1up.wav",  "laser.wav",
};

constexpr std::string_view kGraphicsDir = "media/graphics/";
constexpr std::string_view kAudioDir = "media/audio/";

} // namespace resgen
