# The rules for paths, INI numbers and the hand-over format are platform-free
# (host-tested); the registry and the options file need Win32.
set(CORE_SOURCES
  src/store/IniNumbers.cpp
  src/store/PathRules.cpp
  src/store/Handover.cpp
)
set(WIN_SOURCES
  src/store/Store.cpp
  src/store/Options.cpp
)
