// SPDX-License-Identifier: GPL-3.0-or-later
// The program's command line: the files to open, and --help and --version, which answer on the
// terminal (a message box on Windows) without a display or a window.
#pragma once

#include <QStringList>

class QCommandLineParser;

namespace qm {

// Sets the program's version and describes its options and arguments to parser.
void DescribeCommandLine(QCommandLineParser& parser);
// The text --version shows: the version, and the data folder the program reads (so that an
// installation can be checked from a terminal).
QString VersionText(const QString& dataFolder);
// Whether arguments (the program first) ask for --help or --version before any "--": then
// the program answers and ends before it needs a display.
bool AsksForAnswerOnly(const QStringList& arguments);

}  // namespace qm
