#!/usr/bin/env bash
# The tool's edit given each change of the list every front end shares
# (tests/data/edit_values.json): a change the list says is made is written;
# one it says is refused exits 1, writes nothing and gives the same reason.
# Usage: edit_values_test.sh TOOL SOURCE_DIR
. "$(dirname "$0")/lib.sh"

flag_of() {
  case "$1" in
    zIndex) echo --z-index ;;
    fontSize) echo --font-size ;;
    *) echo "--$1" ;;
  esac
}

# One case a line: layer, property, value (its backslashes, CR and LF
# escaped for printf %b), reason ("" when made), split by the unit
# separator (a tab, being blank to read, would merge empty fields).
cases=$(python3 - "$src/tests/data/edit_values.json" <<'PY'
import json, sys
for case in json.load(open(sys.argv[1]))["cases"]:
    value = str(case["value"]).replace("\\", "\\\\")
    value = value.replace("\r", "\\r").replace("\n", "\\n")
    print("\x1f".join([case["layer"], case["property"], value,
                     case.get("refused", "")]))
PY
) || { fail "cannot read the list of changes"; finish; exit; }

page="$src/examples/welcome.htm"
while IFS=$'\x1f' read -r layer property value refused; do
  printf -v value '%b' "$value"
  # "--flag=VALUE" lets a value start with "-"; an empty one goes apart,
  # as "--flag=" takes the next argument.
  if [ -n "$value" ]; then
    args=(edit "$page" -o "$work/out.htm" "$(flag_of "$property")=$value")
  else
    args=(edit "$page" -o "$work/out.htm" "$(flag_of "$property")" "")
  fi
  [ -n "$layer" ] && args+=(--layer "$layer")
  rm -f "$work/out.htm"
  if [ -z "$refused" ]; then
    run 0 "$tool" "${args[@]}"
    [ -f "$work/out.htm" ] || fail "$property=$value on $layer: nothing written"
  else
    expect 1 "$refused" "$tool" "${args[@]}"
    [ ! -e "$work/out.htm" ] || fail "$property=$value on $layer: written"
  fi
done <<<"$cases"
finish
