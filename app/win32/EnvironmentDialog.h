// The options dialog: modeless, one instance, a top-level window with its own taskbar button.
#pragma once

#include <optional>

#include <functional>
#include <memory>
#include <vector>

#include "app/EnvironmentForm.h"
#include "app/win32/CodeDialog.h"

namespace ovx {

class TDlgEnvironment final : public TCodeDialog {
 public:
  using TClosed = std::function<void()>;
  // `apply` gets the dialog's record; `closed` runs once the window is gone.
  TDlgEnvironment(const TEnvironmentSettings& record, const std::string& title, std::wstring helpFile,
                  TEnvironmentForm::TApply apply, TClosed closed);

  ~TDlgEnvironment() override;

  // Creates and shows the dialog; false when it could not be created.
  bool Show(HINSTANCE instance);

 private:
  void OnCreate() override;
  void OnCommand(int id, int code, HWND control) override;
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) override;

  void CreateSettingPage(TOptionPage page);
  void CreateColorPage();
  void CreateKeyPage();
  HWND AddOnPage(TOptionPage page, const wchar_t* className, const std::wstring& text, DWORD style, int x, int y,
                 int width, int height, int id, DWORD exStyle = 0);
  void ShowPage(int page);
  int NoteWidth(const std::wstring& note) const;
  void FillSettingControls();
  // Shows the record's value in one control of the first four pages.
  void FillSettingControl(std::size_t index);
  // What one control holds, none for a spin box whose text is not a number.
  std::optional<TOptionValue> ReadSettingControl(std::size_t index);
  void ApplyChanges();
  void RefreshApplyButton();
  void PickColor(int row, bool background);
  void RefreshColorRows();
  void FillKeyList();
  void RefreshSelectedKey();
  void OnTreeDoubleClick();
  void Close();

  TEnvironmentForm form_;
  std::wstring helpFile_;
  TClosed closed_;
  std::vector<HWND> pages_[OptionPageCount];
  int page_ = 0;
  bool filling_ = false;
  std::vector<HBRUSH> sampleBrushes_;
};

}  // namespace ovx
