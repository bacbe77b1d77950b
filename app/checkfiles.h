// SPDX-License-Identifier: GPL-3.0-or-later
// "quillmere --check FILE...": style sheets checked without a window, one line per problem in
// the form compilers print, for builds and other tools to read.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdio>

namespace qm {

// Whether arguments (the program first) ask for --check before any "--".
bool AsksForCheck(const QStringList& arguments);

// Checks each file with the value syntaxes of dataFolder and writes "FILE:LINE:COLUMN:
// error|warning: message" lines to out, and why a file cannot be read or is not checked (it
// holds no text) to err. Returns the exit code: 2 when a file could not be read or checked (the
// others are still checked), else 1 when any error was found, else 0.
int CheckFiles(const QStringList& files, const QString& dataFolder, FILE* out, FILE* err);

}  // namespace qm
