// SPDX-License-Identifier: GPL-3.0-or-later
// The search runs on a thread of its own, file by file, and hands each file's matches to the
// panel through its event queue; Cancel stops it between two files.
#include "app/findinfilespanel.h"

#include <QCheckBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QTreeWidget>

#include "app/opendocument.h"
#include "platform/prompts.h"

namespace qm {
namespace {

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// How many changes the preview lists before it only counts the rest.
constexpr int kPreviewRows = 30;

}  // namespace

TFindInFilesPanel::TFindInFilesPanel(TPrompts& prompts,
                                     std::function<TOpenDocument*(const QString&)> openFile,
                                     QWidget* parent)
    : QWidget(parent), Prompts(prompts), OpenFile(std::move(openFile)) {
  const auto labelled = [this](const QString& caption, QWidget* field) {
    auto* label = new QLabel(caption, this);
    label->setBuddy(field);
    return label;
  };
  TxtFolder = new QLineEdit(this);
  TxtFolder->setObjectName(QStringLiteral("TxtFolder"));
  TxtFind = new QLineEdit(this);
  TxtFind->setObjectName(QStringLiteral("TxtFindInFiles"));
  TxtReplace = new QLineEdit(this);
  TxtReplace->setObjectName(QStringLiteral("TxtReplaceInFiles"));
  ChkMatchCase = new QCheckBox(QStringLiteral("Match &case"), this);
  ChkWholeWord = new QCheckBox(QStringLiteral("&Whole word"), this);
  CmdFind = new QPushButton(QStringLiteral("&Find"), this);
  CmdReplaceAll = new QPushButton(QStringLiteral("Replace &All..."), this);
  CmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
  CmdCancel->setEnabled(false);
  Progress = new QProgressBar(this);
  Progress->setAccessibleName(QStringLiteral("Files searched"));
  Progress->setRange(0, 1);
  Progress->setValue(0);
  LstMatches = new QTreeWidget(this);
  LstMatches->setObjectName(QStringLiteral("LstMatches"));
  LstMatches->setAccessibleName(QStringLiteral("Matches"));
  LstMatches->setHeaderHidden(true);
  LstMatches->setColumnCount(1);

  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(2, 2, 2, 2);
  grid->addWidget(labelled(QStringLiteral("F&older:"), TxtFolder), 0, 0);
  grid->addWidget(TxtFolder, 0, 1);
  grid->addWidget(labelled(QStringLiteral("Fi&nd:"), TxtFind), 1, 0);
  grid->addWidget(TxtFind, 1, 1);
  grid->addWidget(labelled(QStringLiteral("Re&place with:"), TxtReplace), 2, 0);
  grid->addWidget(TxtReplace, 2, 1);
  auto* row = new QHBoxLayout;
  for (QWidget* widget : std::initializer_list<QWidget*>{ChkMatchCase, ChkWholeWord, CmdFind,
                                                         CmdReplaceAll, CmdCancel, Progress}) {
    row->addWidget(widget);
  }
  grid->addLayout(row, 3, 0, 1, 2);
  grid->addWidget(LstMatches, 4, 0, 1, 2);

  connect(CmdFind, &QPushButton::clicked, this, &TFindInFilesPanel::Find);
  connect(TxtFind, &QLineEdit::returnPressed, this, &TFindInFilesPanel::Find);
  connect(CmdCancel, &QPushButton::clicked, this, &TFindInFilesPanel::Cancel);
  connect(CmdReplaceAll, &QPushButton::clicked, this, &TFindInFilesPanel::ReplaceAll);
  connect(LstMatches, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
    if (QTreeWidgetItem* file = item->parent()) {
      OpenRow(LstMatches->indexOfTopLevelItem(file), file->indexOfChild(item));
    } else {
      OpenRow(LstMatches->indexOfTopLevelItem(item), 0);
    }
  });
}

TFindInFilesPanel::~TFindInFilesPanel() {
  if (Worker != nullptr) {
    Cancelled->store(true);
    Worker->wait();
  }
}

void TFindInFilesPanel::SetDefaultFolder(const QString& folder) {
  DefaultFolder = folder;
  TxtFolder->setPlaceholderText(folder);
}

QStringList TFindInFilesPanel::Rows() const {
  QStringList rows;
  for (int i = 0; i < LstMatches->topLevelItemCount(); ++i) {
    const QTreeWidgetItem* file = LstMatches->topLevelItem(i);
    rows.append(file->text(0));
    for (int j = 0; j < file->childCount(); ++j) {
      rows.append(QStringLiteral("  ") + file->child(j)->text(0));
    }
  }
  return rows;
}

void TFindInFilesPanel::Find() {
  if (Searching()) {
    return;
  }
  const QString folder = TxtFolder->text().isEmpty() ? DefaultFolder : TxtFolder->text();
  if (folder.isEmpty() || !QDir(folder).exists()) {
    Prompts.Message(TMessageKind::Warning,
                    QStringLiteral("The folder \"%1\" does not exist.").arg(folder), {TButton::Ok});
    return;
  }
  Results.clear();
  LstMatches->clear();
  FoundText = TxtFind->text().toStdString();
  FoundMatchCase = ChkMatchCase->isChecked();
  FoundWholeWord = ChkWholeWord->isChecked();
  QStringList files;
  QDirIterator entries(folder, {QStringLiteral("*.css")}, QDir::Files,
                       QDirIterator::Subdirectories);
  while (entries.hasNext()) {
    files.append(entries.next());
  }
  files.sort();
  Progress->setRange(0, std::max<int>(1, static_cast<int>(files.size())));
  Progress->setValue(0);
  CmdFind->setEnabled(false);
  CmdReplaceAll->setEnabled(false);
  CmdCancel->setEnabled(true);
  Cancelled = std::make_shared<std::atomic<bool>>(false);
  Worker = QThread::create([this, files, find = FoundText, matchCase = FoundMatchCase,
                            wholeWord = FoundWholeWord, cancelled = Cancelled] {
    for (int i = 0; i < files.size() && !cancelled->load(); ++i) {
      QFile file(files[i]);
      if (file.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = file.readAll();
        std::vector<TTextMatch> matches =
            FindAllMatches(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())),
                           find, matchCase, wholeWord);
        if (!matches.empty()) {
          QMetaObject::invokeMethod(
              this,
              [this, found = TFileMatches{files[i], std::move(matches)}]() mutable {
                AddFile(std::move(found));
              },
              Qt::QueuedConnection);
        }
      }
      QMetaObject::invokeMethod(
          this, [this, done = i + 1] { Progress->setValue(done); }, Qt::QueuedConnection);
    }
  });
  connect(Worker, &QThread::finished, this, &TFindInFilesPanel::EndSearch);
  Worker->start();
}

void TFindInFilesPanel::Cancel() {
  if (Cancelled != nullptr) {
    Cancelled->store(true);
  }
}

void TFindInFilesPanel::EndSearch() {
  if (Worker == nullptr) {
    return;
  }
  Worker->deleteLater();
  Worker = nullptr;
  CmdFind->setEnabled(true);
  CmdReplaceAll->setEnabled(true);
  CmdCancel->setEnabled(false);
  emit SearchEnded();
}

void TFindInFilesPanel::AddFile(TFileMatches file) {
  const QString folder = TxtFolder->text().isEmpty() ? DefaultFolder : TxtFolder->text();
  auto* item = new QTreeWidgetItem(LstMatches, {QStringLiteral("%1 (%2)")
                                                    .arg(QDir(folder).relativeFilePath(file.Path))
                                                    .arg(static_cast<int>(file.Matches.size()))});
  for (const TTextMatch& match : file.Matches) {
    new QTreeWidgetItem(
        item, {QStringLiteral("%1: %2").arg(match.Line).arg(FromUtf8(match.LineText).trimmed())});
  }
  item->setExpanded(true);
  Results.push_back(std::move(file));
}

void TFindInFilesPanel::OpenRow(int fileRow, int matchRow) {
  if (fileRow < 0 || fileRow >= static_cast<int>(Results.size())) {
    return;
  }
  const TFileMatches& file = Results[static_cast<size_t>(fileRow)];
  if (matchRow < 0 || matchRow >= static_cast<int>(file.Matches.size())) {
    return;
  }
  TOpenDocument* document = OpenFile(file.Path);
  if (document == nullptr) {
    return;
  }
  TCssEditor& editor = *document->Editor();
  const TTextMatch& match = file.Matches[static_cast<size_t>(matchRow)];
  // The document holds the file's lines joined by CR LF: the line and column find the match
  // whatever breaks the file has.
  const int32_t start = editor.LineColToIndex(match.Line, match.Col);
  editor.SetSelection(start, start + (match.End - match.Start));
  editor.setFocus();
}

void TFindInFilesPanel::ReplaceAll() {
  if (Searching() || Results.empty()) {
    Prompts.Message(TMessageKind::Information,
                    QStringLiteral("There is nothing to replace: find the matches first."),
                    {TButton::Ok});
    return;
  }
  const std::string replacement = TxtReplace->text().toStdString();
  int count = 0;
  QString preview;
  for (const TFileMatches& file : Results) {
    for (const TTextMatch& match : file.Matches) {
      if (count++ < kPreviewRows) {
        const std::string after = ReplaceMatches(
            match.LineText,
            FindAllMatches(match.LineText, FoundText, FoundMatchCase, FoundWholeWord), replacement);
        preview += QStringLiteral("%1:%2: %3  ->  %4\n")
                       .arg(QFileInfo(file.Path).fileName())
                       .arg(match.Line)
                       .arg(FromUtf8(match.LineText).trimmed(), FromUtf8(after).trimmed());
      }
    }
  }
  if (count > kPreviewRows) {
    preview += QStringLiteral("... and %1 more\n").arg(count - kPreviewRows);
  }
  const QString question =
      QStringLiteral("Replace %1 match(es) of \"%2\" in %3 file(s) with \"%4\"?\n\n%5")
          .arg(count)
          .arg(FromUtf8(FoundText))
          .arg(static_cast<int>(Results.size()))
          .arg(FromUtf8(replacement))
          .arg(preview);
  if (Prompts.Message(TMessageKind::Confirmation, question, {TButton::Yes, TButton::No}) !=
      TButton::Yes) {
    return;
  }
  int replaced = 0;
  int files = 0;
  for (const TFileMatches& file : Results) {
    TOpenDocument* document = OpenFile(file.Path);
    if (document == nullptr) {
      continue;
    }
    // Matched again in the document as it is now: an open document may differ from its file.
    const TCssEditor& editor = *document->Editor();
    const std::vector<TTextMatch> matches =
        FindAllMatches(editor.Text(), FoundText, FoundMatchCase, FoundWholeWord);
    if (matches.empty()) {
      continue;
    }
    TEditBatch batch;
    for (const TTextMatch& match : matches) {
      batch.Add({match.Start, match.End, replacement,
                 match.Start + static_cast<int32_t>(replacement.size())});
    }
    batch.KeepCaret(editor.Caret());
    document->Apply(batch);
    replaced += static_cast<int>(matches.size());
    ++files;
  }
  Prompts.Message(TMessageKind::Information,
                  QStringLiteral("Made %1 replacement(s) in %2 file(s); the changed documents "
                                 "are open, not yet saved.")
                      .arg(replaced)
                      .arg(files),
                  {TButton::Ok});
}

}  // namespace qm
