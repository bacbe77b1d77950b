// SPDX-License-Identifier: GPL-3.0-or-later
// The problems of the checked files as other programs read them: one line per problem, a JSON
// array, or a SARIF log as code-scanning services take it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/check/problem.h"

namespace qm {

enum class TReportFormat : uint8_t { Text, Json, Sarif };

struct TFileProblems {
  std::string File;  // as the user named it, UTF-8
  std::vector<TProblem> Problems;
};

// The format a --format argument names ("text", "json", "sarif"); false for any other.
bool ReportFormatNamed(std::string_view name, TReportFormat& format);

// "FILE:LINE:COLUMN: error|warning: message" for each problem, each line ended by "\n".
std::string TextReport(const std::vector<TFileProblems>& files);
// [{"file":…,"line":…,"column":…,"severity":"error"|"warning","message":…}, …] and "\n".
std::string JsonReport(const std::vector<TFileProblems>& files);
// A SARIF 2.1.0 log of one run of the program (version as given), columns in code points.
std::string SarifReport(const std::vector<TFileProblems>& files, std::string_view version);

// text as a JSON string, quotes included; bytes that are no UTF-8 become U+FFFD.
std::string JsonString(std::string_view text);

}  // namespace qm
