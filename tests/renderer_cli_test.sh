#!/usr/bin/env bash
# The offline renderer seen from outside: exit codes, one-line messages naming the option,
# and no output file left behind on failure. Arguments: the command that runs the renderer.
set -u
render=("$@")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# A run that works writes H x pitch bytes.
"${render[@]}" --size 33x7 --format 24 --pitch 100 --frames 5 --raw ok.raw
status=$?
[ "$status" -eq 77 ] && exit 77
[ "$status" -eq 0 ] || fail "good run exited $status"
[ "$(wc -c < ok.raw)" -eq 700 ] || fail "ok.raw has $(wc -c < ok.raw) bytes, expected 700"

check_refused() {  # option-name, arguments...
  local name=$1
  shift
  rm -f out.raw out.trace
  "${render[@]}" "$@" --raw out.raw --trace out.trace 2> err.txt
  local status=$?
  [ "$status" -eq 2 ] || fail "$* exited $status, expected 2"
  [ "$(wc -l < err.txt)" -eq 1 ] || fail "$*: message is not one line: $(cat err.txt)"
  grep -q -- "$name" err.txt || fail "$*: message does not name $name: $(cat err.txt)"
  [ ! -e out.raw ] && [ ! -e out.trace ] || fail "$*: left an output file behind"
  ls ./*.partial > /dev/null 2>&1 && fail "$*: left a temporary file behind"
}
check_refused --bogus --bogus
check_refused --size --size 1x100
check_refused --size --size 12
check_refused --format --format 8
check_refused --pitch --size 10x10 --pitch 39
check_refused --seed --seed 99999999999
check_refused --frames --frames -3
check_refused --hidden --hidden 4-2
check_refused --tick-step --tick-step 1.5

# An unwritable file: refused before anything is written, and no other output is left.
rm -f out.raw
"${render[@]}" --frames 1 --raw out.raw --png no/such/dir/x.png 2> err.txt
status=$?
[ "$status" -eq 2 ] || fail "unwritable --png exited $status"
grep -q -- --png err.txt || fail "unwritable --png: message does not name --png: $(cat err.txt)"
[ ! -e out.raw ] || fail "unwritable --png left out.raw behind"

[ "$failures" -eq 0 ] && echo "renderer command line: all checks passed"
[ "$failures" -eq 0 ]
