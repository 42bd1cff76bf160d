#include "editor/StatusBarTexts.h"

namespace ovx {

const std::array<TStatusPanelDef, StatusPanelCount>& StatusPanels() {
  static const std::array<TStatusPanelDef, StatusPanelCount> panels = {{
      {32, true, "変更"},
      {32, true, "上書"},
      {32, true, "サム"},
      {32, true, "拡張"},
      {108, false, "比較"},
      {12, false, ""},
      {130, false, "メモリ状況"},
      {50, false, ""},
  }};
  return panels;
}

std::array<int, StatusPanelCount> StatusPanelRightEdges(int dpi) {
  std::array<int, StatusPanelCount> edges{};
  int right = 0;
  for (int i = 0; i < StatusPanelCount; ++i) {
    right += StatusPanels()[i].width;
    edges[i] = (right * dpi + 48) / 96;  // rounded as the window scales every size
  }
  return edges;
}

int MemoryEfficiencyPercent(std::int64_t size, std::int64_t blockCount) {
  if (blockCount <= 0) return 100;
  return static_cast<int>(size * 100 / (blockCount * 4096));
}

std::array<std::string, StatusPanelCount - 1> StatusBarTexts(const TStatusBarInput& in) {
  static const char* const inputModes[] = {"上書", "挿入", "閲覧"};
  static const char* const checkSums[] = {"単純", "ASC"};
  static const char* const compares[] = {"", "比較 : 指定ﾌｧｲﾙ", "比較 : 指定ｳｨﾝﾄﾞｳ", "比較 : 現状ﾌｧｲﾙ"};
  std::array<std::string, StatusPanelCount - 1> t;
  t[0] = in.modified ? "変更" : "";
  t[1] = in.inputMode < 3 ? inputModes[in.inputMode] : "";
  t[2] = in.checkSumMode < 2 ? checkSums[in.checkSumMode] : "";
  t[3] = in.expandTenKey ? "拡張" : "";
  t[4] = in.compareMode < 4 ? compares[in.compareMode] : "";
  if (in.statusInfoMode == 0) {
    t[6] = "ﾒﾓﾘ利用効率 " + std::to_string(MemoryEfficiencyPercent(in.size, in.blockCount)) + "%";
  } else {
    // An undo buffer of no size is never in use.
    std::int64_t rate = in.historyLimit > 0 ? in.historyUsed * 100 / in.historyLimit : 0;
    t[6] = "ｱﾝﾄﾞｩﾊﾞｯﾌｧ利用率 " + std::to_string(rate) + "%";
  }
  return t;
}

bool HitsStatusIconPanel(int x, int dpi) {
  // The control draws a 2-pixel border before the first panel.
  const auto edges = StatusPanelRightEdges(dpi);
  return x >= edges[StatusIconPanel - 1] + 2 && x < edges[StatusIconPanel] + 2;
}

int StatusInfoModeMenuLeft(int dpi) { return StatusPanelRightEdges(dpi)[StatusIconPanel]; }

}  // namespace ovx
