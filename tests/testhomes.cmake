# SPDX-License-Identifier: GPL-3.0-or-later
# Makes an empty home for each test named in TESTS under ROOT: config, data, cache, runtime and
# temporary folders, the runtime folder private to the user as the XDG rules want it.
file(REMOVE_RECURSE ${ROOT})
foreach(test ${TESTS})
  foreach(dir config data cache runtime tmp)
    file(MAKE_DIRECTORY ${ROOT}/${test}/${dir})
  endforeach()
  file(CHMOD ${ROOT}/${test}/runtime DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
endforeach()
