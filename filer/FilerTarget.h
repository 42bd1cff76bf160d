// The document the initialisation and end lists of a template work on: the binary view
// implements it over its document; tests implement it over a byte vector.
#pragma once

#include <cstdint>

namespace ovx {

class TFilerTarget {
 public:
  virtual ~TFilerTarget() = default;
  // The document's current size in bytes.
  virtual std::int32_t Size() const = 0;
  // Reads count bytes at address; bytes past the end read as 0.
  virtual void ReadData(std::uint8_t* buffer, std::int32_t address, std::int32_t count) const = 0;
  // An undoable overwrite of count bytes at address, inside the document. It neither moves the
  // caret nor closes the current undo group, and does nothing in view-only mode.
  virtual void PatchBytes(const std::uint8_t* data, std::int32_t address, std::int32_t count) = 0;
  // True while the view is in view-only mode.
  virtual bool ViewOnly() const = 0;
};

// Overwrites only when the bytes differ from what the document holds: writing the same bytes
// again neither marks the document changed nor costs an undo step.
void PatchChangedBytes(TFilerTarget& target, const std::uint8_t* data, std::int32_t address, std::int32_t count);

}  // namespace ovx
