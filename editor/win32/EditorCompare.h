// The comparisons between editor windows kept consistent as documents go and files open: the
// loops the main process runs over its windows.
#pragma once

#include <string>
#include <vector>

namespace ovx {

class TOvnxBinaryFormWClass;

// `going` quits its own comparison, then every window comparing with its document quits too,
// so no view keeps a document that is about to be freed.
void EndComparisonsWith(const std::vector<TOvnxBinaryFormWClass*>& windows, TOvnxBinaryFormWClass& going);

// True when a window of `windows` that waits compares with `window`'s document: the wait uses
// that document, so `window` may not close before the wait is over.
bool DocumentHeldByWait(const std::vector<TOvnxBinaryFormWClass*>& windows, TOvnxBinaryFormWClass& window);
// A wait ended: each window runs the close it kept, where it may now.
void RunKeptCloses(const std::vector<TOvnxBinaryFormWClass*>& windows);

// `holder` now holds the file `name`: windows comparing with that file's private copy compare
// with `holder`'s live document instead.
void SwitchFileComparisons(const std::vector<TOvnxBinaryFormWClass*>& windows, TOvnxBinaryFormWClass& holder,
                           const std::string& name);

}  // namespace ovx
