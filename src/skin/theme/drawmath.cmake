# Arithmetic of the shared drawing routines (host-tested).
list(APPEND CORE_SOURCES src/skin/theme/DrawMath.cpp)
