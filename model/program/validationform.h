// SPDX-License-Identifier: GPL-3.0-or-later
// The form the W3C CSS Validation Service is sent: the sheet as an uploaded file, and the options
// the service checks it with, in the order the service's own upload page sends them.
#pragma once

#include <string>
#include <vector>

namespace qm {

// A text field, or an uploaded file when FileName is not empty.
struct TValidationPart {
  std::string Name;
  std::string Content;
  std::string FileName;
  std::string ContentType;  // a file's only
};

// sheet is the file's bytes; cssLevel 0 checks against CSS1 ("css1"), 1 against CSS2 ("css2"),
// 2 against current CSS ("css3").
std::vector<TValidationPart> ValidationForm(std::string sheet, std::string fileName, int cssLevel);

}  // namespace qm
