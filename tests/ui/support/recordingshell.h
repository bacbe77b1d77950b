// SPDX-License-Identifier: GPL-3.0-or-later
// A shell for tests: records every address opened and program started; starting a program
// succeeds unless its path is listed in Missing.
#pragma once

#include "platform/shell.h"

namespace qm {

class TRecordingShell : public TShell {
 public:
  bool OpenUrl(const QString& url) override {
    Opened << url;
    return !UrlsFail;
  }
  bool StartProgram(const QString& program, const QStringList& arguments) override {
    Started << (QStringList{program} + arguments).join(QLatin1Char(' '));
    return !Missing.contains(program);
  }

  QStringList Opened;
  QStringList Started;
  QStringList Missing;
  // Every address fails to open, as when no default browser is set up.
  bool UrlsFail = false;
};

}  // namespace qm
