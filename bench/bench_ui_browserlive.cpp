// SPDX-License-Identifier: GPL-3.0-or-later
// The live preview in a real browser and in the window: a keystroke in a sheet until Chromium's
// page holds the new text (bootstrap 5 and a 3 MB sheet), and a tab switch until the Preview
// panel shows the other sheet's page. Runs on the offscreen platform; needs chromium.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QWebEngineView>
#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

#include "app/browserpreview.h"
#include "app/livepreview.h"
#include "app/opendocument.h"
#include "app/previewpanel.h"
#include "bench/corpus.h"
#include "bench/qtmain.h"
#include "bench/silentprompts.h"
#include "controls/csseditor.h"
#include "devtools.h"
#include "platform/settingsstore.h"
#include "platform/shell.h"

namespace qm {
namespace {

using Clock = std::chrono::steady_clock;

bool WaitFor(const std::function<bool()>& done) {
  const auto until = Clock::now() + std::chrono::seconds(60);
  while (!done()) {
    if (Clock::now() > until) {
      return false;
    }
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
  }
  return true;
}

struct TBenchPlatform {
  QTemporaryDir Dir;
  std::unique_ptr<TSettingsStore> Settings =
      TSettingsStore::ForIniFile(Dir.filePath(QStringLiteral("s.ini")));
  bench::TSilentPrompts Prompts;
  TSystemShell Shell;
  TPlatform Platform{
      Settings.get(), &Prompts, &Shell, Dir.path(), QCoreApplication::applicationDirPath(),
      QString()};
};

std::string Bootstrap5() {
  std::string path;
  for (const TSheetFile& sheet : RealSheetFiles()) {
    if (sheet.name == "corpus/bootstrap-5.3.9-bootstrap.css" ||
        (path.empty() && sheet.name == "bootstrap5/bootstrap.css")) {
      path = sheet.path.string();
    }
  }
  return path;
}

// The length of the text as the page holds it: UTF-16, every line end one LF.
qsizetype PageLength(std::string_view text) {
  QString sheet = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  sheet.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  sheet.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return sheet.size();
}

// A key typed and rubbed out in turn in a declaration in the middle of the sheet, each timed from
// the key press until the browser's page holds the text (the pause typing waits for included).
void KeystrokeInTheBrowser(benchmark::State& state, const std::string& path,
                           const std::string& bytes, const QString& page = {}) {
  if (TDevTools::Program().isEmpty()) {
    state.SkipWithError("chromium is not installed");
    return;
  }
  TBenchPlatform platform;
  TOpenDocument document;
  document.Load(QString::fromStdString(path), QByteArray::fromStdString(bytes));
  TBrowserPreview preview(platform.Platform);
  if (!page.isEmpty()) {
    preview.ChoosePage(&document, page);
  }
  TDevTools browser;
  const QString length =
      QStringLiteral("document.querySelector('style[data-quillmere-live]').textContent.length");
  if (!browser.Start(preview.Open(&document)) || !WaitFor([&] {
        return browser.Evaluate(length).toInteger() == PageLength(document.Editor()->Text());
      })) {
    state.SkipWithError("the page did not come up");
    return;
  }
  TCssEditor* editor = document.Editor();
  const std::string_view text = editor->Text();
  editor->SetCaret(static_cast<int32_t>(text.find("color:", text.size() / 2) + 6));
  std::vector<double> times;
  bool insert = true;
  for (auto _ : state) {
    QKeyEvent key(QEvent::KeyPress, insert ? Qt::Key_X : Qt::Key_Backspace, Qt::NoModifier,
                  insert ? QStringLiteral("x") : QString());
    insert = !insert;
    const auto start = Clock::now();
    QApplication::sendEvent(editor, &key);
    const qsizetype expected = PageLength(editor->Text());
    if (!WaitFor([&] { return browser.Evaluate(length).toInteger() == expected; })) {
      state.SkipWithError("the page did not take the text");
      return;
    }
    const std::chrono::duration<double> elapsed = Clock::now() - start;
    state.SetIterationTime(elapsed.count());
    times.push_back(elapsed.count() * 1000);
  }
  std::sort(times.begin(), times.end());
  state.counters["median_ms"] = times[times.size() / 2];
  state.counters["max_ms"] = times.back();
  state.counters["sheet_KB"] = static_cast<double>(bytes.size()) / 1024;
}

void BM_BrowserKeystrokeBootstrap5(benchmark::State& state) {
  const std::string path = Bootstrap5();
  KeystrokeInTheBrowser(state, path, ReadSheetBytes(path));
}
BENCHMARK(BM_BrowserKeystrokeBootstrap5)
    ->UseManualTime()
    ->Iterations(40)
    ->Unit(benchmark::kMillisecond);

void BM_BrowserKeystroke3MB(benchmark::State& state) {
  QTemporaryDir dir;
  KeystrokeInTheBrowser(state, dir.filePath(QStringLiteral("big.css")).toStdString(),
                        bench::ConcatenatedCorpus());
}
BENCHMARK(BM_BrowserKeystroke3MB)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

// The same sheet on a page of one paragraph: what the transport and the sheet cost, without the
// thousands of sample lines the built page has for it.
void BM_BrowserKeystroke3MBOwnPage(benchmark::State& state) {
  QTemporaryDir dir;
  QFile page(dir.filePath(QStringLiteral("page.html")));
  if (!page.open(QIODevice::WriteOnly) ||
      page.write("<!DOCTYPE html><html><head><link rel=\"stylesheet\" href=\"big.css\"></head>"
                 "<body><p>text</p></body></html>") < 0) {
    state.SkipWithError("no page");
    return;
  }
  page.close();
  KeystrokeInTheBrowser(state, dir.filePath(QStringLiteral("big.css")).toStdString(),
                        bench::ConcatenatedCorpus(), page.fileName());
}
BENCHMARK(BM_BrowserKeystroke3MBOwnPage)
    ->UseManualTime()
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond);

// The Preview panel shows one sheet's page; each switch to the other document is timed until the
// panel shows that one's page, live.
void BM_PreviewAfterTabSwitch(benchmark::State& state) {
  TBenchPlatform platform;
  const std::string path = Bootstrap5();
  const std::string bytes = ReadSheetBytes(path);
  TOpenDocument first;
  TOpenDocument second;
  first.Load(QString::fromStdString(path), QByteArray::fromStdString(bytes));
  second.Load(QString::fromStdString(path), QByteArray::fromStdString(bytes + "\nh1 { }"));
  TPreviewPanel panel(platform.Platform);
  panel.resize(900, 700);
  panel.show();
  panel.SetDocument(&first);
  if (panel.MakePreview(true).isEmpty() || !WaitFor([&] { return panel.Live().Current(); })) {
    state.SkipWithError("the preview did not come up");
    return;
  }
  int loads = 0;
  QObject::connect(panel.Browser(), &QWebEngineView::loadFinished, [&loads] { ++loads; });
  std::vector<double> times;
  bool toSecond = true;
  for (auto _ : state) {
    const int before = loads;
    const auto start = Clock::now();
    panel.SetDocument(toSecond ? &second : &first);
    toSecond = !toSecond;
    if (!WaitFor([&] { return loads > before && panel.Live().Current(); })) {
      state.SkipWithError("the page did not come");
      return;
    }
    const std::chrono::duration<double> elapsed = Clock::now() - start;
    state.SetIterationTime(elapsed.count());
    times.push_back(elapsed.count() * 1000);
  }
  std::sort(times.begin(), times.end());
  state.counters["median_ms"] = times[times.size() / 2];
}
BENCHMARK(BM_PreviewAfterTabSwitch)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qm

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  return qm::bench::RunWithQt(argc, argv);
}
