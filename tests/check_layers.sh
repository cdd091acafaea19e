#!/bin/sh
# Keeps the folder map honest: the core includes no Qt header, and a core folder includes only
# itself and the folders below it (the order below, lowest first).
root="$1"
layers="controls files workspace model calibration analysis state presenters report"
status=0

qt=$(cd "$root" && grep -rnE '#\s*include\s*[<"](Q[A-Za-z]|Qt[A-Za-z]*/)' $layers \
  --include='*.h' --include='*.cpp' 2>/dev/null)
if [ -n "$qt" ]; then
  echo "Qt headers in the core:"; echo "$qt"; status=1
fi

allowed=""
for layer in $layers; do
  allowed="$allowed $layer"
  pattern=$(echo "$allowed" | sed 's/^ //; s/ /|/g')
  upward=$(cd "$root" && grep -rnE '#\s*include\s*"[a-z_]+/' "$layer" --include='*.h' --include='*.cpp' |
    grep -vE "#\s*include\s*\"($pattern)/")
  if [ -n "$upward" ]; then
    echo "$layer includes a folder above it:"; echo "$upward"; status=1
  fi
done

[ $status -eq 0 ] && echo "core is Qt-free and layered: $layers"
exit $status
