// The window's icon, known to no toolkit: the Qt window and the Windows
// icon resource draw the same 16 x 16 picture from here.
#pragma once

#include <cstdint>

// A cartridge whose label is a little free-space map.
// k outline, # shell, g used, w free, y contacts, . transparent.
inline constexpr const char* IconArt[16] = {
    "................",
    ".kkkkkkkkkkkkkk.",
    ".k############k.",
    ".k#kkkkkkkkkk#k.",
    ".k#kggggggwwk#k.",
    ".k#kgggwggwwk#k.",
    ".k#kggggwwwwk#k.",
    ".k#kgggwwwwwk#k.",
    ".k#kggwwwwwwk#k.",
    ".k#kkkkkkkkkk#k.",
    ".k############k.",
    ".k############k.",
    ".kk##########kk.",
    "..k#y#y#y#y#yk..",
    "..kkkkkkkkkkkk..",
    "................",
};

struct TIconColour {
  std::uint8_t red, green, blue;
};

// Palette indices 0 (transparent) to 5; the other entries are black.
inline constexpr int IconColourCount = 6;

// The 16-colour picture keeps to the classic 16-colour palette.
inline constexpr TIconColour IconColour(int index, bool full) {
  switch (index) {
    case 2: return full ? TIconColour{96, 96, 104} : TIconColour{128, 128, 128};
    case 3: return full ? TIconColour{46, 255, 51} : TIconColour{0, 255, 0};
    case 4: return full ? TIconColour{252, 252, 252} : TIconColour{255, 255, 255};
    case 5: return full ? TIconColour{214, 170, 40} : TIconColour{128, 128, 0};
    default: return TIconColour{0, 0, 0};
  }
}

inline constexpr int IconIndex(char art) {
  switch (art) {
    case 'k': return 1;
    case '#': return 2;
    case 'g': return 3;
    case 'w': return 4;
    case 'y': return 5;
    default: return 0;
  }
}
