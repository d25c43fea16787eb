// What is drawn over the plain maps; nothing by default.
#pragma once

#include "bank_layout.h"
#include "play_log.h"
#include "segment_map.h"

struct TViewOptions {
  // Used bytes in one colour per segment, with a legend; the segments
  // placed in the same bank sizes as `sizes`.
  const TSegmentMap* segments = nullptr;
  // Used bytes no log reached in a colour of their own, code and data in
  // two shades of the used green, with a legend. With the segment view the
  // reached bytes keep their segment's colour and only the never reached
  // ones change.
  const TPlayLog* play = nullptr;
  // The banks' sizes: boxes 64 cells wide, as tall as the bank needs.
  TBankSizes sizes = {};
};
