// The summary as one HTML page that needs nothing beside it: the title line,
// a map of every bank drawn by the page's own script from the run lengths of
// the bytes' states, the readout of the byte under the mouse, and the bank
// table, sortable. What else the run read (the debug file, play logs, an
// earlier build) adds its views and tables.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "cart/debug_info.h"
#include "cart/play_log.h"
#include "cart/segment_map.h"
#include "cart/summary_format.h"

// What the page draws from beyond the summary; all but `image` optional.
struct TPageSources {
  const TNESImage* image = nullptr;       // the image summarised; must be held
  const TNESImage* earlier = nullptr;     // --against: the bytes that changed state
  const TDebugInfo* debugInfo = nullptr;  // with `segments`: the segment view and origins
  const TSegmentMap* segments = nullptr;
  const TPlayLog* play = nullptr;         // the play-log view and each byte's reach
  std::optional<std::uint64_t> failBelow;  // PRG banks under it are marked
};

std::string SummaryHTML(const TCartSummary& summary, const std::string& fileName,
                        const TSummaryAdditions& additions, const TPageSources& sources);

// The page's style sheet and script, written into every page.
extern const char* const PageStyle;
extern const char* const PageScript;

// Writes `text` to the named file whole; false and `error` when it cannot.
bool WriteTextFile(const std::string& name, const std::string& text, std::string& error);
