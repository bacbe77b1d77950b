// SPDX-License-Identifier: GPL-3.0-or-later
// Colours one editor with the model's CSS token scanner: one style per token kind, set per byte,
// and the scanner's state at each line's end kept as the line's state.
#pragma once

#include <Qsci/qscilexercustom.h>

#include "model/program/syntaxstyles.h"

namespace qm {

class TCssLexer : public QsciLexerCustom {
  Q_OBJECT

 public:
  explicit TCssLexer(QObject* parent = nullptr);

  const char* language() const override { return "CSS"; }
  QString description(int style) const override;
  void styleText(int start, int end) override;

  // The editor font every style is drawn in, with each style's bold, italic and underline.
  void SetBaseFont(const QFont& font);
  void SetStyles(const TSyntaxStyles& styles);

 private:
  void ApplyStyles();

  QFont BaseFont;
  TSyntaxStyles Styles = DefaultSyntaxStyles();
};

}  // namespace qm
