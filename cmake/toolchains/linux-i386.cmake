# A 32-bit x86 Linux build, run under qemu-i386 on machines that can't run 32-bit programs
# themselves. It checks that 32-bit x86 arithmetic (SSE2, as in the 32-bit Windows product)
# computes exactly what the 64-bit builds compute.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
set(CMAKE_C_FLAGS_INIT -m32)
set(CMAKE_CXX_FLAGS_INIT -m32)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-m32 -static")
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-i386)
