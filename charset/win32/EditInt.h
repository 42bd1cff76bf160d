// TEditInt: the integer edit control. A self-drawn window over TEditIntCore: the text right-aligned,
// every character drawn on its own (selected, overflow colour or plain), the one-pixel system caret,
// keys, characters and the mouse. Keys and characters it does not use go to its owner.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "charset/EditIntCore.h"

namespace ovx {

class TEditInt {
 public:
  static const wchar_t kClassName[];  // L"TEditInt"
  static constexpr int kDefaultWidth = 120, kDefaultHeight = 20;

  TEditInt() = default;
  ~TEditInt();
  TEditInt(const TEditInt&) = delete;
  TEditInt& operator=(const TEditInt&) = delete;

  // A child window with a tab stop and a sunken edge; false when the platform refused it.
  bool Create(HWND parent, int id, const RECT& bounds);
  HWND Handle() const { return hwnd_; }
  // The control of a window handle of this class, or none.
  static TEditInt* FromHandle(HWND hwnd);

  std::uint64_t Value() const { return core_.Value(); }
  void SetValue(std::uint64_t value);
  TCardinalNumber CardinalNumber() const { return core_.CardinalNumber(); }
  void SetCardinalNumber(TCardinalNumber radix);
  TVariableType VariableType() const { return core_.VariableType(); }
  void SetVariableType(TVariableType type);
  void SetOverflowColor(COLORREF color);
  const TEditIntCore& Core() const { return core_; }

  // After every key or character the control handles (caret moves too), with the value.
  std::function<void(TEditInt&, std::uint64_t)> OnChange;
  // Key-down messages and characters the control does not use.
  std::function<void(TEditInt&, const MSG&)> OnOtherKey;
  std::function<void(TEditInt&, wchar_t)> OnOtherKeyPress;
  std::function<void(TEditInt&)> OnEnter;
  std::function<void(TEditInt&)> OnExit;

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
  void Paint(HDC dc);
  // Left edge of every character and the text's right end, in client co-ordinates.
  std::vector<int> CharacterEdges(HDC dc) const;
  int GapAt(int x);
  void PlaceCaret();
  void Changed();
  void KeyDown(WPARAM key, LPARAM lp);

  HWND hwnd_ = nullptr;
  HFONT font_ = nullptr;
  TEditIntCore core_;
  COLORREF overflow_ = GetSysColor(COLOR_GRAYTEXT);
  bool hasCaret_ = false;
};

}  // namespace ovx
