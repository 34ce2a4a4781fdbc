#!/usr/bin/env bash
# Installs the build tree into a temporary prefix, builds examples/embed and examples/qtwidgets
# against the installed package (CMake config and pkg-config) and runs their checks with the
# installed libraries only.
set -euo pipefail
build=$1
example=$2
widgets_example=$(dirname "$example")/qtwidgets
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/ctldemo bin/ctlhost bin/trackdb lib/ctlcontrols/karvex.ctl.json lib/ctlcontrols/libquorlin.so \
         include/ctlcontrols/platform/embed/ControlWidget.h lib/pkgconfig/ctlcontrols.pc \
         lib/cmake/CtlControls/CtlControlsConfig.cmake include/ctlcontrols/widgets/KarvexChart.h \
         include/ctlcontrols/widgets/QuorlinComboBox.h lib/pkgconfig/ctlwidgets.pc \
         lib/qt6/plugins/designer/libctldesigner.so; do
  [ -e "$prefix/$f" ] || { echo "not installed: $f"; exit 1; }
done
for f in platform/forms/WidgetImpl.h platform/forms/Widget.h platform/com/UserControl.h; do
  [ ! -e "$prefix/include/ctlcontrols/$f" ] || { echo "private header installed: $f"; exit 1; }
done
# Shared libraries carry the package's version: lib<name>.so.MAJOR as their SONAME.
version=$(sed -n 's/^Version: //p' "$prefix/lib/pkgconfig/ctlcontrols.pc")
for lib in lib/libctlplatform.so lib/libctlwidgets.so lib/ctlcontrols/libkarvex.so lib/ctlcontrols/libquorlin.so; do
  [ -e "$prefix/$lib.$version" ] || { echo "not installed: $lib.$version"; exit 1; }
  soname=$(objdump -p "$prefix/$lib" | awk '/SONAME/ {print $2}')
  [ "$soname" = "$(basename "$lib").${version%%.*}" ] || { echo "$lib: SONAME $soname"; exit 1; }
done
# The Designer plugin finds the libraries it needs in the installed tree.
if ldd "$prefix/lib/qt6/plugins/designer/libctldesigner.so" | grep -q "not found"; then
  echo "the installed Designer plugin misses libraries"; exit 1
fi

generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
cmake -S "$example" -B "$work/build" "${generator[@]}" -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$work/build" -j2 >/dev/null

# The example must run from the installed tree alone: no build-tree libraries on any path.
env -u CTL_LIBRARY_PATH -u CTL_CONTROL_PATH QT_QPA_PLATFORM=offscreen "$work/build/embed_example" --check

# A user project on the typed widgets: a form through uic, typed properties and signals. It
# asks for no C++ standard of its own; the package's targets bring it.
cmake -S "$widgets_example" -B "$work/build-widgets" "${generator[@]}" -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$work/build-widgets" -j2 >/dev/null
env -u CTL_LIBRARY_PATH -u CTL_CONTROL_PATH QT_QPA_PLATFORM=offscreen "$work/build-widgets/qtwidgets_example" --check

# pkg-config gives flags that compile and link the same program, with the compiler's own
# standard (the file forces none).
if command -v pkg-config >/dev/null; then
  flags=$(PKG_CONFIG_PATH="$prefix/lib/pkgconfig" pkg-config --cflags --libs ctlcontrols)
  case " $flags " in *" -std="*) echo "pkg-config forces a standard: $flags"; exit 1;; esac
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
