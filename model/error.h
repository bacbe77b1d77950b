// SPDX-License-Identifier: GPL-3.0-or-later
// The error a failing command raises: it carries the message the user sees.
// The application's top-level handler shows it; the program keeps running.
#pragma once

#include <stdexcept>
#include <string>

namespace qm {

class TError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Replaces each "%s" of pattern by the next argument, in order.
std::string FormatMessage(std::string_view pattern, std::initializer_list<std::string_view> args);

}  // namespace qm
