// SPDX-License-Identifier: GPL-3.0-or-later
// Files that another program changed or deleted while they are open: neither the file's new
// version nor the user's unsaved changes is ever dropped without the user seeing it.
#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QTabWidget>

#include "app/documenttabs.h"
#include "app/opendocument.h"
#include "model/error.h"
#include "model/text/editbatch.h"
#include "platform/fileio.h"
#include "platform/prompts.h"

namespace qm {

void TDocumentTabs::WatchFile(const QString& path) {
  if (!path.isEmpty() && !Watcher->files().contains(path)) {
    Watcher->addPath(path);
  }
}

void TDocumentTabs::CheckFilesOnDisk() {
  // A question asked below takes the focus and gives it back: that is no new reason to look.
  if (std::exchange(CheckingFiles, true)) {
    return;
  }
  const auto done = qScopeGuard([this] { CheckingFiles = false; });
  QList<TOpenDocument*> changed;
  for (int i = 0; i < pgmain->count(); ++i) {
    TOpenDocument* document = Document(i);
    if (!document->Path().isEmpty() && FileStamp(document->Path()) != document->DiskStamp()) {
      changed << document;
    }
  }
  for (TOpenDocument* document : changed) {
    const QString path = document->Path();
    const QString name = QDir::toNativeSeparators(path);
    WatchFile(path);
    if (!QFileInfo(path).isFile()) {
      document->AcceptDiskVersion();
      // Its text is now nowhere else: closing the tab asks, as for any unsaved change.
      const std::string_view text = document->Editor()->Text();
      if (!text.empty() && !document->Editor()->Modified()) {
        const auto end = static_cast<int32_t>(text.size());
        document->Apply(TEditBatch({end - 1, end, std::string(text.substr(text.size() - 1)),
                                    document->Editor()->Caret()}));
      }
      Platform.Prompts->Message(
          TMessageKind::Warning,
          QStringLiteral("\"%1\" has been deleted by another program. Its text stays open here, "
                         "unsaved; save it to write the file again.")
              .arg(name),
          {TButton::Ok});
      continue;
    }
    const QByteArray bytes = ReadFileBytes(path);
    if (document->Editor()->Modified()) {
      KeepBothVersions(document, bytes);
    } else {
      ReloadFromDisk(document, bytes);
    }
  }
}

void TDocumentTabs::ReloadFromDisk(TOpenDocument* document, const QByteArray& bytes) {
  TCssEditor& editor = *document->Editor();
  const int32_t caret = editor.Caret();
  const int line =
      static_cast<int>(editor.SendScintilla(QsciScintillaBase::SCI_GETFIRSTVISIBLELINE));
  document->Load(document->Path(), bytes);
  editor.SetCaret(std::min(caret, static_cast<int32_t>(editor.Text().size())));
  editor.SetFirstVisibleLine(line);
  emit Told(QStringLiteral("\"%1\" was changed by another program and has been read again.")
                .arg(Caption(pgmain->indexOf(document))));
}

void TDocumentTabs::KeepBothVersions(TOpenDocument* document, const QByteArray& bytes) {
  const QString caption = Caption(pgmain->indexOf(document));
  document->AcceptDiskVersion();
  Platform.Prompts->Message(
      TMessageKind::Warning,
      QStringLiteral("\"%1\" has been changed by another program, and this tab has unsaved "
                     "changes. Both are kept: the file's new version opens in a tab of its own, "
                     "and saving here replaces the file with your changes.")
          .arg(QDir::toNativeSeparators(document->Path())),
      {TButton::Ok});
  NewDocument();
  TOpenDocument* copy = CurrentDocument();
  copy->LoadRecovered({}, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
  const int index = pgmain->currentIndex();
  pgmain->tabBar()->setTabData(index, caption + QStringLiteral(" (on disk)"));
  ShowModifiedMark(index);
}

}  // namespace qm
