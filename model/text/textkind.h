// SPDX-License-Identifier: GPL-3.0-or-later
// Whether a file's bytes are text at all, asked before a file is opened: an executable or an
// image opened by mistake is better questioned than shown as a screen of control characters.
#pragma once

#include <string_view>

namespace qm {

// False for bytes holding a NUL, or more than one in twenty bytes that are control characters
// other than the layout ones (tab, line breaks, form feed, escape). Any 8-bit encoding is text.
bool LooksLikeText(std::string_view bytes);

}  // namespace qm
