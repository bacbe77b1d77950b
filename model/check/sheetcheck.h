// SPDX-License-Identifier: GPL-3.0-or-later
// The problems of a whole style sheet: values that do not fit their property, unknown at-rules,
// and blocks, strings and comments left open; what --check prints.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/check/problem.h"
#include "model/sheet/selectorblocks.h"
#include "model/text/document.h"
#include "model/values/valuechecker.h"

namespace qm {

// Every problem of the document in text order: each declaration of each block that holds
// declarations (style rules, keyframes and at-rules such as @font-face, nested ones too) checked
// against its property or descriptor, an at-rule of unknown name, a "{" without its "}", and a
// string or comment that is never closed. A string ends at its line's end as in CSS, so one
// left open is told on that line. The declarations of blocks nested more than 32 deep are not
// checked (one warning says so). blocks must describe the document (TError otherwise).
// Columns count characters of encoding (CharacterLineCol).
std::vector<TProblem> CheckSheet(const TDocument& document, const TModList& blocks,
                                 const TValueChecker& checker,
                                 TTextEncoding encoding = TTextEncoding::Utf8);

// "LINE:COLUMN: error|warning: message", the form compilers print after the file's name.
std::string ProblemLine(const TProblem& problem);

}  // namespace qm
