#!/usr/bin/env bash
# End to end: the host program registers this build's libraries in a registry of its own, performs
# one test against the simulated instrument with nobody at the window, and leaves the test's
# saved result, its printed report and a picture of its window, and exits 0 for a passed result
# and 3 for one that did not pass. Usage: run-test.sh NELVAR TEST_ID REPORT_TEXT EXIT [TEMPLATE],
# where REPORT_TEXT is a text the printed report must hold, EXIT the exit status the run must
# give (0 or 3) and TEMPLATE a test template the plug-in reads in place of its own. With
# FULLSCREEN=1 in the environment the ventilator test runs in its full-screen live view: the run
# must also leave a picture of the view and a snapshot in the result.
set -euo pipefail

nelvar=$1
test_id=$2
report_text=$3
expected_exit=$4
template=${5:-}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
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

"$nelvar" register > /dev/null
status=0
fullscreen_option=()
[ "${FULLSCREEN:-0}" = 1 ] && fullscreen_option=(--fullscreen)
"$nelvar" run "$test_id" --port sim --minutes 1 --auto "${fullscreen_option[@]}" --out "$work/out" || status=$?

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

# A PDF whose text names the test.
[ "$(head -c 5 "$report")" = "%PDF-" ] || fail "report.pdf is not a PDF"
pdftotext "$report" "$work/report.txt" || fail "report.pdf cannot be read"
grep -q "$report_text" "$work/report.txt" || fail "the report does not mention \"$report_text\""

[ "$(head -c 8 "$picture" | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a" ] || fail "test-guide.png is not a PNG"
if [ "${FULLSCREEN:-0}" = 1 ]; then
  view="$work/out/fullscreen.png"
  [ "$(head -c 8 "$view" | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a" ] || fail "fullscreen.png is not a PNG"
  grep -q "<Snapshot Key=" "$result" || fail "the result holds no snapshot"
  grep -q "Snapshots" "$work/report.txt" || fail "the report has no snapshots heading"
  # The main window shows the saved result's page.
  "$nelvar" show result "$result" --picture "$work/out/result-page.png" \
    || fail "nelvar show result could not show the saved result"
  [ "$(head -c 8 "$work/out/result-page.png" | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a" ] \
    || fail "result-page.png is not a PNG"
fi
echo "run-test: test $test_id: result (status $result_status), report and picture written; nelvar run exited with $status"
