// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/program/httprequest.h"

#include <vector>

#include "model/asciicase.h"

namespace qm {

namespace {

// The characters of a method or header name.
bool IsTokenChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
         std::string_view("!#$%&'*+-.^_`|~").find(c) != std::string_view::npos;
}

bool IsToken(std::string_view text) {
  if (text.empty()) {
    return false;
  }
  for (const char c : text) {
    if (!IsTokenChar(c)) {
      return false;
    }
  }
  return true;
}

bool IsControl(char c) {
  return static_cast<unsigned char>(c) < 0x20 || c == 0x7f;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') {
    return c - '0';
  }
  const char lower = AsciiLower(c);
  return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

// Splits head (without its blank line) into lines ending in CR LF or a lone LF.
std::vector<std::string_view> HeadLines(std::string_view head) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start < head.size()) {
    size_t end = head.find('\n', start);
    end = end == std::string_view::npos ? head.size() : end;
    std::string_view line = head.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') {
      line.remove_suffix(1);
    }
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

bool ReadRequestLine(std::string_view line, THttpRequest& request) {
  const size_t first = line.find(' ');
  const size_t second = first == std::string_view::npos ? first : line.find(' ', first + 1);
  if (second == std::string_view::npos || line.find(' ', second + 1) != std::string_view::npos) {
    return false;
  }
  const std::string_view method = line.substr(0, first);
  const std::string_view target = line.substr(first + 1, second - first - 1);
  const std::string_view version = line.substr(second + 1);
  if (!IsToken(method) || (version != "HTTP/1.1" && version != "HTTP/1.0") || target.empty() ||
      target[0] != '/') {
    return false;
  }
  for (const char c : target) {
    if (IsControl(c) || static_cast<unsigned char>(c) > 0x7e) {
      return false;
    }
  }
  request.Method = method;
  request.Target = target;
  return true;
}

const struct {
  std::string_view Extension;
  std::string_view Type;
} kContentTypes[] = {
    {"html", "text/html"},        {"htm", "text/html"},       {"xhtml", "application/xhtml+xml"},
    {"css", "text/css"},          {"js", "text/javascript"},  {"mjs", "text/javascript"},
    {"json", "application/json"}, {"xml", "application/xml"}, {"txt", "text/plain"},
    {"svg", "image/svg+xml"},     {"png", "image/png"},       {"jpg", "image/jpeg"},
    {"jpeg", "image/jpeg"},       {"gif", "image/gif"},       {"webp", "image/webp"},
    {"avif", "image/avif"},       {"ico", "image/x-icon"},    {"bmp", "image/bmp"},
    {"woff", "font/woff"},        {"woff2", "font/woff2"},    {"ttf", "font/ttf"},
    {"otf", "font/otf"},          {"mp4", "video/mp4"},       {"webm", "video/webm"},
    {"mp3", "audio/mpeg"},        {"ogg", "audio/ogg"},       {"wasm", "application/wasm"},
};

std::string_view Reason(int status) {
  switch (status) {
    case 200:
      return "OK";
    case 400:
      return "Bad Request";
    case 403:
      return "Forbidden";
    case 404:
      return "Not Found";
    case 405:
      return "Method Not Allowed";
    case 408:
      return "Request Timeout";
    case 431:
      return "Request Header Fields Too Large";
    case 500:
      return "Internal Server Error";
    case 503:
      return "Service Unavailable";
    default:
      return "Error";
  }
}

}  // namespace

THeadStatus ReadRequestHead(std::string_view bytes, THttpRequest& request) {
  size_t end = std::string_view::npos;
  for (size_t i = bytes.find('\n'); i != std::string_view::npos; i = bytes.find('\n', i + 1)) {
    if (i + 1 < bytes.size() && bytes[i + 1] == '\n') {
      end = i + 1;
      break;
    }
    if (i + 2 < bytes.size() && bytes[i + 1] == '\r' && bytes[i + 2] == '\n') {
      end = i + 1;
      break;
    }
  }
  if (end == std::string_view::npos || end > MaxRequestHead) {
    return bytes.size() > MaxRequestHead || end != std::string_view::npos ? THeadStatus::TooLarge
                                                                          : THeadStatus::Incomplete;
  }
  const std::vector<std::string_view> lines = HeadLines(bytes.substr(0, end));
  request = {};
  if (lines.empty() || !ReadRequestLine(lines[0], request)) {
    return THeadStatus::Malformed;
  }
  int hosts = 0;
  for (size_t i = 1; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    const size_t colon = line.find(':');
    // A line folded onto the one before is no longer HTTP; a name ends at its colon.
    if (colon == std::string_view::npos || !IsToken(line.substr(0, colon))) {
      return THeadStatus::Malformed;
    }
    const std::string_view value = Trimmed(line.substr(colon + 1));
    for (const char c : value) {
      if (IsControl(c) && c != '\t') {
        return THeadStatus::Malformed;
      }
    }
    const std::string_view name = line.substr(0, colon);
    if (EqualIgnoringAsciiCase(name, "host")) {
      request.Host = value;
      ++hosts;
    } else if (EqualIgnoringAsciiCase(name, "transfer-encoding") ||
               (EqualIgnoringAsciiCase(name, "content-length") && value != "0")) {
      // A body has no place in what the server answers, nor a way to be skipped safely.
      return THeadStatus::Malformed;
    }
  }
  return hosts == 1 ? THeadStatus::Complete : THeadStatus::Malformed;
}

int RequestRefusal(const THttpRequest& request, int port) {
  if (request.Method != "GET" && request.Method != "HEAD") {
    return 405;
  }
  const std::string host = AsciiLowerCase(request.Host);
  const size_t colon = host.rfind(':');
  const std::string_view name = std::string_view(host).substr(0, colon);
  if (colon == std::string::npos || host.substr(colon + 1) != std::to_string(port) ||
      (name != "127.0.0.1" && name != "localhost")) {
    return 403;
  }
  return 0;
}

TSiteTarget SiteTarget(std::string_view target, std::string_view token, std::string_view pageName) {
  std::string prefix = "/";
  prefix += token;
  prefix += '/';
  if (token.empty() || !target.starts_with(prefix)) {
    return {};
  }
  std::string_view rest = target.substr(prefix.size());
  rest = rest.substr(0, rest.find('?'));
  if (rest.empty()) {
    return {TSiteResource::Page, {}};
  }
  if (rest == EventsName) {
    return {TSiteResource::Events, {}};
  }
  std::string file;
  size_t nameStart = 0;
  const auto nameEnds = [&file, &nameStart]() {
    const std::string_view name = std::string_view(file).substr(nameStart);
    nameStart = file.size() + 1;
    return !name.empty() && name != "." && name != "..";
  };
  for (size_t i = 0; i < rest.size(); ++i) {
    char c = rest[i];
    if (c == '/') {
      if (!nameEnds()) {
        return {};
      }
      file += c;
      continue;
    }
    if (c == '%') {
      const int high = i + 2 < rest.size() ? HexValue(rest[i + 1]) : -1;
      const int low = high >= 0 ? HexValue(rest[i + 2]) : -1;
      if (low < 0) {
        return {};
      }
      c = static_cast<char>(high * 16 + low);
      i += 2;
      if (c == '/') {
        return {};
      }
    }
    if (c == '\\' || c == ':' || c == '#' || IsControl(c)) {
      return {};
    }
    file += c;
  }
  if (!nameEnds()) {
    return {};
  }
  if (!pageName.empty() && file == pageName) {
    return {TSiteResource::Page, {}};
  }
  return {TSiteResource::File, std::move(file)};
}

std::string EventMessage(std::string_view text) {
  std::string message;
  message.reserve(text.size() + text.size() / 16 + 16);
  message += "data: ";
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      message += "\ndata: ";
      i += text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n' ? 1 : 0;
    } else {
      message += text[i];
    }
  }
  message += "\n\n";
  return message;
}

std::string_view ContentType(std::string_view fileName) {
  const size_t slash = fileName.rfind('/');
  const size_t dot = fileName.rfind('.');
  if (dot != std::string_view::npos && (slash == std::string_view::npos || dot > slash)) {
    const std::string extension = AsciiLowerCase(fileName.substr(dot + 1));
    for (const auto& entry : kContentTypes) {
      if (entry.Extension == extension) {
        return entry.Type;
      }
    }
  }
  return "application/octet-stream";
}

std::string ResponseHead(int status, std::string_view contentType, int64_t length, bool streaming) {
  std::string head = "HTTP/1.1 ";
  head += std::to_string(status);
  head += ' ';
  head += Reason(status);
  head += "\r\nCache-Control: no-store\r\nX-Content-Type-Options: nosniff\r\n";
  if (status == 405) {
    head += "Allow: GET, HEAD\r\n";
  }
  if (!contentType.empty()) {
    head += "Content-Type: ";
    head += contentType;
    head += "\r\n";
  }
  if (!streaming) {
    head += "Content-Length: ";
    head += std::to_string(length);
    head += "\r\nConnection: close\r\n";
  }
  head += "\r\n";
  return head;
}

}  // namespace qm
