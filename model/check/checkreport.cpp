// SPDX-License-Identifier: GPL-3.0-or-later
// The check's problems written as plain lines, as JSON and as a SARIF log.
#include "model/check/checkreport.h"

#include "model/check/sheetcheck.h"
#include "model/text/textencoding.h"

namespace qm {
namespace {

const char* SeverityName(TSeverity severity) {
  return severity == TSeverity::Error ? "error" : "warning";
}

// A file name as a URI reference relative to where the program ran: its bytes percent-encoded
// where a URI may not hold them.
std::string UriOf(std::string_view file) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string uri;
  for (const char c : file) {
    const auto byte = static_cast<unsigned char>(c);
    const bool plain = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
                       (byte >= '0' && byte <= '9') ||
                       std::string_view("-._~/").find(c) != std::string_view::npos;
    if (plain) {
      uri += c;
    } else if (c == '\\') {
      uri += '/';
    } else {
      uri += '%';
      uri += kHex[byte >> 4];
      uri += kHex[byte & 15];
    }
  }
  return uri;
}

}  // namespace

bool ReportFormatNamed(std::string_view name, TReportFormat& format) {
  if (name == "text") {
    format = TReportFormat::Text;
  } else if (name == "json") {
    format = TReportFormat::Json;
  } else if (name == "sarif") {
    format = TReportFormat::Sarif;
  } else {
    return false;
  }
  return true;
}

std::string JsonString(std::string_view text) {
  const std::string utf8 =
      IsValidUtf8(text) ? std::string(text) : ToUtf8(text, TTextEncoding::EightBit);
  std::string out = "\"";
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (byte < 0x20 || byte == 0x7F) {
      static constexpr char kHex[] = "0123456789abcdef";
      out += "\\u00";
      out += kHex[byte >> 4];
      out += kHex[byte & 15];
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string TextReport(const std::vector<TFileProblems>& files) {
  std::string out;
  for (const TFileProblems& file : files) {
    for (const TProblem& problem : file.Problems) {
      out += file.File + ":" + ProblemLine(problem) + "\n";
    }
  }
  return out;
}

std::string JsonReport(const std::vector<TFileProblems>& files) {
  std::string out = "[";
  bool first = true;
  for (const TFileProblems& file : files) {
    for (const TProblem& problem : file.Problems) {
      out += first ? "\n  " : ",\n  ";
      first = false;
      out += "{\"file\": " + JsonString(file.File) +
             std::string(", \"line\": ").append(std::to_string(problem.Line)) +
             std::string(", \"column\": ").append(std::to_string(problem.Column)) +
             ", \"severity\": \"" + SeverityName(problem.Severity) +
             "\", \"message\": " + JsonString(problem.Message) + "}";
    }
  }
  return out + (first ? "]\n" : "\n]\n");
}

std::string SarifReport(const std::vector<TFileProblems>& files, std::string_view version) {
  std::string out =
      "{\n  \"$schema\": \"https://json.schemastore.org/sarif-2.1.0.json\",\n"
      "  \"version\": \"2.1.0\",\n  \"runs\": [{\n"
      "    \"tool\": {\"driver\": {\"name\": \"Quillmere\", \"version\": " +
      JsonString(version) +
      "}},\n"
      "    \"columnKind\": \"unicodeCodePoints\",\n    \"results\": [";
  bool first = true;
  for (const TFileProblems& file : files) {
    for (const TProblem& problem : file.Problems) {
      out += first ? "\n      " : ",\n      ";
      first = false;
      out += std::string("{\"level\": \"") + SeverityName(problem.Severity) +
             "\", \"message\": {\"text\": " + JsonString(problem.Message) +
             "}, \"locations\": [{\"physicalLocation\": {\"artifactLocation\": {\"uri\": " +
             JsonString(UriOf(file.File)) +
             std::string("}, \"region\": {\"startLine\": ").append(std::to_string(problem.Line)) +
             std::string(", \"startColumn\": ").append(std::to_string(problem.Column)) + "}}}]}";
    }
  }
  out += first ? "]\n  }]\n}\n" : "\n    ]\n  }]\n}\n";
  return out;
}

}  // namespace qm
