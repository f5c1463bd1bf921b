#!/bin/sh
# Commands that do not draw must start without the drawing and emulation
# libraries: mapping OSMesa, GLU and Mesa's LLVM costs more than most
# commands take. The dynamic loader's trace (LD_DEBUG=libs) names every
# library a process initialises, including those opened later.
#   lazy_libraries_test.sh QARTO_CLI EXAMPLES_DIR [render]
set -u
cli="$1"
examples="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# Add a library here when a new command brings a heavy one of its own.
forbidden='lib(GL|GLX|OpenGL|OSMesa|GLU|LLVM|gallium|mgba)[-.]'
map="$examples/demo.qrm"
failed=0

# The libraries the command initialised, one per line.
traced() {
  LD_DEBUG=libs "$cli" "$@" 2>&1 >/dev/null | sed -n 's/.*calling init: //p'
}

for command in "--help" "info $map" "count $map" "commands $map" "export $map -o $work/out --yes" \
               "layer-bmp $map -o $work/layer.bmp" "render --help" "recover --list" \
               "import-image $work/layer.bmp -o $work/picture.qrm"; do
  # shellcheck disable=SC2086
  mapped="$(traced $command | grep -E "/$forbidden" | tr "\n" " ")"
  if [ -n "$mapped" ]; then
    echo "qarto-cli $command mapped: $mapped"
    failed=1
  fi
done

if [ "${3:-}" = render ]; then
  # The check above sees a drawing library when one is mapped.
  if ! traced render "$map" -o "$work/map.png" | grep -qE "/libOSMesa[.]"; then
    echo "qarto-cli render did not map OSMesa: the trace shows nothing"
    failed=1
  fi
  # Without its module, render says what is missing and draws nothing.
  cp "$cli" "$work/qarto-cli"
  message="$("$work/qarto-cli" render "$map" -o "$work/lost.png" 2>&1)"
  status=$?
  if [ "$status" -ne 1 ] || [ -e "$work/lost.png" ] || ! echo "$message" | grep -q "qarto-render.so is missing"; then
    echo "render without its module: exit $status, \"$message\""
    failed=1
  fi
fi
exit "$failed"
