#include "engine/stream/VUnattendedReport.h"

#include <cstdio>

#include "engine/stream/VReportLog.h"

void ReportUnattended(const std::string& message)
{
    std::fprintf(stderr, "Valdrimor Exception: %s\n", message.c_str());
    std::fflush(stderr);
    VReportLog::Shared().Append(message);
}
