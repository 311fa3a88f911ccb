#!/usr/bin/env bash
# Creates the test prefix once (64-bit, so 32-bit programs run under WOW64), headless with the
# null graphics driver, and keeps a warm persistent wineserver. Every Wine call here has its
# standard streams on /dev/null: the services it starts must not inherit a caller's pipe.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env"

quiet() { timeout -k 5 180 "$@" </dev/null >/dev/null 2>&1; }

if [ ! -f "$WINEPREFIX/.chainer-ready" ]; then
  echo "prefix: creating $WINEPREFIX"
  rm -rf "$WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  quiet wineboot -i
  quiet wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /t REG_SZ /d null /f
  quiet wineserver -w
  touch "$WINEPREFIX/.chainer-ready"
fi
# A persistent server keeps each later start near 0.3 s; it daemonizes by itself and
# refuses quietly when a server already runs for this prefix.
wineserver -p </dev/null >/dev/null 2>&1 || true
quiet wine wineboot
