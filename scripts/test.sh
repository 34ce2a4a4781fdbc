#!/usr/bin/env bash
# Builds everything and runs the whole test suite headless.
#   --sanitize  the same with AddressSanitizer and UBSan, in the sanitized build folder it
#               shares with the fuzz targets (build-asan, see sanitized-build.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
exclude=()
if [ "${1:-}" = "--sanitize" ]; then
  source scripts/sanitized-build.sh
  export ASAN_OPTIONS="detect_leaks=1:strict_init_order=1:detect_stack_use_after_return=0"
  export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
  # The installed tree is linked by a program built without the sanitizers, and the real
  # window runs under a separate X server with the system's session bus: both stay with the
  # normal lane, which runs them unsanitized.
  exclude=(-E "^(install_embed|real_window)$")
fi
scripts/setup.sh
cd "${BUILD_DIR:-build}"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 "${exclude[@]}"
