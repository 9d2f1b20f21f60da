# Skin themes: archive reader, description parser, key names, style choice.
list(APPEND CORE_SOURCES
  src/skin/theme/SkinArchive.cpp
  src/skin/theme/BmpCheck.cpp
  src/skin/theme/SkinDescription.cpp
  src/skin/theme/SkinKeys.cpp
  src/skin/theme/FileThemeMgr.cpp
)

# The skin packer's writer: tests, fuzz seeds and benchmarks of both builds make
# their skins with it. The exe never references it, so the linker leaves it out.
list(APPEND CORE_SOURCES tools/skinpack/SkinWriter.cpp)
