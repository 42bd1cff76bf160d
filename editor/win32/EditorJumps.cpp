// The jumps of an editor window: the target checked against the document's bounds, then the
// caret set on its first nibble (the view scrolls it into sight). The tools stay usable while the
// window waits for an answer to a bounds question; a jump then does nothing rather than stack a
// second question over the first.
#include "editor/JumpAddress.h"
#include "editor/win32/EditorWindow.h"
#include "view/win32/BEditor.h"

namespace ovx {

void TOvnxBinaryFormWClass::AddressJump(TAddressMode mode, std::uint64_t value) {
  if (prompt_.Asking()) return;
  TBinaryViewCore& view = editor_->Core();
  std::int64_t target = AddressJumpTarget(mode, value, view.CaretAddress());
  if (!CheckJumpAddress(target, view.Module().Size(), prompt_)) return;
  view.SetCaret(static_cast<std::int32_t>(target), 0);
}

void TOvnxBinaryFormWClass::RelativeJump(std::uint64_t distance, bool upward) {
  if (prompt_.Asking()) return;
  TBinaryViewCore& view = editor_->Core();
  const std::optional<std::int64_t> target =
      RelativeJumpTarget(distance, upward, view.CaretAddress(), view.Module().Size(), prompt_);
  if (!target) return;
  view.SetCaret(static_cast<std::int32_t>(*target), 0);
}

}  // namespace ovx
