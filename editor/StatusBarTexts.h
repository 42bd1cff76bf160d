// The status bar of an editor window: its panels, their widths and what each says for the
// state of the document and the view.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace ovx {

constexpr int StatusPanelCount = 8;
constexpr int StatusIconPanel = 5;      // drawn by the window (image 59); a click opens PU_InfoMode
constexpr int StatusProgressPanel = 7;  // the document's progress text

struct TStatusPanelDef {
  int width;
  bool centred;
  const char* designText;  // shown before the first update
};
const std::array<TStatusPanelDef, StatusPanelCount>& StatusPanels();

// The right edge of each panel at dpi, as the status bar control takes them. The last panel
// ends after its own 50 pixels too: the progress texts are short.
std::array<int, StatusPanelCount> StatusPanelRightEdges(int dpi = 96);

struct TStatusBarInput {
  bool modified = false;
  std::uint8_t inputMode = 0;      // 0 overwrite, 1 insert, 2 view-only
  std::uint8_t checkSumMode = 0;   // 0 simple, 1 ASCII form
  bool expandTenKey = false;
  std::uint8_t compareMode = 0;    // 0 none, 1 named file, 2 other window, 3 state on disk
  std::uint8_t statusInfoMode = 0; // 0 memory efficiency, 1 undo buffer usage
  std::int64_t size = 0;
  std::int64_t blockCount = 0;
  std::int64_t historyUsed = 0;
  std::int64_t historyLimit = 0;
};

// Panels 0 to 6 as UpdateStatusBar fills them (panel 5 is the icon and stays empty).
std::array<std::string, StatusPanelCount - 1> StatusBarTexts(const TStatusBarInput& in);

// Size * 100 div (BlockCount * 4096), 100 for a document without blocks.
int MemoryEfficiencyPercent(std::int64_t size, std::int64_t blockCount);

// Whether a click at x (in the status bar's pixels at dpi) lands on the icon panel.
bool HitsStatusIconPanel(int x, int dpi);
// The left edge of panel 6 at dpi, where PU_InfoMode opens.
int StatusInfoModeMenuLeft(int dpi);

}  // namespace ovx
