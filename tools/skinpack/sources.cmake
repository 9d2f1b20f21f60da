# The skin packer's writer: the packer, and the tests, fuzz seeds and benchmarks of
# both builds make their skins with it. Not part of the program.
set(CORE_SOURCES tools/skinpack/SkinWriter.cpp)
set(WIN_SOURCES)
