#!/usr/bin/env bash
# Builds the Debian package from the build tree and checks that it holds exactly what the
# install rules put into a /usr tree, with the maintainer scripts that register the
# library, and dependencies worked out from the shared libraries.
#   package_contents_test.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$scratch" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" >/dev/null)
deb=$(find "$scratch/out" -maxdepth 1 -name 'quillan_*.deb')
[ -n "$deb" ] || fail "no package was built"

DESTDIR="$scratch/root" cmake --install "$build" --prefix /usr >/dev/null
(cd "$scratch/root" && find . -type f -o -type l) | sed 's#^\./#/#' | sort >"$scratch/installed"
dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sed 's#^\./#/#' | sort >"$scratch/packaged"
diff -u "$scratch/installed" "$scratch/packaged" || fail "the package differs from the install rules"

dpkg-deb --ctrl-tarfile "$deb" | tar -t | sort >"$scratch/control"
for script in postinst prerm postrm md5sums; do
  grep -qx "./$script" "$scratch/control" || fail "the package has no $script"
done
dpkg-deb -I "$deb" postinst | grep -q "qorregsvr --system" || fail "postinst does not register"
dpkg-deb -I "$deb" prerm | grep -q "qorregsvr --system -u" || fail "prerm does not unregister"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libqt6widgets6 libstdc++6; do
  grep -q "$library" <<<"$depends" || fail "Depends lacks $library: $depends"
done
# The maintainer scripts on the staged tree: a damaged system registry fails none and is
# left as it was, and a purge leaves nothing, not even an interrupted write.
dpkg-deb -e "$deb" "$scratch/scripts"
system="$scratch/root/usr/share/quillan"
run() { sed "s#/usr/#$scratch/root/usr/#g" "$scratch/scripts/$1" | sh -s "$2" || fail "$1 $2"; }
mkdir -p "$system" && echo "not a registry" >"$system/registry"
run postinst configure 2>/dev/null && run prerm remove 2>/dev/null && run postrm purge 2>/dev/null
[ "$(cat "$system/registry")" = "not a registry" ] || fail "a damaged registry was changed"
rm -r "$system" && run postinst configure && touch "$system/registry.Ab12Cd"
run prerm remove && run postrm purge
[ ! -e "$system" ] || fail "purge left $(ls -A "$system")"
echo "package OK: $(basename "$deb")"
