#!/usr/bin/env bash
# Installs what building and testing need, from Debian's packages only.
# Idempotent: a machine that already has everything returns in about a second.
set -euo pipefail

PACKAGES=(
  cmake ninja-build make
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
  googletest
  clang libclang-rt-14-dev
  wine wine64 wine32:i386
  wixl
  python3 python3-pytest python3-pyftpdlib
  xvfb xauth imagemagick
)
QEMU=/usr/local/bin/qemu-i386

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

missing_packages() {
  local p
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}

install_packages() {
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
    as_root apt-get update -qq
  fi
  local todo
  todo=$(missing_packages)
  [ -z "$todo" ] && return 0
  echo "bootstrap: installing:" $todo
  as_root apt-get update -qq
  # shellcheck disable=SC2086
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $todo >/dev/null
}

# A tiny static i386 ELF that calls exit(0): the probe for 32-bit execution.
write_probe() {
  /usr/bin/python3 - "$1" <<'PY'
import struct, sys
code = bytes.fromhex("b801000000" "31db" "cd80")           # mov eax,1; xor ebx,ebx; int 0x80
base, ehsize, phsize = 0x08048000, 52, 32
entry = base + ehsize + phsize
eh = b"\x7fELF\x01\x01\x01" + bytes(9) + struct.pack("<HHIIIIIHHHHHH",
     2, 3, 1, entry, ehsize, 0, 0, ehsize, phsize, 1, 0, 0, 0)
size = ehsize + phsize + len(code)
ph = struct.pack("<IIIIIIII", 1, 0, base, base, size, size, 5, 0x1000)
open(sys.argv[1], "wb").write(eh + ph + code)
PY
  chmod +x "$1"
}

runs_32bit() {
  local probe
  probe=$(mktemp /tmp/probe32.XXXXXX)
  write_probe "$probe"
  local ok=1
  "$probe" 2>/dev/null && ok=0
  rm -f "$probe"
  return $ok
}

install_qemu() {
  [ -x "$QEMU" ] && return 0
  echo "bootstrap: fetching qemu-i386 from bookworm-backports"
  local work; work=$(mktemp -d); chmod 755 "$work"
  mkdir -p "$work/lists/partial"
  echo "deb http://deb.debian.org/debian bookworm-backports main" > "$work/sources.list"
  local aptopts=(-o Dir::Etc::sourcelist="$work/sources.list" -o Dir::Etc::sourceparts=-
                 -o Dir::State::lists="$work/lists" -o APT::Get::List-Cleanup=0)
  apt-get "${aptopts[@]}" update -qq
  (cd "$work" && apt-get "${aptopts[@]}" download -qq qemu-user/bookworm-backports)
  dpkg-deb --fsys-tarfile "$work"/qemu-user_*.deb | tar -x -C "$work" ./usr/bin/qemu-i386
  as_root install -m 0755 "$work/usr/bin/qemu-i386" "$QEMU"
  rm -rf "$work"
}

register_binfmt() {
  runs_32bit && return 0
  install_qemu
  local fs=/proc/sys/fs/binfmt_misc
  [ -e "$fs/register" ] || as_root mount -t binfmt_misc binfmt_misc "$fs"
  if [ -e "$fs/qemu-i386" ]; then echo -1 | as_root tee "$fs/qemu-i386" >/dev/null; fi
  local magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  local mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  echo ":qemu-i386:M::$magic:$mask:$QEMU:F" | as_root tee "$fs/register" >/dev/null
  runs_32bit || { echo "bootstrap: 32-bit programs still do not run" >&2; exit 1; }
}

install_packages
register_binfmt
