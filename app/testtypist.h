// SPDX-License-Identifier: GPL-3.0-or-later
// A typist for the tests that end the program by force: it types into the document in front
// through the editor's own key handling, and after each pause, once the recovery record is on
// disk, prints the document's bytes; now and then it saves. Started only when the environment
// variable QUILLMERE_TEST_TYPIST holds a seed.
#pragma once

namespace qm {

class TFrmMain;

// Starts typing once the window has a document; does nothing unless the variable is set.
void StartTestTypist(TFrmMain& window);

}  // namespace qm
