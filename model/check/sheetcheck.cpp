// SPDX-License-Identifier: GPL-3.0-or-later
// The problems of a whole style sheet at lines and columns, as the command line prints them.
#include "model/check/sheetcheck.h"

#include "model/check/livecheck.h"

namespace qm {

std::vector<TProblem> CheckSheet(const TDocument& document, const TModList& blocks,
                                 const TValueChecker& checker, TTextEncoding encoding) {
  TLiveCheck check;
  check.Full(document, blocks, checker);
  std::vector<TProblem> problems;
  problems.reserve(check.Problems().size());
  for (const TProblemSpan& found : check.Problems()) {
    const TLineCol at = CharacterLineCol(document, found.Start, encoding);
    problems.push_back({at.Line, at.Col, found.Severity, found.Message});
  }
  return problems;
}

std::string ProblemLine(const TProblem& problem) {
  return std::to_string(problem.Line) + ":" + std::to_string(problem.Column) + ": " +
         (problem.Severity == TSeverity::Error ? "error: " : "warning: ") + problem.Message;
}

}  // namespace qm
