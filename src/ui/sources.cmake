# Components and error texts are platform-free; the rest wraps Win32.
set(CORE_SOURCES src/ui/Component.cpp src/ui/ErrorText.cpp)
set(WIN_SOURCES
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
  src/ui/ComboBox.cpp
  src/ui/StdControls.cpp
  src/ui/Gdi.cpp
  src/ui/Modal.cpp
  src/ui/Files.cpp
  src/ui/Environment.cpp
  src/ui/Accessible.cpp
)
