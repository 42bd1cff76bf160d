// ガーベージコレクション: packing the document's blocks after the user agreed to the gain.
#pragma once

#include <cstdint>
#include <string>

#include "model/MModule.h"
#include "model/UserPrompt.h"

namespace ovx {

// The question with the efficiency now and after packing (Size * 100 div (n * 4096)).
std::string GarbageCollectionQuestion(std::int64_t size, std::int64_t blockCount, std::int64_t pageCount);

// Tells that nothing is to be gained when every block is full, else asks and packs on Yes.
// True when the document was packed.
bool GarbageCollectionCommand(TMemoryModule& module, TUserPrompt& prompt);

}  // namespace ovx
