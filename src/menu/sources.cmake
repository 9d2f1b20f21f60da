# The menu's texts and id arithmetic are platform-free; the COM objects need Win32.
# The DLL's entry points (Exports.cpp) are built into the DLL itself, not this library.
set(CORE_SOURCES src/menu/MenuRules.cpp)
set(WIN_SOURCES
  src/menu/Module.cpp
  src/menu/ContextMenu.cpp
  src/menu/ClassFactory.cpp
  src/menu/Commands.cpp
  src/menu/OpenFolders.cpp
  src/menu/Registration.cpp
)
