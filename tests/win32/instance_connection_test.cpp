// The file message of the instance connection against the system's ANSI code page.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "shell/win32/InstanceConnection.h"

namespace ovx {
namespace {

std::optional<std::wstring> Received(const TFileNameMessage& message, ULONG_PTR kind) {
  COPYDATASTRUCT data = {};
  data.dwData = kind;
  data.cbData = static_cast<DWORD>(message.bytes.size());
  data.lpData = message.bytes.empty() ? nullptr : const_cast<char*>(message.bytes.data());
  return DecodeFileName(data);
}

TEST(InstanceConnection, ANameTravelsInTheCodePageWheneverItCarriesItAndWholeOtherwise) {
  struct Case {
    const wchar_t* name;
    bool in932, in1252;  // carried exactly by the code page
  } cases[] = {
      {L"C:\\data\\plain name.bin", true, true},
      {L"C:\\データ\\表示.bin", true, false},
      {L"C:\\café.bin", false, true},
      {L"C:\\한글ü.bin", false, false},
      {L"", true, true},
  };
  const UINT codePage = GetACP();
  if (codePage != 932 && codePage != 1252) GTEST_SKIP() << "code page " << codePage;
  for (const Case& c : cases) {
    TFileNameMessage message = EncodeFileName(c.name);
    const bool carried = codePage == 932 ? c.in932 : c.in1252;
    EXPECT_EQ(message.kind, carried ? kFileNameAnsi : kFileNameUtf16) << c.name;
    EXPECT_EQ(Received(message, message.kind), std::wstring(c.name)) << c.name;
  }
  if (codePage == 932) {
    EXPECT_EQ(EncodeFileName(L"データ").bytes, "\x83\x66\x81\x5B\x83\x5E");
  }
}

TEST(InstanceConnection, AnUnknownKindCarriesNoName) {
  EXPECT_FALSE(Received(EncodeFileName(L"C:\\a.bin"), 7));
  // A UTF-16 name is whole code units; a stray last byte is dropped.
  TFileNameMessage odd{kFileNameUtf16, std::string("A\0B\0C", 5)};
  EXPECT_EQ(Received(odd, kFileNameUtf16), std::wstring(L"AB"));
}

}  // namespace
}  // namespace ovx
