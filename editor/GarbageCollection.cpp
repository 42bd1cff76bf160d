#include "editor/GarbageCollection.h"

#include "editor/StatusBarTexts.h"

namespace ovx {

std::string GarbageCollectionQuestion(std::int64_t size, std::int64_t blockCount, std::int64_t pageCount) {
  return "現在のメモリ利用効率は " + std::to_string(MemoryEfficiencyPercent(size, blockCount)) +
         "% です.\r\nガーベージコレクション実行後は " + std::to_string(MemoryEfficiencyPercent(size, pageCount)) +
         "% になります.\r\n実行しますか？";
}

bool GarbageCollectionCommand(TMemoryModule& module, TUserPrompt& prompt) {
  if (module.BlockCount() == module.PageCount()) {
    prompt.MessageDlgBeep("メモリ利用効率は最大です.\r\nガーベージコレクションの必要はありません.", mtInformation,
                          mbOK);
    return false;
  }
  if (prompt.MessageDlgBeep(GarbageCollectionQuestion(module.Size(), module.BlockCount(), module.PageCount()),
                            mtConfirmation, mbYes | mbCancel) != mrYes)
    return false;
  const std::uint8_t modified = module.Modified();
  module.Compact();
  // Packing changes where the bytes live, not what they are.
  module.SetModified(modified);
  return true;
}

}  // namespace ovx
