#include "calc/UMerker.h"

#include <atomic>

namespace {
std::atomic<bool> gReuse{true};
}  // namespace

void SetCalculationReuse(bool on) { gReuse.store(on, std::memory_order_relaxed); }

bool CalculationReuse() { return gReuse.load(std::memory_order_relaxed); }
