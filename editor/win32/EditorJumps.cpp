// The jumps of an editor window: the target checked against the document's bounds, then the
// caret set on its first nibble (the view scrolls it into sight). A jump that reaches the window
// while it waits for an answer is refused rather than stack a second question over the first.
#include "editor/JumpAddress.h"
#include "editor/win32/EditorWindow.h"
#include "view/win32/BEditor.h"

namespace ovx {

void TOvnxBinaryFormWClass::AddressJump(TAddressMode mode, std::uint64_t value) {
  if (RefusedWhileWaiting()) return;
  TBinaryViewCore& view = editor_->Core();
  std::int64_t target = AddressJumpTarget(mode, value, view.CaretAddress());
  if (!CheckJumpAddress(target, view.Module().Size(), prompt_)) return;
  view.SetCaret(static_cast<std::int32_t>(target), 0);
}

void TOvnxBinaryFormWClass::RelativeJump(std::uint64_t distance, bool upward) {
  if (RefusedWhileWaiting()) return;
  TBinaryViewCore& view = editor_->Core();
  const std::optional<std::int64_t> target =
      RelativeJumpTarget(distance, upward, view.CaretAddress(), view.Module().Size(), prompt_);
  if (!target) return;
  view.SetCaret(static_cast<std::int32_t>(*target), 0);
}

}  // namespace ovx
