#include "shell/WaitRule.h"

namespace ovx {

bool TWaitRule::AdmitClose(bool held) {
  if (!Waiting() && !held) return true;
  closeKept_ = true;
  return false;
}

bool TWaitRule::TakeKeptClose(bool held) {
  if (!closeKept_ || Waiting() || held) return false;
  closeKept_ = false;
  return true;
}

}  // namespace ovx
