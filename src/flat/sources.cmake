# Colour and layout arithmetic (host-tested); the controls themselves need Win32.
set(CORE_SOURCES
  src/flat/HSLUtils.cpp
  src/flat/FlatColors.cpp
  src/flat/FlatButtonMetrics.cpp
  src/flat/FlatComboMetrics.cpp
)
set(WIN_SOURCES
  src/flat/FlatUtilities.cpp
  src/flat/FlatButton.cpp
  src/flat/FlatComboBox.cpp
  src/flat/FlatAccessibility.cpp
)
