// SPDX-License-Identifier: GPL-3.0-or-later
// The model's texts (UTF-8: catalogue names, values, picker captions) as Qt strings.
#pragma once

#include <QString>
#include <string_view>

namespace qm {

inline QString FromModel(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace qm
