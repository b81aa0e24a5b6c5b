#!/usr/bin/env bash
# Installs the build into a staging folder and uses it from there, as a packaged system
# would: the tools run, nothing points back into the build tree, the desktop files
# validate, and a client built from the installed development files finds QorCommon1
# through the system registry, with a user's registration taking precedence.
#   installed_tree_test.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
scratch=$(mktemp -d)
trap 'chmod -R u+w "$scratch"; rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

root="$scratch/root"
DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null
usr="$root/usr"
lib="$usr/lib/quillan"

# The tree: every program and library where the install rules put them.
for file in bin/Quillan1 bin/quillan-blend bin/qorregsvr \
            lib/quillan/QorCommon1.so lib/quillan/QorCommon1Gui.so lib/quillan/libQorPlatform.so \
            lib/quillan/quillan_label_pdf.so \
            lib/pkgconfig/qorcommon1.pc share/doc/quillan/copyright share/doc/quillan/changelog.gz \
            include/quillan/QorCommon1.h include/quillan/qor/com_api.h \
            share/qorcommon1/QorCommon1.tlb \
            share/applications/io.github.quillan.Quillan1.desktop \
            share/metainfo/io.github.quillan.Quillan1.metainfo.xml \
            share/icons/hicolor/48x48/apps/quillan.png \
            share/man/man1/Quillan1.1.gz share/man/man1/quillan-blend.1.gz share/man/man1/qorregsvr.1.gz; do
  [ -f "$usr/$file" ] || fail "not installed: $file"
done

# Only $ORIGIN-relative search paths, and no trace of the build tree in any text file. The
# programs and libraries are checked by their run paths alone: the debug information of a
# build with -g, as Debian makes packages, names the build tree, harmlessly.
while IFS= read -r elf; do
  runpath=$(readelf -d "$elf" | sed -n 's/.*(\(RUNPATH\|RPATH\)).*\[\(.*\)\]/\2/p')
  for entry in ${runpath//:/ }; do
    case "$entry" in '$ORIGIN'*) ;; *) fail "$elf searches $entry" ;; esac
  done
done < <(find "$usr/bin" "$lib" -type f \( -name '*.so' -o -perm -u+x \))
! grep -rlIF "$build" "$root" || fail "installed text files name the build tree"

# The tools run from the staging tree.
"$usr/bin/quillan-blend" --have 0/21 --want 3000/32 | grep -q "^Ending PSI should be 3000" ||
  fail "installed quillan-blend"
# The label's PDF comes from the Qt module in lib/quillan/.
log="$scratch/fills.sqlite"
"$usr/bin/quillan-blend" --have 0/21 --want 3000/32 --log --customer A --cylinder-serial S \
  --log-file "$log" >/dev/null 2>&1 || fail "installed quillan-blend --log"
"$usr/bin/quillan-blend" log analyse 1 --o2 32 --analyst C --log-file "$log" >/dev/null ||
  fail "installed quillan-blend log analyse"
"$usr/bin/quillan-blend" log label 1 --pdf "$scratch/label.pdf" --log-file "$log" 2>/dev/null ||
  fail "installed quillan-blend log label --pdf"
pdftotext "$scratch/label.pdf" - | grep -q "^Nitrox 32" || fail "the installed label's PDF"
usage=$("$usr/bin/qorregsvr" 2>&1) && fail "qorregsvr without arguments succeeded"
grep -q "usage: qorregsvr" <<<"$usage" || fail "installed qorregsvr: $usage"

desktop-file-validate "$usr/share/applications/io.github.quillan.Quillan1.desktop"
appstreamcli validate --no-net "$usr/share/metainfo/io.github.quillan.Quillan1.metainfo.xml"

# A client from the installed header and pkg-config only.
client="$scratch/client"
# shellcheck disable=SC2046
c++ -std=c++20 -o "$client" "$(dirname "$0")/installed_client.cpp" \
  $(pkg-config --cflags --libs "$usr/lib/pkgconfig/qorcommon1.pc") -ldl

export HOME="$scratch/home" XDG_DATA_HOME="$scratch/home/data" XDG_DATA_DIRS="$usr/share"
mkdir -p "$XDG_DATA_HOME"
system_registry="$usr/share/quillan/registry"

# Nothing registered yet: creation fails.
! "$client" 2>/dev/null || fail "created Common with nothing registered"

# System-wide registration, then the client finds the installed library through it.
"$usr/bin/qorregsvr" --system "$lib/QorCommon1.so" >/dev/null
[ "$(stat -c %a "$system_registry")" = 644 ] || fail "the system registry is not readable by all"
[ -z "$(ls -A "$XDG_DATA_HOME")" ] || fail "--system wrote into the user's folder"
[ "$("$client")" = "$lib/QorCommon1.so" ] || fail "the system registration was not used"

# A user's own copy, registered for the user, takes precedence...
user_lib="$scratch/home/own"
mkdir -p "$user_lib"
cp "$lib/QorCommon1.so" "$lib/QorCommon1Gui.so" "$lib/libQorPlatform.so" "$user_lib/"
cp "$system_registry" "$scratch/system-before"
"$usr/bin/qorregsvr" "$user_lib/QorCommon1.so" >/dev/null
[ "$("$client")" = "$user_lib/QorCommon1.so" ] || fail "the user's registration did not win"

# ...and unregistering it falls back to the system one, which stays as it was.
"$usr/bin/qorregsvr" -u "$user_lib/QorCommon1.so" >/dev/null
[ "$("$client")" = "$lib/QorCommon1.so" ] || fail "no fallback to the system registration"
cmp -s "$system_registry" "$scratch/system-before" || fail "a user's unregistration changed the system"

# A caller who may not write the system folder is refused, with a reason.
if [ "$(id -u)" = 0 ]; then
  as_other() { setpriv --reuid=65534 --regid=65534 --clear-groups "$@"; }
  chmod -R a+rX "$scratch"
else
  as_other() { "$@"; }
  chmod a-w "$usr/share/quillan"
fi
status=0
message=$(as_other env XDG_DATA_DIRS="$usr/share" "$usr/bin/qorregsvr" --system -u \
  "$lib/QorCommon1.so" 2>&1) || status=$?
[ "$status" = 5 ] || fail "an unprivileged --system ended with $status"
grep -q "needs root" <<<"$message" || fail "no reason given: $message"
chmod u+w "$usr/share/quillan"
cmp -s "$system_registry" "$scratch/system-before" || fail "a refused caller changed the system"

# Removing the system registration leaves the library unregistered.
"$usr/bin/qorregsvr" --system -u "$lib/QorCommon1.so" >/dev/null
! "$client" 2>/dev/null || fail "created Common after the system unregistration"
# Only the bare parent keys (CLSID, Interface, TypeLib) may stay: no value, so no entry.
! grep -q '^[@"]' "$system_registry" || fail "entries remain in the system registry"
echo "installed tree OK"
