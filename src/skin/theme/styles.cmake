# Built-in style table (kept apart from the theme reader's list).
include_guard(GLOBAL)
list(APPEND CORE_SOURCES src/skin/theme/StyleTable.cpp)
