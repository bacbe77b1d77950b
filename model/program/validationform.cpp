// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/program/validationform.h"

#include <utility>

namespace qm {

std::vector<TValidationPart> ValidationForm(std::string sheet, std::string fileName, int cssLevel) {
  // Every warning, and media rules for all media: the service's most thorough check.
  return {{"file", std::move(sheet), std::move(fileName), "text/css"},
          {"warning", "2", {}, {}},
          {"profile", "css" + std::to_string(cssLevel + 1), {}, {}},
          {"usermedium", "all", {}, {}}};
}

}  // namespace qm
