// SPDX-License-Identifier: GPL-3.0-or-later
// What the live preview's server reads from a browser and answers: the head of one HTTP request,
// which of a live site's resources its target names, and the head of the answer.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qm {

// A request head longer than this is refused: a browser's is a fraction of it.
inline constexpr size_t MaxRequestHead = 8192;

struct THttpRequest {
  std::string Method;
  std::string Target;
  std::string Host;
};

// Reading the head at the start of what a client sent: it is complete at its blank line.
enum class THeadStatus { Incomplete, Complete, Malformed, TooLarge };
THeadStatus ReadRequestHead(std::string_view bytes, THttpRequest& request);

// The status that refuses a complete request, 0 when it may be answered: only GET and HEAD, only
// with the Host the server's own address (a name from elsewhere pointing at the loopback
// address is refused), "127.0.0.1" or "localhost" with port.
int RequestRefusal(const THttpRequest& request, int port);

// What a request's target names on a live site whose addresses start with "/" token "/": the
// page (the site's root, or pageName when the site serves a page of the user's), the event
// stream, a file of the site's folder given as names joined by "/", or nothing. A file's path is
// decoded once; a name that is empty, "." or "..", or holds a "/", "\", ":" or a control
// character after decoding names nothing, and so does a bad escape.
enum class TSiteResource { Missing, Page, Events, File };
struct TSiteTarget {
  TSiteResource Resource = TSiteResource::Missing;
  std::string File;
};
TSiteTarget SiteTarget(std::string_view target, std::string_view token, std::string_view pageName);

// The event stream's name on a site, after "/" token "/".
inline constexpr std::string_view EventsName = ".quillmere-live";

// One message of an event stream carrying text whole: a "data:" line per line of it (a line ends
// at CR LF, CR or LF, which the browser gives back as LF), then a blank line.
std::string EventMessage(std::string_view text);

// The content type a file is served with, from its name's extension.
std::string_view ContentType(std::string_view fileName);

// The head of an answer: status line, the content type and length (none when contentType is
// empty), no caching, no type guessing, and the connection closed after it unless streaming.
std::string ResponseHead(int status, std::string_view contentType, int64_t length,
                         bool streaming = false);

}  // namespace qm
