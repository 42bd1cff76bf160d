#include "editor/ViewOnlyRule.h"

#include <cstddef>

namespace ovx {
namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string Trim(const std::string& text) {
  std::size_t first = 0, last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

}  // namespace

std::string FileExtension(const std::string& fileName) {
  std::size_t dot = fileName.find_last_of(".\\/:");
  if (dot == std::string::npos || fileName[dot] != '.') return "";
  return fileName.substr(dot);
}

bool IsViewOnlyExtension(const std::string& fileName, const std::string& extensionList) {
  const std::string extension = FileExtension(fileName);
  std::string rest = Trim(extensionList);
  while (!rest.empty()) {
    std::size_t semicolon = rest.find(';');
    std::string entry = semicolon == std::string::npos ? rest : rest.substr(0, semicolon);
    rest = semicolon == std::string::npos ? "" : rest.substr(semicolon + 1);
    if (EqualIgnoringCase("." + Trim(entry), extension)) return true;
  }
  return false;
}

std::string ViewOnlyReason(const std::string& fileName, const std::string& extensionList, int attributes) {
  if (IsViewOnlyExtension(fileName, extensionList)) return "指定ファイルの拡張子は閲覧専用に設定されています.";
  if (attributes < 0) return "";
  std::string what;
  if (attributes & faReadOnly) what = "読み出し専用属性";
  if (attributes & faSysFile) what += (what.empty() ? "" : "及び") + std::string("システム属性");
  if (what.empty()) return "";
  return fileName + " には\r\n" + what + " が設定されています.";
}

std::string ViewOnlyInformationText(const std::string& reason) { return reason + "\r\n閲覧モードで開きます."; }

}  // namespace ovx
