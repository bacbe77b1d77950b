// SPDX-License-Identifier: GPL-3.0-or-later
// Whether a declaration's value fits its property's value syntax, and why not, from the value
// syntaxes of the current CSS catalogue.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>

#include "model/values/valuesyntax.h"

namespace qm {

enum class TValueVerdict : uint8_t {
  Valid,
  Warning,  // the only fault is a vendor-prefixed keyword or function
  Error,
  Unknown,  // not judged: the syntax needs a type nobody defined, or the value is too involved
};

struct TValueCheck {
  TValueVerdict Verdict = TValueVerdict::Valid;
  std::string Message;  // empty for Valid and Unknown
};

class TValueChecker {
 public:
  // The checker of the catalogue's properties: css3 holds each property's "syntax=", syntaxes
  // the named syntaxes they refer to ("[syntaxes] name=syntax"). Files that are missing give a
  // checker that knows no property and judges no value. Each syntax is parsed once.
  static TValueChecker FromFiles(const std::filesystem::path& css3,
                                 const std::filesystem::path& syntaxes);
  // The same from the files' text.
  static TValueChecker FromText(std::string_view css3, std::string_view syntaxes);

  // Whether name is a property the catalogue defines (in any letter case).
  bool Knows(std::string_view property) const;

  // The grammar of every syntax, and the root of property's syntax in it (in the block of
  // atRule, its descriptor's); -1 for a name the catalogue gives no syntax.
  const TValueGrammar& Grammar() const { return grammar_; }
  int32_t SyntaxRoot(std::string_view property, std::string_view atRule = {}) const;

  // The value (with or without "!important") of a declaration of property. Custom properties,
  // vendor-prefixed properties, CSS-wide keywords and values holding var(), env() or attr() are
  // valid; a property the catalogue lacks is an error. In the block of atRule (such as
  // "@font-face") the name is one of its descriptors; one the catalogue lacks is not judged.
  TValueCheck Check(std::string_view property, std::string_view value,
                    std::string_view atRule = {}) const;

 private:
  TValueGrammar grammar_;
  std::map<std::string, std::string, std::less<>> syntaxes_;  // lower-case property -> syntax
};

}  // namespace qm
