// SPDX-License-Identifier: GPL-3.0-or-later
// Sets a flag for the length of one operation and clears it on every way out, failures included.
#pragma once

namespace qm {

class TFlagScope {
 public:
  explicit TFlagScope(bool& flag) : Flag(flag) { Flag = true; }
  ~TFlagScope() { Flag = false; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

 private:
  bool& Flag;
};

}  // namespace qm
