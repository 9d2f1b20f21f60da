# Skin themes on Win32: the file theme, the theme manager, the built-in style
# pictures and the drawing routines the skinned controls share.
list(APPEND WIN_SOURCES
  src/skin/theme/FileTheme.cpp
  src/skin/theme/StyleBitmaps.cpp
  src/skin/theme/SkinPublic.cpp
  src/skin/theme/ThemeManager.cpp
)
