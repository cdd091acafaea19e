#!/usr/bin/env bash
# Builds the Debian package, checks it with lintian (no errors allowed; the warnings are
# printed), and tries it on a fresh Debian 12 system: a minimal bookworm made
# with debootstrap in $PLUMETRA_CHROOT (default build-chroot/; kept for the next run), where
# apt installs the package with its dependencies, then both programs print their versions, the
# command line analyses and calibrates the installed example data, and the desktop program
# starts (offscreen) and stays up. Needs root and the Debian mirror.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${PLUMETRA_BUILD_DIR:-$root/build}"
chroot_dir="${PLUMETRA_CHROOT:-$root/build-chroot}"

[ -f "$build/build.ninja" ] || PLUMETRA_BUILD_DIR="$build" bash "$root/scripts/configure.sh" >&2
cmake --build "$build" >&2
(cd "$build" && cpack -G DEB >&2)
package="$(ls -t "$build"/plumetra_*.deb | head -1)"
command -v lintian >/dev/null || apt-get install -y -qq lintian >&2
lintian --fail-on error "$package"

command -v debootstrap >/dev/null || apt-get install -y debootstrap >&2
[ -x "$chroot_dir/usr/bin/apt-get" ] ||
  debootstrap --variant=minbase bookworm "$chroot_dir" http://deb.debian.org/debian >&2
cp "$package" "$chroot_dir/tmp/plumetra.deb"
cp /etc/resolv.conf "$chroot_dir/etc/resolv.conf"
mount -t proc proc "$chroot_dir/proc"
trap 'umount "$chroot_dir/proc"' EXIT

chroot "$chroot_dir" bash -euo pipefail -c '
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq /tmp/plumetra.deb >/dev/null
  unset DISPLAY
  plumetra-cli --version
  plumetra --version
  examples=/usr/share/plumetra/examples
  work=$(mktemp -d)
  plumetra-cli analyze --flocks $examples/flocks.xls --diets $examples/diets.dts --auto-match --sex mixed >/dev/null 2>&1
  plumetra-cli calibrate --flocks $examples/flocks.csv --diets $examples/diets.dts --auto-match --sex mixed \
    --male-breed "Cobb 500" --female-breed "Cobb 500" --out $work --name North >/dev/null 2>&1
  test -s $work/NorthTop.clb
  status=0
  QT_QPA_PLATFORM=offscreen timeout 5 plumetra $examples/flocks.csv >/dev/null 2>&1 || status=$?
  test $status -eq 124  # still running when stopped
  test -f /usr/share/applications/plumetra.desktop
  echo "The package installs and runs on a fresh Debian 12."
'
