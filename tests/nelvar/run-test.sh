#!/usr/bin/env bash
# End to end: the host program registers this build's libraries in a registry of its own, performs
# one test against the simulated instrument with nobody at the window, and leaves the test's
# saved result, its printed report and a picture of its window, and exits 0 for a passed result
# and 3 for one that did not pass. Usage: run-test.sh NELVAR TEST_ID REPORT_TEXT EXIT [TEMPLATE],
# where REPORT_TEXT is a text the printed report must hold, EXIT the exit status the run must
# give (0 or 3) and TEMPLATE a test template the plug-in reads in place of its own. With
# FULLSCREEN=1 in the environment the ventilator test runs in its full-screen live view: the run
# must also leave a picture of the view and a snapshot in the result. With ZELTOR_SIM naming the
# zeltor-sim program, the host also writes pictures of both tabs of the instrument control panel,
# on the simulated instrument "sim" and on zeltor-sim's pty, whose views tab lists the slots.
set -euo pipefail

nelvar=$1
test_id=$2
report_text=$3
expected_exit=$4
template=${5:-}

work=$(mktemp -d)
sim_pid=
cleanup() {
  if [ -n "$sim_pid" ]; then
    kill "$sim_pid" 2> /dev/null || true
    wait "$sim_pid" 2> /dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT
export NELVAR_REGISTRY="$work/registry.json"
export QT_QPA_PLATFORM=offscreen

# The template's path is the registry value "Configuration" of the plug-in's key.
if [ -n "$template" ]; then
  cat > "$NELVAR_REGISTRY" <<EOF
{ "HKEY_LOCAL_MACHINE": { "Software\\\\Corvane\\\\Nelvar\\\\Zeltor": {
    "Configuration": { "type": "sz", "data": "$template" } } } }
EOF
fi

fail() {
  echo "run-test: test $test_id: $*" >&2
  exit 1
}

# A PNG file of at least MIN_WIDTH by MIN_HEIGHT pixels and at most 4000 by 4000, by the size its
# header gives. Usage: check_picture FILE MIN_WIDTH MIN_HEIGHT
check_picture() {
  local name
  name=$(basename "$1")
  [ "$(head -c 8 "$1" | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a" ] || fail "$name is not a PNG"
  local -a size
  read -r -a size <<< "$(od -An -tu1 -j16 -N8 "$1")"
  local width=$(( (size[0] << 24) | (size[1] << 16) | (size[2] << 8) | size[3] ))
  local height=$(( (size[4] << 24) | (size[5] << 16) | (size[6] << 8) | size[7] ))
  (( width >= $2 && height >= $3 && width <= 4000 && height <= 4000 )) \
    || fail "$name is $width by $height pixels, not at least $2 by $3"
}

"$nelvar" register > /dev/null
status=0
fullscreen_option=()
[ "${FULLSCREEN:-0}" = 1 ] && fullscreen_option=(--fullscreen)
"$nelvar" run "$test_id" --port sim --minutes 1 --auto "${fullscreen_option[@]}" --out "$work/out" > "$work/run.out" \
  || status=$?
cat "$work/run.out"

result="$work/out/result.xml"
report="$work/out/report.pdf"
picture="$work/out/test-guide.png"

# The saved test element holds its result, which passed or failed against its limits.
grep -q "<TestElement [^>]*TestID=\"$test_id\"" "$result" || fail "result.xml is not the saved test $test_id"
grep -q "<ResultItem" "$result" || fail "result.xml holds no result"
# One sed, no pipe: a reader that stops early would break the pipe of the writer before it.
result_status=$(sed -n '/<ResultItem/,/<\/ResultItem>/{/<Status /{s/.*Value="\([0-9]*\)".*/\1/p;q}}' "$result")
case "$result_status" in
  1) expected_status=0 ;;
  2) expected_status=3 ;;
  *) fail "the result was neither passed nor failed (status \"$result_status\")" ;;
esac
# The exit status tells a passed result (0) from one that did not pass (3).
[ "$status" -eq "$expected_status" ] \
  || fail "nelvar run exited with $status for a result of status $result_status, not $expected_status"
[ "$status" -eq "$expected_exit" ] || fail "nelvar run exited with $status, not $expected_exit"
# The run's summary tells the result's status by its word.
[ "$expected_exit" -eq 0 ] && word=passed || word=failed
grep -q "^Test $test_id: $word; its result is in " "$work/run.out" || fail "the run's summary does not say \"$word\""

# A PDF whose text names the test.
[ "$(head -c 5 "$report")" = "%PDF-" ] || fail "report.pdf is not a PDF"
pdftotext "$report" "$work/report.txt" || fail "report.pdf cannot be read"
grep -q "$report_text" "$work/report.txt" || fail "the report does not mention \"$report_text\""
# Under the test's heading the report says how the run ended, and its pages are numbered.
verdict=$([ "$result_status" = 1 ] && echo Passed || echo Failed)
grep -qx "$verdict" "$work/report.txt" || fail "the report does not say \"$verdict\""
grep -q "^page 1 of [0-9]" "$work/report.txt" || fail "the report's first page has no page number"

check_picture "$picture" 600 400
if [ "${FULLSCREEN:-0}" = 1 ]; then
  view="$work/out/fullscreen.png"
  check_picture "$view" 600 600
  grep -q "<Snapshot Key=" "$result" || fail "the result holds no snapshot"
  grep -q "Snapshots" "$work/report.txt" || fail "the report has no snapshots heading"
  # The main window shows the saved result's page.
  "$nelvar" show result "$result" --picture "$work/out/result-page.png" \
    || fail "nelvar show result could not show the saved result"
  check_picture "$work/out/result-page.png" 800 500
fi
# The instrument control panel on both tabs, on the simulated instrument and on zeltor-sim's pty;
# the views tab is shown only once the instrument's slots are listed on it.
if [ -n "${ZELTOR_SIM:-}" ]; then
  "$ZELTOR_SIM" > "$work/zeltor-sim.out" 2> "$work/zeltor-sim.err" &
  sim_pid=$!
  pty=
  for _ in $(seq 50); do
    pty=$(head -n 1 "$work/zeltor-sim.out")
    [ -n "$pty" ] && break
    sleep 0.1
  done
  [ -n "$pty" ] || fail "zeltor-sim printed no pty: $(cat "$work/zeltor-sim.err")"
  declare -A ports=([sim]=sim [pty]="$pty")
  for place in sim pty; do
    for tab in settings views; do
      panel="$work/out/control-panel-$tab-$place.png"
      "$nelvar" show control-panel --port "${ports[$place]}" --tab "$tab" --picture "$panel" \
        || fail "nelvar show control-panel could not show the $tab tab on ${ports[$place]}"
      check_picture "$panel" 620 400
    done
  done
fi
echo "run-test: test $test_id: result (status $result_status), report and picture written; nelvar run exited with $status"
