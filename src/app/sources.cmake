# The program's pure rules are platform-free (host-tested); the windows and
# the files need Win32.
set(CORE_SOURCES
  src/app/SortRules.cpp
  src/app/BackupRules.cpp
)
set(WIN_SOURCES
  src/app/Global.cpp
  src/app/MainForm.cpp
  src/app/Backup.cpp
  src/app/TipsForm.cpp
  src/app/SkinnedDialog.cpp
  src/app/PropertyForm.cpp
  src/app/OptionsForm.cpp
  src/app/StoredControls.cpp
  src/app/StoredFrame.cpp
)
