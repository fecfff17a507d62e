#pragma once

#include "Requests.h"

namespace vesk::cli {

// Exit statuses shared by every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

int RunInfo(const InfoRequest& request);
int RunConvert(const ConvertRequest& request);
int RunExport(const ExportRequest& request);
int RunSample(const SampleRequest& request);
int RunZones(const ZonesRequest& request);
int RunSurvey(const SurveyRequest& request);
int RunCheck(const CheckRequest& request);
int RunTiles(const TilesRequest& request);
int RunView(const ViewRequest& request);

}  // namespace vesk::cli
