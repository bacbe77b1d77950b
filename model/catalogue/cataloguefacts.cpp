// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/catalogue/cataloguefacts.h"

#include "model/catalogue/inifile.h"
#include "model/listrule.h"

namespace qm {

namespace {

struct TFact {
  std::string_view key;
  std::string_view caption;
};

constexpr TFact kFacts[] = {
    {"syntax", "Syntax"},       {"initial", "Initial value"},   {"appliesto", "Applies to"},
    {"inherited", "Inherited"}, {"percentages", "Percentages"}, {"animation", "Animation type"},
};

struct TMark {
  std::string_view suffix;
  std::string_view text;
};

constexpr TMark kMarks[] = {
    {"+partial", "partial"}, {"+prefix", "with a prefix"}, {"+flag", "behind a flag"}};

std::string DescribeField(std::string_view field) {
  std::string version(field.substr(0, field.find('+')));
  if (version.empty() || version == "?") {
    return "unknown";
  }
  if (version == "no") {
    return "not supported";
  }
  std::string marks;
  for (const TMark& mark : kMarks) {
    if (field.find(mark.suffix) != std::string_view::npos) {
      marks.append(marks.empty() ? " (" : ", ").append(mark.text);
    }
  }
  return version + (marks.empty() ? "" : marks + ")");
}

}  // namespace

std::vector<std::string> CatalogueBrowsers(const TIniFile& catalogue) {
  return SplitList(catalogue.ReadString("catalogue", "browsers", ""), '|');
}

std::string DescribeFacts(const TIniFile& catalogue, std::string_view section,
                          const std::vector<std::string>& browsers) {
  std::string text;
  for (const TFact& fact : kFacts) {
    const std::string value = catalogue.ReadString(section, fact.key, "");
    if (!value.empty()) {
      text.append(fact.caption).append(": ").append(value).append("\n");
    }
  }
  const std::string atRule = catalogue.ReadString(section, "atrule", "");
  if (!atRule.empty()) {
    text.append("Descriptor of the ").append(atRule).append(" rule.\n");
  }
  const std::string status = catalogue.ReadString(section, "status", "");
  if (status == "experimental") {
    text.append("Experimental.\n");
  } else if (status == "nonstandard") {
    text.append("Non-standard.\n");
  } else if (status == "obsolete") {
    text.append("Obsolete.\n");
  }
  if (text.empty()) {
    return text;
  }
  if (!browsers.empty()) {
    text.append("Support: ")
        .append(DescribeSupport(browsers, catalogue.ReadString(section, "supported", "")))
        .append("\n");
  }
  text.pop_back();
  return text;
}

std::string DescribeSupport(const std::vector<std::string>& browsers, std::string_view fields) {
  const std::vector<std::string> values = SplitList(fields, '|');
  std::string text;
  for (size_t i = 0; i < browsers.size(); ++i) {
    if (i > 0) {
      text.append(", ");
    }
    text.append(browsers[i])
        .append(" ")
        .append(
            DescribeField(i < values.size() ? std::string_view(values[i]) : std::string_view()));
  }
  return text;
}

}  // namespace qm
