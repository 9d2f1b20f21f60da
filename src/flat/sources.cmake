list(APPEND CORE_SOURCES
  src/flat/HSLUtils.cpp
  src/flat/FlatColors.cpp
  src/flat/FlatButtonMetrics.cpp
  src/flat/FlatComboMetrics.cpp
)
include(${CMAKE_SOURCE_DIR}/src/skin/theme/styles.cmake OPTIONAL)
