// SPDX-License-Identifier: GPL-3.0-or-later
// A drop-down of the standard and extended named colours, each with its swatch.
#pragma once

#include <QComboBox>
#include <optional>

namespace qm {

class TColorBox : public QComboBox {
  Q_OBJECT

 public:
  explicit TColorBox(QWidget* parent = nullptr);

  // The selected colour (red in the low byte), or none without a selection.
  std::optional<int32_t> Selected() const;
  // Selects color when the list offers it; otherwise nothing is selected.
  void Select(std::optional<int32_t> color);
};

}  // namespace qm
