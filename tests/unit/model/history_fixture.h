// A document with its history, a scripted prompt, and a record of caret moves and state changes.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/EditHistory.h"
#include "model/MModule.h"
#include "scripted_prompt.h"

namespace ovx::test {

inline std::string Content(const TMemoryModule& module) {
  std::string bytes(static_cast<std::size_t>(module.Size()), '\0');
  if (!bytes.empty()) module.ReadData(reinterpret_cast<std::uint8_t*>(bytes.data()), 0, module.Size());
  return bytes;
}

inline const std::uint8_t* Bytes(const std::string& s) { return reinterpret_cast<const std::uint8_t*>(s.data()); }

class HistoryFixture : public ::testing::Test {
 protected:
  HistoryFixture() : history(module, prompt) {
    history.MoveCaret = [this](const TCaretPosition& caret) { carets.push_back(caret); };
    history.OnStateChange = [this] { ++stateChanges; };
  }

  // Puts bytes into the document without the history, as a load would.
  void Fill(const std::string& bytes) {
    module.Clear();
    if (!bytes.empty()) module.InsertData(Bytes(bytes), 0, static_cast<std::int32_t>(bytes.size()));
    module.SetModified(0);
  }

  bool Apply(TEditKind kind, std::int32_t position, const std::string& data, std::int32_t rangeLength = 0,
             TCaretPosition before = {}, TCaretPosition after = {}) {
    TEditRecord record;
    record.kind = kind;
    record.position = position;
    record.caretBefore = before;
    record.caretAfter = after;
    record.data = Bytes(data);
    record.dataLength = static_cast<std::int32_t>(data.size());
    record.rangeLength = rangeLength;
    return history.ApplyEdit(record, true);
  }

  bool ApplyRange(TEditKind kind, std::int32_t position, std::int32_t rangeLength, std::int32_t amount = 0) {
    TEditRecord record;
    record.kind = kind;
    record.position = position;
    record.rangeLength = rangeLength;
    record.dataLength = amount;
    return history.ApplyEdit(record, true);
  }

  TMemoryModule module;
  TScriptedPrompt prompt;
  TEditHistory history;
  std::vector<TCaretPosition> carets;
  int stateChanges = 0;
};

}  // namespace ovx::test
