// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/recordfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QPointer>
#include <QThreadPool>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <optional>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace qm {

struct TRecordFile::TShared {
  std::mutex Mutex;
  std::condition_variable Idle;
  struct TRequest {
    TRecoveryRecord Record;
    std::optional<TTextFormat> Format;
  };
  // The request not yet started: a record to write, or nothing meaning "remove".
  std::optional<std::optional<TRequest>> Pending;
  bool Busy = false;
  QPointer<TRecordFile> Owner;
};

TRecordFile::TRecordFile(const QString& path, QObject* parent)
    : QObject(parent), Path_(path), Shared(std::make_shared<TShared>()) {
  Shared->Owner = this;
}

TRecordFile::~TRecordFile() = default;

QString TRecordFile::LockPath(const QString& path) {
  return path + QStringLiteral(".lock");
}

void TRecordFile::Delete(const QString& path) {
  QFile::remove(path);
  QFile::remove(LockPath(path));
}

void TRecordFile::Write(TRecoveryRecord record, std::optional<TTextFormat> format) {
  if (!Lock) {
    QDir().mkpath(QFileInfo(Path_).path());
    Lock = std::make_unique<QLockFile>(LockPath(Path_));
    // Held while this program keeps the record, so that another start does not offer it; a
    // lock that cannot be had changes nothing about writing.
    Lock->tryLock(0);
  }
  {
    const std::lock_guard<std::mutex> guard(Shared->Mutex);
    Shared->Pending.emplace(TShared::TRequest{std::move(record), std::move(format)});
  }
  Start();
}

void TRecordFile::Remove() {
  {
    const std::lock_guard<std::mutex> guard(Shared->Mutex);
    Shared->Pending.emplace(std::nullopt);
  }
  Start();
  Lock.reset();
}

void TRecordFile::Wait() {
  std::unique_lock<std::mutex> guard(Shared->Mutex);
  Shared->Idle.wait(guard, [this] { return !Shared->Busy && !Shared->Pending; });
}

void TRecordFile::Start() {
  {
    const std::lock_guard<std::mutex> guard(Shared->Mutex);
    if (Shared->Busy) {
      return;  // the running task takes the request when it is done with the one before
    }
    Shared->Busy = true;
  }
  QThreadPool::globalInstance()->start([shared = Shared, path = Path_] {
    for (;;) {
      std::optional<TShared::TRequest> request;
      {
        std::lock_guard<std::mutex> guard(shared->Mutex);
        if (!shared->Pending) {
          shared->Busy = false;
          shared->Idle.notify_all();
          return;
        }
        request = std::move(*shared->Pending);
        shared->Pending.reset();
      }
      QString failure;
      if (request) {
        if (request->Format) {
          request->Record.Bytes = SaveText(request->Record.Bytes, *request->Format);
        }
        failure = WriteNow(path, request->Record);
      } else {
        QFile::remove(path);
      }
      // Told on the main thread, where the owner lives, if it still does.
      QMetaObject::invokeMethod(
          QCoreApplication::instance(),
          [owner = shared->Owner, failure, wrote = request.has_value()] {
            if (owner == nullptr || !wrote) {
              return;
            }
            if (failure.isEmpty()) {
              emit owner->Written();
            } else {
              emit owner->Failed(failure);
            }
          },
          Qt::QueuedConnection);
    }
  });
}

QString TRecordFile::WriteNow(const QString& path, const TRecoveryRecord& record) {
  const QString folder = QFileInfo(path).path();
  if (!QDir().mkpath(folder)) {
    return QStringLiteral("Cannot create the folder \"%1\".").arg(QDir::toNativeSeparators(folder));
  }
  QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  const std::string bytes = RecordBytes(record);
  // Written beside it and renamed over it: a record is either the one before or this one.
  const QString next = path + QStringLiteral(".new");
  QFile::remove(next);
  QFile file(next);
  const auto size = static_cast<qint64>(bytes.size());
  bool written =
      file.open(QIODevice::WriteOnly | QIODevice::NewOnly, QFile::ReadOwner | QFile::WriteOwner) &&
      file.write(bytes.data(), size) == size && file.flush();
  if (written) {
#ifdef Q_OS_WIN
    written = _commit(file.handle()) == 0;
#else
    written = fsync(file.handle()) == 0;
#endif
  }
  const QString reason = file.errorString();
  file.close();
  if (!written) {
    QFile::remove(next);
    return reason;
  }
  std::error_code error;
  std::filesystem::rename(next.toStdU16String(), path.toStdU16String(), error);
  if (error) {
    QFile::remove(next);
    return QString::fromStdString(error.message());
  }
  return {};
}

}  // namespace qm
