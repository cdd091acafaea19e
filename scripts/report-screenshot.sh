#!/usr/bin/env bash
# Renders a report.html with headless Chromium and saves a PNG screenshot of its first page.
#   scripts/report-screenshot.sh REPORT.html SHOT.png [WIDTH,HEIGHT]
# Exits 77 (a skipped test) when Chromium is not installed, 1 when it renders nothing.
set -euo pipefail
report="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
shot="$2"
size="${3:-1100,2400}"
browser="$(command -v chromium || command -v chromium-browser || true)"
if [ -z "$browser" ]; then
  echo "Chromium is not installed: no screenshot of $report" >&2
  exit 77
fi
rm -f "$shot"
profile="$(mktemp -d)"
trap 'rm -rf "$profile"' EXIT
timeout 120 "$browser" --headless --no-sandbox --disable-gpu --disable-background-networking --no-first-run \
  --hide-scrollbars --user-data-dir="$profile" --window-size="$size" --screenshot="$shot" "file://$report" \
  >/dev/null 2>&1 || true
# A PNG starts with the bytes 0x89 "PNG".
if [ ! -s "$shot" ] || [ "$(head -c 4 "$shot" | tail -c 3)" != "PNG" ]; then
  echo "Chromium wrote no screenshot of $report" >&2
  exit 1
fi
echo "Screenshot: $shot"
