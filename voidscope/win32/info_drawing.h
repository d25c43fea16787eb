// What the drawing area shows, drawn onto the GDI canvas: the title line and
// a map of every bank, one pixel per byte, and the views over the maps.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cart/nes_image.h"
#include "cart/play_log.h"
#include "cart/segment_map.h"
#include "gdi_canvas.h"

struct TBankBox {
  TBankKind kind;
  unsigned index;
  int x;
  int y;
};

struct TBankCell {
  TBankKind kind;
  unsigned bank;
  std::uint64_t offset;
};

// What is drawn over the plain maps; nothing by default.
struct TViewOptions {
  const TSegmentMap* segments = nullptr;
  const TPlayLog* play = nullptr;
};

// The boxes as DrawInfo draws them (a legend moves them down).
std::vector<TBankBox> ViewBoxes(const TCanvas& canvas, const TNESImage& image, int W,
                                const TViewOptions& options);
std::optional<TBankCell> BankCellAt(const std::vector<TBankBox>& boxes, int x, int y);

void DrawInfo(TCanvas& canvas, const TNESImage& image, const std::string& fileName,
              const TViewOptions& options);
