# The web page's build: the drawing code compiled to WebAssembly with Debian's emscripten.
#   cmake -S . -B build/web -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/emscripten.cmake
# Its programs run under node (the test emulator).
set(EMSCRIPTEN_SYSTEM_PROCESSOR wasm32)
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)
# emcc's JavaScript optimiser needs Node's acorn, which Debian keeps where node doesn't look
# by itself.
set_property(GLOBAL PROPERTY RULE_LAUNCH_LINK "env NODE_PATH=/usr/share/nodejs")
