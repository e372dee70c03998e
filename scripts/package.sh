#!/usr/bin/env bash
# Builds the Debian package vexa-connect_<version>_<arch>.deb from the default preset's build tree: only the
# two programs and what the package holds besides them are built, so after scripts/test.sh it takes
# seconds. --dbgsym also packs the programs' debug information into vexa-connect-dbgsym_<version>_<arch>.ddeb.
# The last line printed is the package's path.
set -euo pipefail
cd "$(dirname "$0")/.."

dbgsym=()
case "${1:-}" in
"") ;;
--dbgsym) dbgsym=(-D CPACK_DEBIAN_DEBUGINFO_PACKAGE=ON -D CPACK_STRIP_FILES=OFF) ;;
*) echo "usage: scripts/package.sh [--dbgsym]" >&2; exit 2 ;;
esac

scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target vexa-connect vexa-connect-cli vexa-package-files

build=build/default
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
# The package's changelog has to tell what this version brings.
changelog_version=$(dpkg-parsechangelog -l packaging/debian/changelog -S Version)
if [ "$changelog_version" != "$version" ]; then
  echo "packaging/debian/changelog starts with $changelog_version, the program is $version: add its entry" >&2
  exit 1
fi

(cd "$build" && cpack -G DEB "${dbgsym[@]}" >/dev/null)
echo "$PWD/$build/vexa-connect_${version}_$(dpkg --print-architecture).deb"
