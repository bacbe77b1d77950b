// SPDX-License-Identifier: GPL-3.0-or-later
// A document held in memory and coloured by the model's own scanner: what model code runs on
// without an editor, and what the editor widget's answers are held against.
#pragma once

#include "model/text/document.h"

#include <string>
#include <vector>

namespace qm {

class TMemoryDocument final : public TDocument {
 public:
  // Lines end at CR LF, a lone CR or a lone LF, as in the editor.
  explicit TMemoryDocument(std::string text = {});

  std::string_view Text() const override { return Text_; }
  int32_t LineCount() const override { return static_cast<int32_t>(Starts_.size()); }
  int32_t LineStart(int32_t line) const override;
  int32_t LineLength(int32_t line) const override;
  TScanState LineStartState(int32_t line) const override;
  uint64_t TextVersion() const override { return Version_; }
  std::optional<TTextChange> ChangedSince(uint64_t version) const override {
    return Changes_.Since(version);
  }

  void SetText(std::string text);
  // Replaces length bytes at index (both limited to the text) by text. Only the lines the edit
  // touched and those after them whose start state changed are scanned again, as an editor
  // restyles after a keystroke; returns how many lines that was.
  int32_t Replace(int32_t index, int32_t length, std::string_view text);

  // The tokens of every line in order, to compare the whole colouring with another document's.
  std::vector<std::vector<TToken>> AllTokens() const;

 private:
  // Appends the lines of Text_[from, to) that start at from; the last one ends at to. A region
  // that ends with a line break holds the empty line after it only when it reaches the text's
  // end as the last line (toTextEnd); otherwise that line lies outside the region.
  void SplitLines(int32_t from, int32_t to, bool toTextEnd, std::vector<int32_t>& starts,
                  std::vector<int32_t>& ends) const;

  std::string Text_;
  std::vector<int32_t> Starts_;     // per line: index of column 1
  std::vector<int32_t> Ends_;       // per line: index of its break, or the text's end
  std::vector<TScanState> States_;  // per line: the scanner's state at column 1
  uint64_t Version_ = 0;
  TChangeLog Changes_;
};

}  // namespace qm
