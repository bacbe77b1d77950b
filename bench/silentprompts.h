// SPDX-License-Identifier: GPL-3.0-or-later
// The window's questions answered unseen, for the benchmarks that drive the program's widgets:
// a temporary folder has no catalogues to read, and nobody is there to answer.
#pragma once

#include <functional>

#include "platform/prompts.h"

namespace qm::bench {

class TSilentPrompts : public TPrompts {
 public:
  TButton Message(TMessageKind, const QString&, const QList<TButton>&, const QString&) override {
    return TButton::Ok;
  }
  QString OpenFileName(const QString&, const QString&) override { return {}; }
  std::optional<TSaveAnswer> SaveFileName(const QString&, const QString&) override { return {}; }
  std::optional<QColor> ChooseColor(const QColor&) override { return {}; }
  bool RunDialog(QDialog&) override { return false; }
  bool Progress(const QString&, const std::function<void(std::function<void()>)>&) override {
    return false;
  }
};

}  // namespace qm::bench
