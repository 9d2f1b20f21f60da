# The layout arithmetic is platform-free (host-tested); the controls need Win32.
set(CORE_SOURCES
  src/skin/controls/ControlGeometry.cpp
)
set(WIN_SOURCES
)
