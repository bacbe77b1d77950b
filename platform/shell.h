// SPDX-License-Identifier: GPL-3.0-or-later
// The system shell: open a document, web address or mail address with its associated program,
// and start another program. Tests stand in for it and record what was asked.
#pragma once

#include <QString>
#include <QStringList>

namespace qm {

class TShell {
 public:
  virtual ~TShell() = default;
  // Opens url (http:, https:, file:, mailto:) with the program the system associates with it.
  virtual bool OpenUrl(const QString& url) = 0;
  // Starts program with arguments without waiting for it; false when it cannot be started.
  virtual bool StartProgram(const QString& program, const QStringList& arguments) = 0;
};

// Opens url through shell; raises TError saying that the browser (or, for a mailto: address,
// the mail program) could not be started when the shell could not open it.
void OpenUrlOrFail(TShell& shell, const QString& url);

class TSystemShell : public TShell {
 public:
  bool OpenUrl(const QString& url) override;
  bool StartProgram(const QString& program, const QStringList& arguments) override;
};

}  // namespace qm
