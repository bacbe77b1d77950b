// SPDX-License-Identifier: GPL-3.0-or-later
// Whether a declaration's value fits its property's value syntax, and why not, from the value
// syntaxes of the current CSS catalogue.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

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
  bool AtName = false;  // the fault is the property's name, not its value
  // The bytes of the value the fault is at (from the start of the value given to Check); both
  // 0 for the whole value.
  int32_t FaultStart = 0;
  int32_t FaultEnd = 0;
  std::string Detail = {};  // the whole syntax the value was held against, for a tip
  std::string Fix = {};     // what the faulty name or word was most likely meant to be
};

// The one of names that word is most likely a typo of (one or two letters off, any letter
// case); empty when none is, or two are equally near.
std::string Nearest(std::string_view word, const std::vector<std::string_view>& names);

class TValueChecker {
 public:
  // The checker of the catalogue's properties: css3 holds each property's "syntax=", syntaxes
  // the named syntaxes they refer to ("[syntaxes] name=syntax"). Files that are missing give a
  // checker that knows no property and judges no value. Each syntax is parsed once.
  static TValueChecker FromFiles(const std::filesystem::path& css3,
                                 const std::filesystem::path& syntaxes);
  // The same from the files' text.
  static TValueChecker FromText(std::string_view css3, std::string_view syntaxes);

  // Whether the hacks that only old Internet Explorer reads (*zoom, _display, a value ending in
  // \9, filter: progid:... and alpha(opacity=...), expression(), behavior) are told as warnings
  // that name the hack (on, the default) or pass unremarked.
  void SetHackWarnings(bool on) { hackWarnings_ = on; }

  // Holds the check to an older CSS level: a property outside properties (lower-case names) is
  // an error that names the level ("CSS2"). Values are still judged by the current syntaxes.
  void LimitTo(std::set<std::string, std::less<>> properties, std::string level);

  // Whether name (without its colons or brackets) is a pseudo-element (element) or pseudo-class
  // that current CSS knows: valid, or an error that says so with the nearest known name as its
  // Fix. A browser maker's own is valid.
  TValueCheck CheckPseudo(std::string_view name, bool element) const;

  // Whether name is a feature that @media and @container conditions test, and value (empty for
  // a feature tested alone, "(color)") fits its syntax: an unknown name is an error at the name
  // (AtName) with the nearest known one as its Fix. A browser maker's own feature is valid.
  TValueCheck CheckMediaFeature(std::string_view name, std::string_view value) const;

  // Whether name is a property the catalogue defines (in any letter case).
  bool Knows(std::string_view property) const;

  // The property to write instead of property, an old name browsers still read; empty for
  // any other name.
  std::string_view UseInstead(std::string_view property) const;

  // The grammar of every syntax, and the root of property's syntax in it (in the block of
  // atRule, its descriptor's); -1 for a name the catalogue gives no syntax.
  const TValueGrammar& Grammar() const { return grammar_; }
  int32_t SyntaxRoot(std::string_view property, std::string_view atRule = {}) const;

  // Every descriptor the block of atRule ("@font-face", lower case) takes, in lower case and
  // alphabetical order; none for an at-rule whose block takes properties (@page, @media).
  std::vector<std::string> DescriptorsOf(std::string_view atRule) const;

  // The value (with or without "!important") of a declaration of property. Custom properties,
  // vendor-prefixed properties, CSS-wide keywords and values holding var(), env() or attr() are
  // valid; a property the catalogue lacks is an error. An old name that browsers still read
  // (color-adjust) is a warning that names the one to write instead. In the block of atRule (such
  // as
  // "@font-face") the name is one of its descriptors: a name that is none is an error, one
  // the catalogue gives no syntax is not judged.
  TValueCheck Check(std::string_view property, std::string_view value,
                    std::string_view atRule = {}) const;

 private:
  // Check of a value without "!important".
  TValueCheck CheckValue(std::string_view property, std::string_view value,
                         std::string_view atRule) const;
  // Why tokens of value do not fit the syntax at root, and where.
  TValueCheck Mismatch(std::string_view property, std::string_view value,
                       const TValueTokens& tokens, int32_t root, const std::string& syntax) const;
  // Valid, or the warning for a name the catalogue says to write differently.
  TValueCheck OldName(std::string_view property, const std::string& lower) const;

  TValueGrammar grammar_;
  std::map<std::string, std::string, std::less<>> useInstead_;
  // lower-case "@rule" -> every descriptor its block takes
  std::map<std::string, std::set<std::string, std::less<>>, std::less<>> descriptors_;
  std::set<std::string, std::less<>> pseudoClasses_;
  std::set<std::string, std::less<>> pseudoElements_;
  std::set<std::string, std::less<>> mediaFeatures_;  // their syntaxes: "@media/name"
  std::set<std::string, std::less<>> level_;          // empty: every property of the catalogue
  std::string levelName_;
  bool hackWarnings_ = true;                                  // lower-case old name -> current
  std::map<std::string, std::string, std::less<>> syntaxes_;  // lower-case property -> syntax
};

}  // namespace qm
