// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/program/httprequest.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(ReadRequestHead, CompleteAtTheBlankLineAndRefusesWhatIsNotPlainHttp) {
  const struct {
    const char* name;
    std::string bytes;
    THeadStatus status;
  } cases[] = {
      {"browser", "GET /t/ HTTP/1.1\r\nHost: 127.0.0.1:80\r\nAccept: */*\r\n\r\n",
       THeadStatus::Complete},
      {"bare line feeds", "HEAD /t/a.css HTTP/1.0\nHost: localhost:80\n\n", THeadStatus::Complete},
      {"no blank line yet", "GET /t/ HTTP/1.1\r\nHost: 127.0.0.1:80\r\n", THeadStatus::Incomplete},
      {"nothing yet", "", THeadStatus::Incomplete},
      {"no host", "GET /t/ HTTP/1.1\r\n\r\n", THeadStatus::Malformed},
      {"two hosts", "GET / HTTP/1.1\r\nHost: a\r\nHost: b\r\n\r\n", THeadStatus::Malformed},
      {"absolute target", "GET http://x/ HTTP/1.1\r\nHost: a\r\n\r\n", THeadStatus::Malformed},
      {"other protocol", "GET / HTTP/2.0\r\nHost: a\r\n\r\n", THeadStatus::Malformed},
      {"blank in target", "GET /a b HTTP/1.1\r\nHost: a\r\n\r\n", THeadStatus::Malformed},
      {"folded header", "GET / HTTP/1.1\r\nHost: a\r\n b\r\n\r\n", THeadStatus::Malformed},
      {"header without colon", "GET / HTTP/1.1\r\nHost a\r\n\r\n", THeadStatus::Malformed},
      {"body", "GET / HTTP/1.1\r\nHost: a\r\nContent-Length: 5\r\n\r\nhello",
       THeadStatus::Malformed},
      {"chunked body", "GET / HTTP/1.1\r\nHost: a\r\nTransfer-Encoding: chunked\r\n\r\n",
       THeadStatus::Malformed},
      {"binary", std::string("\x16\x03\x01\x02\x00\r\n\r\n", 9), THeadStatus::Malformed},
      {"endless head", "GET / HTTP/1.1\r\nX: " + std::string(MaxRequestHead, 'a'),
       THeadStatus::TooLarge},
      {"head too long", "GET / HTTP/1.1\r\nX: " + std::string(MaxRequestHead, 'a') + "\r\n\r\n",
       THeadStatus::TooLarge},
  };
  for (const auto& c : cases) {
    THttpRequest request;
    EXPECT_EQ(ReadRequestHead(c.bytes, request), c.status) << c.name;
  }
  THttpRequest request;
  ASSERT_EQ(ReadRequestHead("HEAD /t/x?y HTTP/1.1\r\nhOsT:   localhost:8\t\r\n\r\n", request),
            THeadStatus::Complete);
  EXPECT_EQ(request.Method, "HEAD");
  EXPECT_EQ(request.Target, "/t/x?y");
  EXPECT_EQ(request.Host, "localhost:8");
}

TEST(RequestRefusal, OnlyReadingAndOnlyThroughTheServersOwnAddress) {
  const struct {
    const char* method;
    const char* host;
    int status;
  } cases[] = {
      {"GET", "127.0.0.1:4000", 0},    {"HEAD", "LOCALHOST:4000", 0},
      {"POST", "127.0.0.1:4000", 405}, {"PUT", "127.0.0.1:4000", 405},
      {"get", "127.0.0.1:4000", 405},  {"GET", "127.0.0.1:4001", 403},
      {"GET", "127.0.0.1", 403},       {"GET", "evil.example:4000", 403},
      {"GET", "[::1]:4000", 403},      {"GET", "127.0.0.1:4000.evil", 403},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RequestRefusal({c.method, "/", c.host}, 4000), c.status) << c.method << c.host;
  }
}

TEST(SiteTarget, NamesOnlyWhatLiesInsideTheSite) {
  const struct {
    const char* target;
    const char* pageName;
    TSiteResource resource;
    const char* file;
  } cases[] = {
      {"/tok/", "", TSiteResource::Page, ""},
      {"/tok/?reload=1", "", TSiteResource::Page, ""},
      {"/tok/index.html", "index.html", TSiteResource::Page, ""},
      {"/tok/.quillmere-live", "", TSiteResource::Events, ""},
      {"/tok/img/a%20b.png?x", "index.html", TSiteResource::File, "img/a b.png"},
      {"/tok/index.html", "", TSiteResource::File, "index.html"},
      // No token, a wrong one, a prefix of it.
      {"/", "", TSiteResource::Missing, ""},
      {"/tok", "", TSiteResource::Missing, ""},
      {"/to/", "", TSiteResource::Missing, ""},
      {"/tokx/a.css", "", TSiteResource::Missing, ""},
      {"/other/a.css", "", TSiteResource::Missing, ""},
      // Out of the folder, plainly or escaped.
      {"/tok/../secret", "", TSiteResource::Missing, ""},
      {"/tok/css/../../secret", "", TSiteResource::Missing, ""},
      {"/tok/%2e%2e/secret", "", TSiteResource::Missing, ""},
      {"/tok/.%2E/secret", "", TSiteResource::Missing, ""},
      {"/tok/..%2fsecret", "", TSiteResource::Missing, ""},
      {"/tok/..%5csecret", "", TSiteResource::Missing, ""},
      {"/tok/..\\secret", "", TSiteResource::Missing, ""},
      {"/tok/./a.css", "", TSiteResource::Missing, ""},
      {"/tok//etc/passwd", "", TSiteResource::Missing, ""},
      {"/tok/C:/secret", "", TSiteResource::Missing, ""},
      {"/tok/a%00.css", "", TSiteResource::Missing, ""},
      {"/tok/a%zz.css", "", TSiteResource::Missing, ""},
      {"/tok/a%2", "", TSiteResource::Missing, ""},
      {"/tok/css/", "", TSiteResource::Missing, ""},
  };
  for (const auto& c : cases) {
    const TSiteTarget target = SiteTarget(c.target, "tok", c.pageName);
    EXPECT_EQ(target.Resource, c.resource) << c.target;
    EXPECT_EQ(target.File, c.file) << c.target;
  }
}

TEST(EventMessage, EveryLineOfTheTextIsADataLine) {
  EXPECT_EQ(EventMessage(""), "data: \n\n");
  EXPECT_EQ(EventMessage("a {}"), "data: a {}\n\n");
  EXPECT_EQ(EventMessage("a {\r\n  b: c }\r\r\n"), "data: a {\ndata:   b: c }\ndata: \ndata: \n\n");
  EXPECT_EQ(EventMessage("data: x\nid: 3"), "data: data: x\ndata: id: 3\n\n");
}

TEST(ContentType, FromTheExtensionInAnyCase) {
  EXPECT_EQ(ContentType("index.HTML"), "text/html");
  EXPECT_EQ(ContentType("css/site.css"), "text/css");
  EXPECT_EQ(ContentType("app.js"), "text/javascript");
  EXPECT_EQ(ContentType("img/logo.svg"), "image/svg+xml");
  EXPECT_EQ(ContentType("img/photo.JPG"), "image/jpeg");
  EXPECT_EQ(ContentType("fonts/a.woff2"), "font/woff2");
  EXPECT_EQ(ContentType("v.1/README"), "application/octet-stream");
  EXPECT_EQ(ContentType("archive.tar.xz"), "application/octet-stream");
}

TEST(ResponseHead, ClosesUnlessStreamingAndNeverCaches) {
  EXPECT_EQ(
      ResponseHead(404, "text/plain", 9),
      "HTTP/1.1 404 Not Found\r\nCache-Control: no-store\r\nX-Content-Type-Options: "
      "nosniff\r\nContent-Type: text/plain\r\nContent-Length: 9\r\nConnection: close\r\n\r\n");
  EXPECT_EQ(ResponseHead(405, "", 0),
            "HTTP/1.1 405 Method Not Allowed\r\nCache-Control: no-store\r\nX-Content-Type-Options: "
            "nosniff\r\nAllow: GET, HEAD\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
  EXPECT_EQ(ResponseHead(200, "text/event-stream", 0, true),
            "HTTP/1.1 200 OK\r\nCache-Control: no-store\r\nX-Content-Type-Options: "
            "nosniff\r\nContent-Type: text/event-stream\r\n\r\n");
}

}  // namespace
}  // namespace qm
