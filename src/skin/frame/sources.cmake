# Platform-free: the frame's arithmetic (host-tested).
set(CORE_SOURCES
  src/skin/frame/FrameLayout.cpp
)
# On Win32: the skinned popup menu, title bar and form frame.
set(WIN_SOURCES
  src/skin/frame/PopupMenu.cpp
  src/skin/frame/TitleBar.cpp
  src/skin/frame/Form.cpp
)
