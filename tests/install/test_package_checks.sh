#!/bin/sh
# The Debian package as Debian's tools see it:
#   test_package_checks.sh lintian <package.deb>     no error from lintian (warnings are printed)
#   test_package_checks.sh desktop <package.deb>     the installed .desktop file and AppStream data validate
# Exits 77 (skipped) when the tool is not installed.
set -u
what=$1 deb=$2
[ -s "$deb" ] || { echo "no package $deb"; exit 1; }
need() { command -v "$1" >/dev/null || { echo "skipped: $1 is not installed (tools/setup.sh test installs it)"; exit 77; }; }
case $what in
  lintian)
    need lintian
    # Root runs lintian only with this flag; it unpacks the package in its own temporary folder.
    out=$(lintian --allow-root --no-tag-display-limit "$deb" 2>&1)
    echo "$out"
    if echo "$out" | grep -q '^E: '; then echo "lintian found errors"; exit 1; fi
    ;;
  desktop)
    need desktop-file-validate
    need appstreamcli
    tmp=$(mktemp -d)
    trap 'rm -rf "$tmp"' EXIT
    dpkg -x "$deb" "$tmp" || exit 1
    desktop-file-validate "$tmp"/usr/share/applications/*.desktop || { echo "the desktop file is not valid"; exit 1; }
    appstreamcli validate --no-net "$tmp"/usr/share/metainfo/*.metainfo.xml || { echo "the AppStream data is not valid"; exit 1; }
    ;;
  *) echo "usage: $0 lintian|desktop <package.deb>"; exit 2 ;;
esac
echo "package $what ok"
