# The layout arithmetic is platform-free (host-tested); the controls need Win32.
set(CORE_SOURCES
  src/skin/controls/ControlGeometry.cpp
)
set(WIN_SOURCES
  src/skin/controls/DialogKeys.cpp
  src/skin/controls/Button.cpp
  src/skin/controls/CheckBox.cpp
  src/skin/controls/GroupBox.cpp
  src/skin/controls/Edit.cpp
  src/skin/controls/ToolBar.cpp
  src/skin/controls/ControlAccessibility.cpp
)
