// SPDX-License-Identifier: GPL-3.0-or-later
// The squiggles under the problems of an editor's text: errors and warnings each in a colour of
// their own. The marks move with the text as it is edited until they are set again.
#pragma once

#include <vector>

#include "model/check/problem.h"

namespace qm {

class TCssEditor;

class TProblemMarks {
 public:
  explicit TProblemMarks(TCssEditor* editor);

  // Replaces every mark by those of problems, whose places are in the editor's current text.
  void Show(const std::vector<TProblemSpan>& problems);
  void Clear();

  // The indicators errors and warnings are drawn with.
  int ErrorIndicator() const { return Error; }
  int WarningIndicator() const { return Warning; }

 private:
  TCssEditor* Editor;
  int Error = -1;
  int Warning = -1;
};

}  // namespace qm
