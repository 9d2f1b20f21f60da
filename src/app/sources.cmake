list(APPEND CORE_SOURCES
  src/app/SortRules.cpp
)
list(APPEND WIN_SOURCES
  src/app/Global.cpp
  src/app/Store.cpp
  src/app/MainForm.cpp
)
