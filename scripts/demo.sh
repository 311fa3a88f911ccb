#!/usr/bin/env bash
# Runs the chainer on the bundled example: copies it as setup.exe beside examples/demo/setup.ini
# into a fresh folder of the test prefix, runs it under Wine and shows what it did.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env"

demo="$WINEPREFIX/drive_c/demo"
rm -rf "$demo"
mkdir -p "$demo"
cp "$ROOT"/examples/demo/* "$demo/"
cp "$ROOT/build/win32/chainer.exe" "$demo/setup.exe"
[ -f "$ROOT/build/win32/fixture.exe" ] && cp "$ROOT/build/win32/fixture.exe" "$demo/demo-runtime-setup.exe"

echo "== C:\\demo before the run"
(cd "$demo" && ls -1)
echo "== running C:\\demo\\setup.exe"
set +e
timeout -k 5 120 wine 'C:\demo\setup.exe' </dev/null >/dev/null 2>&1
code=$?
set -e
[ $code -gt 127 ] && code=$((code - 256))
echo "exit code: $code"
# The self-deleting clean-up scripts run after the process has ended; cmd takes a few seconds
# to start under Wine.
for _ in $(seq 100); do
  [ -e "$demo/setup.exe" ] || break
  sleep 0.2
done
if [ -d "$demo" ]; then
  echo "== C:\\demo after the run"
  (cd "$demo" && ls -1)
  if [ -f "$demo/setup.log" ]; then
    echo "== setup.log"
    iconv -f UTF-16 -t UTF-8 "$demo/setup.log" | tr -d '\r'
  fi
else
  echo "== C:\\demo is gone"
fi
