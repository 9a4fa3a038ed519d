#!/usr/bin/env bash
# How this machine starts 32-bit x86 Linux programs, such as Wine's 32-bit
# loader that runs every x86 Windows program. Prints one word and exits:
#   native       0  the kernel runs them itself
#   emulated     1  they start through an emulator (qemu-i386 in binfmt_misc)
#   unavailable  1  they do not start at all
# A binfmt_misc entry is tried before the kernel's own loader, so a registered
# qemu-i386 entry is used even on a kernel that could run the program itself:
# only starting one tells. qemu's user-mode emulator reads QEMU_VERSION from
# the environment, prints its own version and ends before the program runs;
# the program itself ignores the variable. Starts one process, changes nothing.
loader=/usr/lib/wine/wine
if ! answer=$(QEMU_VERSION=1 "$loader" --version 2>/dev/null); then
  echo unavailable; exit 1
fi
case $answer in
  wine-*) echo native; exit 0 ;;
  *) echo emulated; exit 1 ;;
esac
