// SPDX-License-Identifier: GPL-3.0-or-later
// "quillmere --check FILE...": style sheets checked without a window, one line per problem in
// the form compilers print (or JSON, or SARIF), for builds and other tools to read.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdio>

#include "model/check/checkreport.h"

class QCommandLineParser;

namespace qm {

// What a --check command line asks for.
struct TCheckRequest {
  QStringList Files;  // "-" reads standard input
  TReportFormat Format = TReportFormat::Text;
  QString Level = QStringLiteral("css3");  // css1, css2 or css3
  bool HackWarnings = true;
};

// Whether arguments (the program first) ask for --check before any "--".
bool AsksForCheck(const QStringList& arguments);

// The request of a parsed command line; false with why in problem for a value --format or
// --level does not take, or no file named.
bool CheckRequestFrom(const QCommandLineParser& options, TCheckRequest& request, QString& problem);

// Checks each file with the value syntaxes of dataFolder and writes the problems to out, in
// the request's format, and why a file cannot be read or is not checked (it holds no text) to
// err. Returns the exit code: 2 when a file could not be read or checked (the others are still
// checked), else 1 when any error was found, else 0.
int CheckFiles(const TCheckRequest& request, const QString& dataFolder, FILE* in, FILE* out,
               FILE* err);

}  // namespace qm
