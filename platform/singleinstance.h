// SPDX-License-Identifier: GPL-3.0-or-later
// One running program per user: a later start hands the files it was given to the running one
// over a local socket only its user can reach, and ends.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;

namespace qm {

class TSingleInstance : public QObject {
  Q_OBJECT

 public:
  explicit TSingleInstance(const QString& name, QObject* parent = nullptr);

  // The name of the current user's running program: another user, or another data folder, has
  // another.
  static QString UserName();
  // Gives files (absolute paths) to the program listening under name; true once it took them,
  // false when none runs or it does not answer in time.
  static bool HandOver(const QString& name, const QStringList& files, int timeoutMs = 3000);

  // Starts listening under the name, taking it over from a program that ended without letting
  // go of it; false when that fails (the program then runs on its own).
  bool Listen();

 signals:
  // A later start handed these over (none when it was started without files).
  void FilesArrived(const QStringList& files);

 private:
  QString Name;
  QLocalServer* Server;
};

}  // namespace qm
