#!/usr/bin/env bash
# Installs the build tree into a temporary prefix, builds examples/embed against the installed
# package (CMake config and pkg-config) and runs the example's check with the installed
# libraries only.
set -euo pipefail
build=$1
example=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/ctldemo bin/ctlhost bin/trackdb lib/ctlcontrols/karvex.ctl.json lib/ctlcontrols/libquorlin.so \
         include/ctlcontrols/platform/embed/ControlWidget.h lib/pkgconfig/ctlcontrols.pc \
         lib/cmake/CtlControls/CtlControlsConfig.cmake; do
  [ -e "$prefix/$f" ] || { echo "not installed: $f"; exit 1; }
done
[ ! -e "$prefix/include/ctlcontrols/platform/forms/WidgetImpl.h" ] || { echo "private header installed"; exit 1; }

generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
cmake -S "$example" -B "$work/build" "${generator[@]}" -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$work/build" -j2 >/dev/null

# The example must run from the installed tree alone: no build-tree libraries on any path.
env -u CTL_LIBRARY_PATH -u CTL_CONTROL_PATH QT_QPA_PLATFORM=offscreen "$work/build/embed_example" --check

# pkg-config gives flags that compile and link the same program.
if command -v pkg-config >/dev/null; then
  flags=$(PKG_CONFIG_PATH="$prefix/lib/pkgconfig" pkg-config --cflags --libs ctlcontrols)
  c++ -fPIC -o "$work/embed_pc" "$example/main.cpp" $flags
  env -u CTL_LIBRARY_PATH QT_QPA_PLATFORM=offscreen "$work/embed_pc" --check
fi

# The installed script host finds the controls through the installed manifests.
out=$(echo '["create", "Karvex.ucKarvex", {}]' | env -u CTL_LIBRARY_PATH QT_QPA_PLATFORM=offscreen "$prefix/bin/ctlhost")
echo "$out" | grep -q '"result":"Karvex.ucKarvex"' || { echo "installed ctlhost: $out"; exit 1; }
# The installed store tool runs from the installed tree and makes a store the chart accepts.
env -u CTL_LIBRARY_PATH "$prefix/bin/trackdb" create "$work" >/dev/null
env -u CTL_LIBRARY_PATH "$prefix/bin/trackdb" check "$work" >/dev/null || { echo "installed trackdb: check failed"; exit 1; }
echo "install_embed: ok"
