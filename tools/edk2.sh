#!/bin/sh
# Fetches Debian's EDK2 source package into $BUILD/edk2 (Debian's patches
# applied), builds BaseTools, and leaves the tree at $BUILD/edk2/src.
# Cached: once BaseTools is built, a second run only prints the path.
# apt is driven with a private configuration, so the system's sources,
# lists and cache stay as they are.
set -eu

BUILD=${BUILD:-build}
ROOT=$(mkdir -p "$BUILD/edk2" && cd "$BUILD/edk2" && pwd)
SRC=$ROOT/src
STAMP=$SRC/.basetools-built

if [ -f "$STAMP" ]; then
  echo "$SRC"
  exit 0
fi

if [ ! -f "$SRC/edksetup.sh" ]; then
  APT=$ROOT/apt
  mkdir -p "$APT/sources.list.d" "$APT/lists/partial" "$APT/cache/archives/partial" "$ROOT/pkg"
  # Source entries for the same mirrors and suites the system's binaries come from.
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    sed 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
      > "$APT/sources.list.d/debian.sources"
  else
    echo "deb-src http://deb.debian.org/debian bookworm main" > "$APT/sources.list.d/debian.list"
  fi
  cat > "$APT/apt.conf" <<EOF
Dir::Etc::SourceList "/dev/null";
Dir::Etc::SourceParts "$APT/sources.list.d";
Dir::State::Lists "$APT/lists";
Dir::Cache "$APT/cache";
APT::Sandbox::User "root";
EOF
  export APT_CONFIG=$APT/apt.conf
  apt-get -qq update
  (cd "$ROOT/pkg" && apt-get -qq source --download-only edk2)
  dsc=$(ls "$ROOT"/pkg/edk2_*.dsc | head -n 1)
  rm -rf "$SRC.tmp"
  # dpkg-source checks the checksums and applies debian/patches.
  dpkg-source -x "$dsc" "$SRC.tmp" >"$ROOT/extract.log" 2>&1 || {
    tail -20 "$ROOT/extract.log" >&2
    exit 1
  }
  rm -rf "$SRC"
  mv "$SRC.tmp" "$SRC"
fi

# BaseTools' C tools (GenFfs, GenSec, GenFv, ...); the Python ones run from source.
make -s -C "$SRC/BaseTools" -j"${JOBS:-2}" >"$ROOT/basetools.log" 2>&1 || {
  tail -30 "$ROOT/basetools.log" >&2
  echo "edk2: BaseTools build failed (log: $ROOT/basetools.log)" >&2
  exit 1
}
touch "$STAMP"
echo "$SRC"
