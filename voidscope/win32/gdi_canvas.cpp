#include "gdi_canvas.h"

#include "cart/wide_text.h"

HFONT CreateWindowFont() {
  // A negative height asks for the character height, as the form library's
  // font size in pixels does.
  return CreateFontW(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"Tahoma");
}

TCanvas::TCanvas(int width, int height) : W(width), H(height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = W;
  info.bmiHeader.biHeight = -H;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  Bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  MemoryDC = CreateCompatibleDC(nullptr);
  if (!Bitmap || !MemoryDC) return;
  Bits = static_cast<std::uint32_t*>(bits);
  OldBitmap = SelectObject(MemoryDC, Bitmap);
  Font = CreateWindowFont();
  OldFont = SelectObject(MemoryDC, Font);
}

TCanvas::~TCanvas() {
  if (MemoryDC) {
    if (OldFont) SelectObject(MemoryDC, OldFont);
    if (OldBitmap) SelectObject(MemoryDC, OldBitmap);
    DeleteDC(MemoryDC);
  }
  if (Font) DeleteObject(Font);
  if (Bitmap) DeleteObject(Bitmap);
}

void TCanvas::Fill(int x, int y, int width, int height, TRgb colour) {
  const RECT area{x, y, x + width, y + height};
  HBRUSH brush = CreateSolidBrush(RGB(RedOf(colour), GreenOf(colour), BlueOf(colour)));
  FillRect(MemoryDC, &area, brush);
  DeleteObject(brush);
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  const HGDIOBJ oldPen = SelectObject(MemoryDC, GetStockObject(BLACK_PEN));
  const HGDIOBJ oldBrush = SelectObject(MemoryDC, GetStockObject(WHITE_BRUSH));
  ::Rectangle(MemoryDC, x1, y1, x2, y2);
  SelectObject(MemoryDC, oldBrush);
  SelectObject(MemoryDC, oldPen);
}

void TCanvas::Text(int x, int y, const std::string& utf8) {
  const std::wstring text = WideFromUTF8(utf8);
  SetBkMode(MemoryDC, OPAQUE);
  SetBkColor(MemoryDC, RGB(255, 255, 255));
  SetTextColor(MemoryDC, GetSysColor(COLOR_WINDOWTEXT));
  SetTextAlign(MemoryDC, TA_TOP | TA_LEFT | TA_NOUPDATECP);
  ::TextOutW(MemoryDC, x, y, text.c_str(), static_cast<int>(text.size()));
}

int TCanvas::TextWidth(const std::string& utf8) const {
  const std::wstring text = WideFromUTF8(utf8);
  SIZE size{};
  GetTextExtentPoint32W(MemoryDC, text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

void TCanvas::Bank(int x, int y, const TBankPicture& picture) {
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];
  } info{};
  info.header.biSize = sizeof info.header;
  info.header.biWidth = picture.width;
  info.header.biHeight = -picture.height;  // row 0 at the top
  info.header.biPlanes = 1;
  info.header.biBitCount = 8;
  info.header.biCompression = BI_RGB;
  info.header.biClrUsed = 256;
  for (std::size_t i = 0; i < picture.palette.size(); ++i) {
    const TRgb colour = picture.palette[i];
    info.colours[i] = RGBQUAD{static_cast<BYTE>(BlueOf(colour)), static_cast<BYTE>(GreenOf(colour)),
                              static_cast<BYTE>(RedOf(colour)), 0};
  }
  // One call for the whole picture, unscaled.
  SetDIBitsToDevice(MemoryDC, x, y, static_cast<DWORD>(picture.width), static_cast<DWORD>(picture.height), 0, 0,
                    0, static_cast<UINT>(picture.height), picture.cells.data(),
                    reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS);
}
