# Sourced by test.sh --sanitize and fuzz.sh: the one sanitized build both lanes share. Clang
# with AddressSanitizer and UBSan, and the fuzzer's coverage in every library (-DCTL_FUZZ=ON),
# so the same folder holds the sanitized test suite and the fuzz targets; whichever lane runs
# second only builds what the first did not. Both must configure it alike, or the second
# would rebuild everything.
export BUILD_DIR="${SANITIZED_BUILD_DIR:-build-asan}"
export BUILD_TYPE=RelWithDebInfo
export EXTRA_PACKAGES="clang libclang-rt-dev ${EXTRA_PACKAGES:-}"
# Benchmarks are not tests; they would only lengthen the sanitized build.
export CMAKE_EXTRA="-DCTL_FUZZ=ON -DCTL_SANITIZE=ON -DCMAKE_C_COMPILER=clang \
-DCMAKE_CXX_COMPILER=clang++ -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON ${CMAKE_EXTRA:-}"
