# The test library's folders point down: ui/ uses elements/ and data/, elements/ uses data/, never
# the other way. Run with -DLIBRARY=<the ZeltorTests folder>; fails naming every include of data/
# that names a header of elements/ or ui/, and every include of elements/ that names one of ui/
# (includes name their folder, "ui/XQuery.h").

set(violations "")
foreach(rule "data:elements" "data:ui" "elements:ui")
  string(REPLACE ":" ";" rule "${rule}")
  list(GET rule 0 user)
  list(GET rule 1 used)
  file(GLOB sources "${LIBRARY}/${user}/*.h" "${LIBRARY}/${user}/*.cpp")
  foreach(source ${sources})
    file(STRINGS "${source}" lines REGEX "^#include \"")
    foreach(line ${lines})
      string(REGEX REPLACE "^#include \"([^\"]*)\".*" "\\1" included "${line}")
      get_filename_component(folder "${included}" DIRECTORY)
      if(folder STREQUAL used)
        file(RELATIVE_PATH shown "${LIBRARY}" "${source}")
        string(APPEND violations "\n  ${shown} includes \"${included}\" of ${used}/")
      endif()
    endforeach()
  endforeach()
endforeach()

if(violations)
  message(FATAL_ERROR "A folder of the test library uses one above it:${violations}")
endif()
