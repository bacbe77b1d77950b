// SPDX-License-Identifier: GPL-3.0-or-later
// Small catalogues that the model's and the inspector widget's tests share, and the value
// syntaxes of current CSS as the program ships them.
#pragma once

#include <string>

#include "model/values/valuechecker.h"

namespace qm {

#ifdef QUILLMERE_DATA_DIR
// The shipped value syntaxes, read once.
inline const TValueChecker& Css3Checker() {
  static const TValueChecker checker =
      TValueChecker::FromFiles(std::string(QUILLMERE_DATA_DIR) + "/css3.txt",
                               std::string(QUILLMERE_DATA_DIR) + "/css3syntax.txt");
  return checker;
}
#endif

// Three categories of two properties each.
inline constexpr const char* kThreeByTwo = R"([categories]
0=A
1=B
2=C
[1]
name=a1
[2]
name=a2
[3]
name=b1
category=1
[4]
name=b2
category=1
[5]
name=c1
category=2
[6]
name=c2
category=2
)";

}  // namespace qm
