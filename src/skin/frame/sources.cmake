# Platform-free: the frame's arithmetic (host-tested).
set(CORE_SOURCES
  src/skin/frame/FrameLayout.cpp
  src/skin/frame/MenuBarLayout.cpp
)
# On Win32: the skinned menus, menu bar, title bar and form frame.
set(WIN_SOURCES
  src/skin/frame/PopupMenu.cpp
  src/skin/frame/MainMenu.cpp
  src/skin/frame/MenuBar.cpp
  src/skin/frame/FrameImage.cpp
  src/skin/frame/TitleBar.cpp
  src/skin/frame/TitleBarItems.cpp
  src/skin/frame/TitleBarSystemMenu.cpp
  src/skin/frame/TitleBarPaint.cpp
  src/skin/frame/FramePanel.cpp
  src/skin/frame/FramePanelNonClient.cpp
  src/skin/frame/FramePanelMenuBar.cpp
  src/skin/frame/FramePanelPaint.cpp
  src/skin/frame/FramePanelRegion.cpp
  src/skin/frame/FramePanelKeys.cpp
  src/skin/frame/FrameAccessibility.cpp
)
