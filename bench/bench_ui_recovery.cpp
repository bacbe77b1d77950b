// SPDX-License-Identifier: GPL-3.0-or-later
// Keeping unsaved work: the recovery record of the 3 MB sheet after a pause (what the event loop
// spends, and the whole write to the disk off it), and a start that reopens a session of five
// sheets beside one that opens them from the command line. Runs on the offscreen platform.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "app/cssmain.h"
#include "app/documentrecord.h"
#include "app/documenttabs.h"
#include "app/opendocument.h"
#include "bench/corpus.h"
#include "bench/qtmain.h"
#include "bench/silentprompts.h"
#include "controls/csseditor.h"
#include "platform/settingsstore.h"
#include "platform/shell.h"

namespace qm {
namespace {

struct TPlace {
  TPlace() : Settings(TSettingsStore::ForIniFile(Dir.filePath(QStringLiteral("s.ini")))) {
    Platform.Settings = Settings.get();
    Platform.Prompts = &Prompts;
    Platform.Shell = &Shell;
    Platform.WorkFolder = Dir.path();
    Platform.DataFolder = QStringLiteral(QUILLMERE_DATA_DIR);
    Platform.RecoveryFolder = Dir.filePath(QStringLiteral("recovery"));
  }
  QTemporaryDir Dir;
  std::unique_ptr<TSettingsStore> Settings;
  bench::TSilentPrompts Prompts;
  TSystemShell Shell;
  TPlatform Platform;
};

// A key typed in the 3 MB sheet, then the pause: with wholeWrite the time until the record is on
// the disk, flushed; without it what the event loop spends before the write goes off the thread.
void RecordAfterPause(benchmark::State& state, bool wholeWrite) {
  TPlace place;
  TFrmMain window(place.Platform);
  window.Tabs().NewDocument();
  TOpenDocument& document = *window.Tabs().CurrentDocument();
  document.Editor()->LoadBytes(bench::ConcatenatedCorpus());
  TDocumentRecord& record = *document.Record();
  for (auto _ : state) {
    state.PauseTiming();
    document.Editor()->SendScintilla(QsciScintillaBase::SCI_ADDTEXT, 1, "x");
    state.ResumeTiming();
    record.Update();
    if (!wholeWrite) {
      state.PauseTiming();
    }
    record.Wait();
    if (!wholeWrite) {
      state.ResumeTiming();
    }
  }
  state.counters["bytes"] = static_cast<double>(document.Editor()->Text().size());
}

void BM_RecordPauseOnTheEventLoopIn3MB(benchmark::State& state) {
  RecordAfterPause(state, false);
}
BENCHMARK(BM_RecordPauseOnTheEventLoopIn3MB)->Unit(benchmark::kMillisecond);

void BM_RecordWrittenAndFlushedIn3MB(benchmark::State& state) {
  RecordAfterPause(state, true);
}
BENCHMARK(BM_RecordWrittenAndFlushedIn3MB)->Unit(benchmark::kMillisecond);

QStringList FiveSheets() {
  QStringList paths;
  for (const TSheetFile& file : RealSheetFiles()) {
    if (paths.size() < 5) {
      paths << QString::fromStdString(file.path.string());
    }
  }
  return paths;
}

// The window made and five sheets opened in it: from the command line, or by reopening the
// session a window with them wrote when it ended.
void StartWithFive(benchmark::State& state, bool fromSession) {
  TPlace place;
  const QStringList sheets = FiveSheets();
  const QString session = place.Dir.filePath(QStringLiteral("recovery/session.ini"));
  const QString kept = place.Dir.filePath(QStringLiteral("session.kept"));
  {
    TFrmMain window(place.Platform);
    window.Tabs().OpenFiles(sheets);
    window.Tabs().KeepSession();
    QFile::copy(session, kept);
  }
  for (auto _ : state) {
    state.PauseTiming();
    QFile::remove(session);
    QFile::copy(kept, session);
    state.ResumeTiming();
    TFrmMain window(place.Platform);
    if (fromSession) {
      window.Tabs().RestoreSession();
    } else {
      window.Tabs().OpenFiles(sheets);
    }
    benchmark::DoNotOptimize(window.Tabs().Pages());
  }
}

void BM_StartOpeningFiveFromTheCommandLine(benchmark::State& state) {
  StartWithFive(state, false);
}
BENCHMARK(BM_StartOpeningFiveFromTheCommandLine)->Unit(benchmark::kMillisecond);

void BM_StartRestoringASessionOfFive(benchmark::State& state) {
  StartWithFive(state, true);
}
BENCHMARK(BM_StartRestoringASessionOfFive)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qm

int main(int argc, char** argv) {
  return qm::bench::RunWithQt(argc, argv);
}
