#!/usr/bin/env bash
# qemu_i386.sh - on a machine whose kernel refuses 32-bit x86 programs, makes them run through
# qemu-i386 (user-mode emulation) by registering it with binfmt_misc, so that every 32-bit
# program runs, 32-bit Wine too; says so in one line. Run as root by scripts/install-deps.sh.
# Changes nothing where the kernel runs 32-bit programs itself, or when QEMU_I386=no.
#
# Wine needs a qemu-i386 that keeps the kernel's MAP_FIXED_NOREPLACE: a mapping over a taken
# range must fail with EEXIST. Debian 12's qemu 7.2 maps elsewhere instead, and 32-bit Wine
# then spends a minute reserving its address space and dies ("failed to map the shared user
# data"). So the qemu-i386 of Debian 12's backports is taken, fetched from this machine's Debian
# mirror with apt-get into build/qemu (not installed: the system's packages are left alone).
# The entry is registered with flag F, which opens the emulator once: it then serves chroots and
# roots that do not have the file. Undo: echo -1 > /proc/sys/fs/binfmt_misc/qemu-i386
#
# Exits 0 when 32-bit programs run here (natively or now through qemu-i386), or when
# QEMU_I386=no; 1, with the reason in one line and in build/qemu-i386.why, when they cannot.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
why_file=$root/build/qemu-i386.why   # why 32-bit programs cannot run here, for the skips
binfmt=/proc/sys/fs/binfmt_misc
entry=qemu-i386
mkdir -p build
rm -f "$why_file"

bash scripts/x86_32_runs.sh --native && exit 0
[ "${QEMU_I386:-yes}" = no ] && exit 0   # the tests that need 32-bit programs say why they skip

fail() {
  echo "qemu_i386.sh: 32-bit x86 programs cannot run here, their tests are skipped: $*"
  echo "$*" > "$why_file"
  exit 1
}

# A 32-bit program that exits 0 when MAP_FIXED_NOREPLACE over a taken page fails with EEXIST.
probe=$(mktemp -d)
trap 'rm -rf "$probe"' EXIT
cat > "$probe/noreplace.c" <<'EOF'
#define _GNU_SOURCE
#include <errno.h>
#include <sys/mman.h>
int main(void) {
  char *taken = mmap(0, 65536, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  void *again = mmap(taken, 65536, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED_NOREPLACE, -1, 0);
  return taken != MAP_FAILED && again == MAP_FAILED && errno == EEXIST ? 0 : 1;
}
EOF
cc -m32 -O -o "$probe/noreplace" "$probe/noreplace.c" 2> /dev/null \
  || fail "no 32-bit C library to build the probe with (g++-multilib)"
carries_wine() { "$1" "$probe/noreplace" 2> /dev/null; }  # QEMU

# The emulator: build/qemu's from an earlier run, or the backports' one fetched now.
qemu=$root/build/qemu/usr/bin/qemu-i386
if ! { [ -x "$qemu" ] && carries_wine "$qemu"; }; then
  if command -v qemu-i386 > /dev/null && carries_wine "$(command -v qemu-i386)"; then
    qemu=$(command -v qemu-i386)   # the system's, once it is new enough
  else
    mirror=$(awk '/^URIs:/ {print $2; exit}' /etc/apt/sources.list.d/*.sources 2> /dev/null)
    [ -n "$mirror" ] || mirror=$(awk '$1 == "deb" && $3 ~ /^bookworm/ {print $2; exit}' /etc/apt/sources.list 2> /dev/null)
    [ -n "$mirror" ] || fail "no Debian mirror in /etc/apt to fetch qemu-i386 from"
    apt=$root/build/qemu/apt   # the backports' lists alone, apart from the system's
    rm -rf "$root/build/qemu" && mkdir -p "$apt/lists/partial" "$apt/parts" "$apt/archives/partial"
    printf 'Types: deb\nURIs: %s\nSuites: bookworm-backports\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
      "$mirror" > "$apt/parts/backports.sources"
    opts=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$apt/parts"
          -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache::Archives=$apt/archives"
          -o Debug::NoDropPrivs=1 -o APT::Sandbox::User=root)
    echo "qemu_i386.sh: fetching qemu-user from bookworm-backports ($mirror)"
    apt-get "${opts[@]}" update -q > "$apt/log" 2>&1 \
      || fail "apt-get update of bookworm-backports failed: $(grep -E '^(E|W): ' "$apt/log" | tail -n 1)"
    (cd "$apt" && apt-get "${opts[@]}" download qemu-user/bookworm-backports) >> "$apt/log" 2>&1 \
      || fail "apt-get download qemu-user/bookworm-backports failed: $(grep -E '^E: ' "$apt/log" | tail -n 1)"
    dpkg-deb --fsys-tarfile "$apt"/qemu-user_*.deb | tar -x -C "$root/build/qemu" ./usr/bin/qemu-i386 \
      || fail "could not unpack qemu-i386 from qemu-user"
    rm -f "$apt"/*.deb
    qemu=$root/build/qemu/usr/bin/qemu-i386
    carries_wine "$qemu" || fail "$($qemu --version | head -n 1) does not keep MAP_FIXED_NOREPLACE either"
  fi
fi

[ -e "$binfmt/register" ] || mount -t binfmt_misc binfmt_misc "$binfmt" 2> /dev/null \
  || fail "binfmt_misc cannot be mounted at $binfmt"
if ! { grep -qx "interpreter $qemu" "$binfmt/$entry" && grep -qx 'enabled' "$binfmt/$entry" \
       && grep -q '^flags: .*F' "$binfmt/$entry"; } 2> /dev/null; then
  [ ! -e "$binfmt/$entry" ] || echo -1 > "$binfmt/$entry"
  # 32-bit x86 ELF executables and shared objects, the pattern of qemu's own binfmt set-up.
  magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  echo ":$entry:M::$magic:$mask:$qemu:F" > "$binfmt/register" 2> /dev/null \
    || fail "could not register $qemu with binfmt_misc (not root?)"
fi
"$probe/noreplace" 2> /dev/null || fail "a 32-bit program does not run through $qemu"
echo "qemu_i386.sh: this machine does not run 32-bit x86 programs: they run through" \
  "$($qemu --version | head -n 1 | sed 's/ version / /') (binfmt_misc entry $entry; QEMU_I386=no turns this off)"
