# The flat controls' Win32 side.
list(APPEND WIN_SOURCES
  src/flat/FlatUtilitys.cpp
  src/flat/TFlatButtonUnit.cpp
  src/flat/TFlatComboBoxUnit.cpp
)
