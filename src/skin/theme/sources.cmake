# Platform-free: archive reader, description parser, key names, built-in style table
# and the arithmetic of the drawing routines (host-tested and fuzzed).
set(CORE_SOURCES
  src/skin/theme/SkinArchive.cpp
  src/skin/theme/BmpCheck.cpp
  src/skin/theme/SkinDescription.cpp
  src/skin/theme/SkinKeys.cpp
  src/skin/theme/FileThemeManager.cpp
  src/skin/theme/StyleTable.cpp
  src/skin/theme/DrawMath.cpp
)
# On Win32: the file theme, the theme manager, the built-in style pictures and the
# drawing routines the skinned controls share.
set(WIN_SOURCES
  src/skin/theme/FileTheme.cpp
  src/skin/theme/StyleBitmaps.cpp
  src/skin/theme/SkinPublic.cpp
  src/skin/theme/ThemeManager.cpp
  src/skin/theme/Look.cpp
)
