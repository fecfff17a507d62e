#pragma once

#include <atomic>
#include <cstddef>
#include <filesystem>
#include <string>

#include "batch/BatchLedger.h"
#include "batch/ConversionBatch.h"

namespace vesk {

// One job of a conversion batch: loads the sheet on a document of its own,
// takes the output names of its blocks in turn, and converts them one by one.
SheetOutcome ConvertSheet(std::size_t index, const ConversionBatchRequest& request,
                          BatchLedger& ledger, const std::atomic<bool>& cancel);

// Why a sheet of a batch did not open: with the system's reason when the file
// itself could not be read, else its content is to blame and the load said why.
std::string SheetNotOpened(const std::filesystem::path& sheet);

}  // namespace vesk
