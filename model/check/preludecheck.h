// SPDX-License-Identifier: GPL-3.0-or-later
// What stands in front of a rule's "{" or a statement's ";" that is no list of declarations:
// at-rule preludes (@media and @container conditions, @import, @layer) and attribute selectors.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "model/check/problem.h"
#include "model/values/valuechecker.h"

namespace qm {

// The prelude of the at-rule whose "@" is at at, in the text up to to (its "{" or ";"): media
// features with their values, @container conditions, @import's forms and @layer's names. Other
// at-rules' preludes are not read. The problems are told in text order; the reading stops at a
// string left open.
void CheckAtRulePrelude(std::string_view text, int32_t at, int32_t to, const TValueChecker& checker,
                        std::vector<TProblemSpan>& found);

// The attribute selector whose "[" is at open, read no further than to: a problem at the first
// byte that does not fit ("[href=]" at its "]"), or at the "[" when no "]" closes it. Returns
// where the selector goes on: past its "]", or to.
int32_t CheckAttributeSelector(std::string_view text, int32_t open, int32_t to,
                               std::vector<TProblemSpan>& found);

}  // namespace qm
