#pragma once

#include <string>

// Reports a problem without waiting for anyone: one line on standard error and one in the
// program's report log (VReportLog::Shared), where the settings programs show the last ones.
// A log that cannot be written costs nothing but the line.
void ReportUnattended(const std::string& message);
