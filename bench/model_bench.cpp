// Benchmarks of the document model (filled in below).
#include <benchmark/benchmark.h>

#include "model/MModule.h"
