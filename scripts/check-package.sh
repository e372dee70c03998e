#!/usr/bin/env bash
# Builds the Debian package (scripts/package.sh) from the default preset's build tree and checks it as a
# user's machine meets it: its control data and contents shown; unpacked, the installed command-line tool
# on the installed demo gauge gives what the build tree's gives, both programs tell the package's version,
# the desktop entry and AppStream metainfo validate, and the font alias makes "Lucida Console" monospaced;
# lintian, where installed, lists its findings and fails the check on an error.
set -euo pipefail
cd "$(dirname "$0")/.."
started=$SECONDS

deb=$(scripts/package.sh | tail -n 1)
echo "== $deb"
dpkg-deb --info "$deb"
dpkg-deb --contents "$deb"
version=$(dpkg-deb --field "$deb" Version)

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
root=$scratch/root
dpkg -x "$deb" "$root"

fail() {
  echo "check-package: $*" >&2
  exit 1
}

# Each run in a home of its own, so that neither reads settings the other or the user wrote.
cli() {
  local home
  home=$(mktemp -d "$scratch/home.XXXX")
  env HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" LC_ALL=C.UTF-8 "$@"
}
echo "== the installed vexa-connect-cli on the installed demo gauge"
installed=$(cli "$root/usr/bin/vexa-connect-cli" --simulate "$root/usr/share/vexa-connect/examples/qy-coating.json" \
  download m001)
built=$(cli build/default/vexa-connect-cli --simulate examples/gauges/qy-coating.json download m001)
if [ "$installed" != "$built" ]; then
  diff <(echo "$built") <(echo "$installed") || true
  fail "the installed vexa-connect-cli downloads other JSON than the build tree's"
fi
echo "same JSON as the build tree's: $(echo "$installed" | wc -c) bytes"

echo "== --version, without a screen"
for program in vexa-connect vexa-connect-cli; do
  first=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/$program" --version | head -n 1)
  echo "$first"
  [ "$first" = "$program $version" ] || fail "$program --version says \"$first\", the package is $version"
done

echo "== desktop entry and AppStream metainfo"
desktop-file-validate "$root"/usr/share/applications/*.desktop
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml

echo "== fontconfig alias"
link=$(find "$root/etc/fonts/conf.d" -name '*.conf')
alias=$root$(readlink "$link")
[ -f "$alias" ] || fail "$link points to $(readlink "$link"), which the package does not hold"
cat >"$scratch/fonts.conf" <<CONF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <include>/etc/fonts/fonts.conf</include>
  <include>$alias</include>
</fontconfig>
CONF
FONTCONFIG_FILE=$scratch/fonts.conf fc-match -f '%{family[0]} (%{file}), spacing %{spacing}\n' "Lucida Console" |
  tee "$scratch/match"
# fontconfig's spacing 100 is monospaced.
grep -q 'spacing 100$' "$scratch/match" || fail "\"Lucida Console\" is no monospaced font with the alias"

if command -v lintian >/dev/null; then
  echo "== lintian"
  status=0
  lintian --fail-on error --display-info "$deb" >"$scratch/lintian" 2>&1 || status=$?
  grep -v '^running with root privileges' "$scratch/lintian" || true
  [ "$status" -eq 0 ] || fail "lintian found errors"
else
  echo "== lintian is not installed: skipped"
fi

echo "package checked in $((SECONDS - started)) s"
