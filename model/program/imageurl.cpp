// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/program/imageurl.h"

#include <cstdio>
#include <filesystem>

namespace qm {

namespace {

// Paths arrive and leave as UTF-8. A std::filesystem::path made from a plain std::string reads
// the system's code page on Windows, which garbles every name outside ASCII.
std::filesystem::path PathOf(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string GenericUtf8(const std::filesystem::path& path) {
  const std::u8string generic = path.generic_u8string();
  return std::string(generic.begin(), generic.end());
}

// The file:/// URL of an absolute path: every byte but letters, digits, "-._~" and "/" escaped.
std::string FileUrl(const std::filesystem::path& path) {
  std::string url = "file://";
  const std::string generic = GenericUtf8(path);
  if (generic.empty() || generic.front() != '/') {
    url.push_back('/');
  }
  for (const char c : generic) {
    const auto byte = static_cast<unsigned char>(c);
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
        c == '.' || c == '_' || c == '~' || c == '/' || c == ':') {
      url.push_back(c);
    } else {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
      url.append(escaped);
    }
  }
  return url;
}

// A relative reference that names the file and nothing else: "%", "#" and "?" would start an
// escape, a fragment or a query, ":" a scheme, and a backslash or a quote, control characters and
// line breaks end or break the value, so each is written as "%" and two hexadecimal digits.
std::string PathReference(const std::string& path) {
  std::string reference;
  for (const char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || c == '%' || c == '#' || c == '?' || c == ':' || c == '\\' ||
        c == '"' || c == '\'') {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
      reference.append(escaped);
    } else {
      reference.push_back(c);
    }
  }
  return reference;
}

// In double quotes where the reference holds what an unquoted url() cannot: blanks, quotes,
// parentheses, and braces or ";", which a sheet's reader would take for the rule's or the
// declaration's end; inside a string they are plain characters.
std::string Quoted(const std::string& reference) {
  if (reference.find_first_of(" \t\"'()\\{};") == std::string::npos) {
    return reference;
  }
  std::string quoted = "\"";
  for (const char c : reference) {
    if (c == '"' || c == '\\') {
      quoted.push_back('\\');
    }
    quoted.push_back(c);
  }
  return quoted + '"';
}

}  // namespace

std::string ImageUrl(std::string_view sheetPath, std::string_view imagePath) {
  const std::filesystem::path image = PathOf(imagePath).lexically_normal();
  std::string reference;
  if (!sheetPath.empty()) {
    const std::filesystem::path folder = PathOf(sheetPath).lexically_normal().parent_path();
    const std::filesystem::path relative = image.lexically_relative(folder);
    if (!relative.empty() && image.root_name() == folder.root_name()) {
      reference = PathReference(GenericUtf8(relative));
    }
  }
  if (reference.empty()) {
    reference = FileUrl(image);
  }
  return "url(" + Quoted(reference) + ")";
}

}  // namespace qm
