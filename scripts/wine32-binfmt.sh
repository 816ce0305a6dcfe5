#!/usr/bin/env bash
# Makes 32-bit wine runnable: where the kernel runs 32-bit x86 programs itself
# this does nothing; where its 32-bit support is switched off ("Exec format
# error"), it registers qemu's i386 user-mode emulator for 32-bit ELF programs
# through binfmt_misc, so that 32-bit wine runs under emulation.
#   wine32-binfmt.sh          register only when needed
#   wine32-binfmt.sh --force  register even where 32-bit code runs natively
#                             (to try the emulated path; undo with
#                             `echo -1 > /proc/sys/fs/binfmt_misc/qemu-i386`)
# Needs root when it registers. Safe to run again.
set -euo pipefail

loader=/usr/lib/wine/wine  # the 32-bit wine loader, from wine32:i386
emulator=/usr/bin/qemu-i386-static
entry=/proc/sys/fs/binfmt_misc/qemu-i386

runs_32bit() { "$loader" --version >/dev/null 2>&1; }

if [[ ! -x $loader ]]; then
  echo "wine32-binfmt: $loader is missing: install wine32:i386 first" >&2
  exit 1
fi
if [[ ${1:-} != --force ]] && runs_32bit; then
  exit 0
fi
if [[ -e $entry ]]; then
  runs_32bit && exit 0
  echo "wine32-binfmt: $entry is registered, yet $loader does not run" >&2
  exit 1
fi

if [[ $EUID -ne 0 ]]; then
  exec sudo "$0" "$@"
fi
if [[ ! -x $emulator ]]; then
  echo "wine32-binfmt: $emulator is missing: install qemu-user-static first" >&2
  exit 1
fi
if [[ ! -e /proc/sys/fs/binfmt_misc/register ]]; then
  mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
fi
# An i386 ELF executable or shared object (e_ident class 32-bit, little
# endian; e_machine 3). F: the kernel opens the emulator now, so that it is
# found from inside any mount namespace or chroot the program runs in.
magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
echo ":qemu-i386:M::$magic:$mask:$emulator:F" > /proc/sys/fs/binfmt_misc/register
if ! runs_32bit; then
  echo "wine32-binfmt: $loader does not run even under $emulator" >&2
  exit 1
fi
echo "wine32-binfmt: 32-bit programs now run under $emulator" >&2
