# Components are platform-free; the rest wraps Win32.
list(APPEND CORE_SOURCES src/ui/Component.cpp)
list(APPEND WIN_SOURCES
  src/ui/Control.cpp
  src/ui/Form.cpp
  src/ui/Application.cpp
  src/ui/Errors.cpp
  src/ui/UserPrompt.cpp
  src/ui/Actions.cpp
  src/ui/ImageList.cpp
  src/ui/ToolBar.cpp
  src/ui/ListView.cpp
  src/ui/Registry.cpp
  src/ui/IniFile.cpp
)
list(APPEND WIN_SOURCES
  src/ui/ComboBox.cpp
)
list(APPEND WIN_SOURCES
  src/ui/StdControls.cpp
)
