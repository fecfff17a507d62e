#pragma once

#include "ByteSink.h"
#include "SamplePlan.h"

namespace vesk::sample {

// Writes the planned sheet chunk by chunk in the order readers rely on: sheet
// AREA, NAME, IDXB, then per sub-sheet its AREA, its STRC chunks, DEMF and ORTS.
void PutSampleSheet(const SamplePlan& plan, ByteSink& sink);

}  // namespace vesk::sample
