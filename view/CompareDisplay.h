// The comparison partner of a view and the colour and mark rule its cells follow while the
// view compares: bytes are paired at equal addresses, without any realignment.
#pragma once

#include <cstdint>
#include <memory>

#include "model/MModule.h"
#include "view/ViewPaintModel.h"

namespace ovx {

class TCompareDisplay final : public TCompareStyler {
 public:
  explicit TCompareDisplay(const TMemoryModule& own) : own_(own) {}

  bool Active() const { return partner_ != nullptr; }
  // A module the view loaded itself (owned) or another window's document (not owned).
  void Start(std::unique_ptr<TMemoryModule> owned);
  void Start(const TMemoryModule& other);
  // Frees an owned partner.
  void End();

  bool Marks() const { return marks_; }
  bool Colors() const { return colors_; }
  void SetMarks(bool on) { marks_ = on; }
  void SetColors(bool on) { colors_ = on; }

  // TCompareStyler; Partner() only while Active().
  const TMemoryModule& Partner() const override { return *partner_; }
  TCellColor Color(std::int64_t p, std::uint8_t mine, std::uint8_t other) const override;
  char Mark(std::int64_t p, std::uint8_t mine, std::uint8_t other) const override;

 private:
  bool BeyondEither(std::int64_t p) const { return p >= own_.Size() || p >= partner_->Size(); }

  const TMemoryModule& own_;
  const TMemoryModule* partner_ = nullptr;
  std::unique_ptr<TMemoryModule> owned_;
  bool marks_ = true;
  bool colors_ = true;
};

}  // namespace ovx
