// The editor window as the core's file commands see it.
#pragma once

#include "editor/FileCommands.h"
#include "editor/win32/EditorWindow.h"

namespace ovx {

class TOvnxBinaryFormWClass::TFileSite final : public TEditorFileSite {
 public:
  explicit TFileSite(TOvnxBinaryFormWClass& window) : w_(window) {}
  std::string FileName() override { return w_.state_.fileName; }
  void SetFileName(const std::string& name) override { w_.SetFileName(name); }
  std::string ViewOnlyExtensions() override { return w_.state_.settings.viewOnlyExtensions; }
  void SetFileAge(std::int32_t age) override { w_.state_.fileAge = age; }
  bool Modified() override { return w_.Modified(); }
  bool ViewOnly() override { return w_.ViewOnly(); }
  void SetViewOnly() override { w_.SetViewOnly(); }
  bool LoadDocument(const std::string& name) override;
  bool SaveDocument(const std::string& name) override { return w_.SaveDocument(name); }
  bool ReloadDocument(const std::string& name) override;
  void SetNotifyLocked(bool locked) override;
  std::string LongPathName(const std::string& name) override { return w_.host_.LongPathName(name); }
  bool FileExists(const std::string& name) override;
  int FileAttributes(const std::string& name) override;
  std::int32_t FileAge(const std::string& name) override;
  bool AskSaveName(const std::string& title, std::string& name) override { return w_.AskSaveName(title, name); }
  void TakeOverFileComparisons(const std::string& name) override { w_.host_.DocumentFileChanged(w_, name); }

 private:
  TOvnxBinaryFormWClass& w_;
};

}  // namespace ovx
