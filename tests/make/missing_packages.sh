#!/bin/sh
# `make` for a user who is not root: with sudo it installs the missing packages through it;
# without sudo it names them and the one line to run as root, instead of failing on "sudo: not
# found". The user and sudo are stand-ins on a PATH of their own; nothing is installed.
# Usage: missing_packages.sh SOURCE_DIR
set -u
source_dir=$1
make_program=$(command -v make)
failures=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

mkdir "$work/bin"
for tool in dpkg-query grep nproc; do
    ln -s "$(command -v "$tool")" "$work/bin/$tool"
done
printf '#!/bin/sh\necho 1000\n' >"$work/bin/id"
chmod +x "$work/bin/id"

# `make deps` as that user, with one package that is installed and one that no system has.
deps() {
    env -i PATH="$work/bin" HOME="$work" "$make_program" --no-print-directory -C "$source_dir" deps \
        PACKAGES="make cartavox-no-such-package" >"$work/out" 2>&1
    status=$?
    cat "$work/out"
    return $status
}

echo "== without sudo"
if deps; then
    fail "make went on without the missing package"
fi
grep -q 'not found' "$work/out" && fail "make tried a command that is not there"
grep -qx 'These Debian packages are missing: cartavox-no-such-package' "$work/out" ||
    fail "make does not name the missing package alone"
grep -qx '    apt-get update && apt-get install -y cartavox-no-such-package' "$work/out" ||
    fail "make does not give the line to run as root"

echo "== with sudo"
printf '#!/bin/sh\necho "sudo $*"\n' >"$work/bin/sudo"
chmod +x "$work/bin/sudo"
deps || fail "make failed although sudo installs the package"
grep -q '^sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq cartavox-no-such-package$' "$work/out" ||
    fail "make does not install through sudo"

[ "$failures" -eq 0 ] && echo "make names what is missing, and installs it through sudo where there is one"
[ "$failures" -eq 0 ]
