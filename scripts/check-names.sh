#!/usr/bin/env bash
# Checks that every identifier of the project's own sources follows the one naming convention
# (.clang-tidy; docs/architecture.md, "Names"), with clang-tidy 16's identifier-naming check
# over the build's compile commands ($PLUMETRA_BUILD_DIR, default build/). The libraries are
# unity builds: checking each batch file checks every source file in it once, and the headers
# of the project (never those of a library) are checked wherever they are included. The fuzz
# targets are checked with the flags of the core's tests when the build does not make them.
# Exit status 1 names every identifier to rename.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${PLUMETRA_BUILD_DIR:-$root/build}"
started=$SECONDS
folders='analysis|bench|calibration|cli|controls|desktop|files|fuzz|model|presenters|report|state|tests|workspace'

for tool in clang-tidy-16 run-clang-tidy-16; do
  command -v "$tool" >/dev/null || { echo "check-names.sh: $tool is missing (bash scripts/install-deps.sh guards)" >&2; exit 2; }
done
if [ ! -f "$build/compile_commands.json" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
# The desktop's tests include the files Qt's moc writes for them (there once build/ is built).
if [ -z "$(find "$build" -path '*_autogen/include*' -name '*.moc' -print -quit)" ]; then
  autogen=$(ninja -C "$build" -t targets all | sed -n 's/^\([A-Za-z0-9_.-]*_autogen\): .*/\1/p')
  [ -z "$autogen" ] || ninja -C "$build" $autogen >/dev/null
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
python3 - "$root" "$build" "$work" "$folders" <<'PY'
import json, os, re, shlex, subprocess, sys
root, build, work, folders = sys.argv[1:]
ours = re.compile('^' + re.escape(root) + '/(' + folders + ')/')
entries, covered = [], set()
for e in json.load(open(os.path.join(build, 'compile_commands.json'))):
    f = e['file']
    if '/Unity/unity_' in f:
        covered.update(re.findall(r'#include "([^"]+)"', open(f).read()))
    elif ours.match(f):
        covered.add(f)
    else:
        continue  # moc's and rcc's output, the precompiled header
    args = e['arguments'] if 'arguments' in e else shlex.split(e['command'])
    # GCC's own warning options and -Werror mean nothing to the naming check.
    args = [a for a in args if not a.startswith('-Werror') and a != '-Wno-restrict']
    entries.append({'directory': e['directory'], 'file': f, 'arguments': args})
# The fuzz targets take the flags of a core test when the build has none of them.
tests = [e for e in entries if '/tests/analysis/' in e['file']]
sources = subprocess.run(['git', '-C', root, 'ls-files', '*.cpp'], capture_output=True, text=True,
                         check=True).stdout.split()
for source in sources:
    path = os.path.join(root, source)
    if path in covered or not ours.match(path):
        continue
    if source.startswith('fuzz/') and tests:
        args = [a for a in tests[0]['arguments'] if a not in ('-o', '-c') and not a.endswith('.o')
                and a != tests[0]['file']]
        args += ['-DFLOCK_FILE_NAME="flocks.csv"', '-c', path]
        entries.append({'directory': tests[0]['directory'], 'file': path, 'arguments': args})
        covered.add(path)
    else:
        print(f'check-names.sh: {source} is in no compile command of {build}', file=sys.stderr)
        sys.exit(2)
json.dump(entries, open(os.path.join(work, 'compile_commands.json'), 'w'))
PY

nice -n 5 run-clang-tidy-16 -quiet -j "$(nproc)" -p "$work" -clang-tidy-binary "$(command -v clang-tidy-16)" \
  -header-filter "^$root/($folders)/" >"$work/out" 2>"$work/err" || true
# A header included by several files is reported once; a file that does not compile says why.
problems=$(grep -E '^/.*: (warning|error): ' "$work/out" | sed "s|^$root/||" | sort -u || true)
echo "Names check: $((SECONDS - started)) s" >&2
if [ -n "$problems" ]; then
  echo "Names that break the convention (.clang-tidy; docs/architecture.md, \"Names\"):"
  echo "$problems"
  exit 1
fi
echo "every name follows the convention"
