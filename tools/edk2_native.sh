#!/bin/bash
# Builds with EDK2's own tool chain (GCC5, X64). The EDK2 tree is
# tools/edk2.sh's; this repository joins it through PACKAGES_PATH, so
# OrvanePkg stays where it is. EDK2 keeps its objects in
# $BUILD/edk2/workspace and rebuilds only what changed.
#   MODE=package (default): OrvanePkg/OrvanePkg.dsc; the images go to $OUT
#     under the gnu-efi build's names: orvane.efi platform-shim.efi setup-demo.efi
#   MODE=ovmf: OVMF (X64, 4 MB, no shell) from source with the three modules
#     in its DXE volume; $OUT gets OVMF_CODE_4M.fd, the blank store
#     blank-vars.fd, and OVMF_VARS_4M.fd whose first boot option starts the
#     front-end from the volume.
set -eu

BUILD=${BUILD:-build}
EDK2=${EDK2:-$BUILD/edk2/src}
OUT=${OUT:-$BUILD/native}
MODE=${MODE:-package}
TARGET=${TARGET:-RELEASE}
JOBS=${JOBS:-2}

ROOT=$(cd "$(dirname "$0")/.." && pwd)
EDK2=$(cd "$EDK2" && pwd)
mkdir -p "$OUT" "$BUILD/edk2/workspace"
OUT=$(cd "$OUT" && pwd)
WORKSPACE=$(cd "$BUILD/edk2/workspace" && pwd)
export WORKSPACE PACKAGES_PATH="$EDK2:$ROOT" EDK_TOOLS_PATH="$EDK2/BaseTools"

# edksetup.sh reads unset variables and the script's arguments.
set +u
set --
cd "$EDK2"
. ./edksetup.sh >/dev/null
set -u
cd "$WORKSPACE"

started=$(date +%s)
if [ "$MODE" = ovmf ]; then
  python3 "$ROOT/tools/edk2_native.py" --ovmf-platform "$WORKSPACE/OrvaneOvmf" --edk2 "$EDK2"
  # Debian's patches make OVMF's shell need the Secure Boot libraries; the
  # front-end boots from its own load option, so the shell stays out.
  set -- -p OrvaneOvmf/OvmfX64.dsc -DFD_SIZE_4MB -DBUILD_SHELL=FALSE
else
  set -- -p OrvanePkg/OrvanePkg.dsc
fi
if ! build -a X64 -t GCC5 -b "$TARGET" -n "$JOBS" "$@" >"$OUT/build.log" 2>&1; then
  grep -E "error|undefined reference" "$OUT/build.log" | grep -v '^"' | head -40 >&2
  echo "native: the EDK2 build failed (log: $OUT/build.log)" >&2
  exit 1
fi
seconds=$(($(date +%s) - started))

if [ "$MODE" = ovmf ]; then
  volumes=$WORKSPACE/Build/OrvaneOvmfX64/${TARGET}_GCC5/FV
  cp "$volumes/OVMF_CODE.fd" "$OUT/OVMF_CODE_4M.fd"
  cp "$volumes/OVMF_VARS.fd" "$OUT/blank-vars.fd"
  python3 "$ROOT/tools/edk2_native.py" --boot-vars "$OUT/blank-vars.fd" "$OUT/OVMF_VARS_4M.fd"
  echo "native: $OUT/OVMF_CODE_4M.fd and OVMF_VARS_4M.fd (OVMF $TARGET GCC5 X64, $seconds s)"
  exit 0
fi
images=$WORKSPACE/Build/Orvane/${TARGET}_GCC5/X64
cp "$images/Orvane.efi" "$OUT/orvane.efi"
cp "$images/OrvaneShim.efi" "$OUT/platform-shim.efi"
cp "$images/OrvaneSetup.efi" "$OUT/setup-demo.efi"
echo "native: $OUT/orvane.efi, platform-shim.efi, setup-demo.efi" \
  "(EDK2 $TARGET GCC5 X64, $seconds s)"
