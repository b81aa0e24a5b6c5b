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
# The maintainer scripts, run on the staged tree: a damaged system registry fails neither
# and is left as it was, and a purge leaves nothing behind, not even an interrupted write.
dpkg-deb -e "$deb" "$scratch/scripts"
usr="$scratch/root/usr"
system="$usr/share/quillan"
run_script() { sed "s#/usr/#$usr/#g" "$scratch/scripts/$1" >"$scratch/$1.sh" && sh "$scratch/$1.sh" "$2"; }
mkdir -p "$system"
echo "not a registry" >"$system/registry"
run_script postinst configure 2>"$scratch/said" || fail "postinst failed on a damaged registry"
grep -q "$system/registry" "$scratch/said" || fail "postinst did not name the registry: $(cat "$scratch/said")"
run_script prerm remove 2>/dev/null || fail "prerm failed on a damaged registry"
run_script postrm purge 2>/dev/null || fail "postrm failed on a damaged registry"
[ "$(cat "$system/registry")" = "not a registry" ] || fail "a damaged registry was changed"
rm -r "$system"
run_script postinst configure || fail "postinst"
touch "$system/registry.Ab12Cd"
run_script prerm remove || fail "prerm"
run_script postrm purge || fail "postrm"
[ ! -e "$system" ] || fail "purge left $(ls -A "$system")"
echo "package OK: $(basename "$deb")"
