// SPDX-License-Identifier: GPL-3.0-or-later
// The main of a benchmark that needs a Qt application: the editor and the window run offscreen,
// then every benchmark the command line selects runs.
#pragma once

#include <benchmark/benchmark.h>
#include <QApplication>

namespace qm::bench {

inline int RunWithQt(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

}  // namespace qm::bench
