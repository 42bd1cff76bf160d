// The main process window's side of the shell's dialogs.
#include "app/win32/MainProcessWindow.h"
#include "app/win32/ShortcutDialog.h"
#include "app/win32/VersionDialog.h"

namespace ovx {

void TMainProcessWindow::ShowOptionsDialog() {
  if (options_) {
    SetForegroundWindow(options_->Handle());
    return;
  }
  // The dialog is freed once its window has gone, outside its own message handling.
  options_ = std::make_unique<TDlgEnvironment>(
      Options(), title_, helpFile_, [this](const TEnvironmentSettings& record) { ApplySettings(record); },
      [this] { PostMessageW(hwnd_, kOptionsClosedMessage, 0, 0); });
  if (!options_->Show(instance_)) options_.reset();
}

void TMainProcessWindow::ApplySettings(const TEnvironmentSettings& settings) {
  store_->Settings() = settings;
  TEnvironmentSettings forWindows = settings;
  forWindows.NewWindow = false;
  for (TOvnxBinaryFormWClass* w : windows_.Items()) w->ApplySettings(forWindows);
}

void TMainProcessWindow::ShowVersionDialog(TOvnxBinaryFormWClass* reference) {
  TDlgVersion dialog;
  TWaitScope wait(reference ? &reference->WaitSite() : nullptr);
  dialog.RunModal(instance_, reference ? reference->Handle() : nullptr);
}

void TMainProcessWindow::ShowShortcutDialog(TOvnxBinaryFormWClass* reference) {
  TDlgShortCut dialog(reference ? reference->Handle() : nullptr, prompt_);
  TWaitScope wait(reference ? &reference->WaitSite() : nullptr);
  dialog.Run(instance_);
}

bool TMainProcessWindow::DialogMessage(MSG& msg) {
  return options_ && options_->Handle() && IsDialogMessageW(options_->Handle(), &msg);
}

}  // namespace ovx
