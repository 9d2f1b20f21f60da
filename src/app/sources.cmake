list(APPEND CORE_SOURCES
  src/app/SortRules.cpp
  src/app/IniNumbers.cpp
)
list(APPEND WIN_SOURCES
  src/app/Global.cpp
  src/app/Store.cpp
  src/app/MainForm.cpp
)
list(APPEND CORE_SOURCES
  src/app/BackupRules.cpp
)
list(APPEND WIN_SOURCES
  src/app/Backup.cpp
  src/app/ShowTips.cpp
)
list(APPEND CORE_SOURCES
  src/app/PathRules.cpp
)
list(APPEND WIN_SOURCES
  src/app/AddItem.cpp
  src/app/Options.cpp
)
