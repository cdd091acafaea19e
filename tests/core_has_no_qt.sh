#!/bin/sh
# Fails when a file of the Qt-free core includes a Qt header.
root="$1"
hits=$(grep -rnE '#\s*include\s*[<"](Q[A-Za-z]|Qt[A-Za-z]*/)' \
  "$root/views" "$root/state" "$root/workspace" "$root/model" "$root/calibration" "$root/analysis" \
  --include='*.h' --include='*.cpp' 2>/dev/null | grep -v "^$root/views/qt/")
if [ -n "$hits" ]; then
  echo "Qt headers in the core:"; echo "$hits"; exit 1
fi
echo "core is Qt-free"
