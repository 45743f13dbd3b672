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
  ls ./*.partial* > /dev/null 2>&1 && fail "$*: left a temporary file behind"
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
# A value with line breaks or other control bytes is echoed escaped: the message stays one line.
check_refused --format --format $'3\n2'
check_refused --seed --seed $'1\r\n\x1b[2J'
check_refused $'--bogus\nx' $'--bogus\nx'
check_refused --png --png out.raw

# A failed run takes away only what it wrote: an existing file of the same name as an output,
# the outputs' directories and someone else's temporary-looking file all stay.
mkdir emptydir
echo keep > keep.trace
echo old > out.raw
echo mine > keep.trace.partial
"${render[@]}" --frames 1 --raw out.raw --png emptydir --trace keep.trace 2> err.txt
status=$?
[ "$status" -eq 2 ] || fail "--png onto a directory exited $status"
grep -q -- --png err.txt || fail "--png onto a directory: message does not name --png: $(cat err.txt)"
[ "$(cat keep.trace 2> /dev/null)" = keep ] || fail "a failed run took keep.trace away"
[ "$(cat out.raw 2> /dev/null)" = old ] || fail "a failed run took out.raw away"
[ -d emptydir ] || fail "a failed run took the empty directory away"
[ "$(cat keep.trace.partial 2> /dev/null)" = mine ] || fail "a failed run took keep.trace.partial away"
# A run that works writes beside such a file and leaves it alone too.
"${render[@]}" --frames 1 --trace keep.trace 2> err.txt || fail "a run beside keep.trace.partial failed: $(cat err.txt)"
[ "$(cat keep.trace.partial 2> /dev/null)" = mine ] || fail "a good run took keep.trace.partial away"
ls ./*.partial? > /dev/null 2>&1 && fail "a good run left a temporary file behind"
rm -rf emptydir keep.trace keep.trace.partial out.raw

# An unwritable file: refused before anything is written, and no other output is left.
rm -f out.raw
"${render[@]}" --frames 1 --raw out.raw --png no/such/dir/x.png 2> err.txt
status=$?
[ "$status" -eq 2 ] || fail "unwritable --png exited $status"
grep -q -- --png err.txt || fail "unwritable --png: message does not name --png: $(cat err.txt)"
[ ! -e out.raw ] || fail "unwritable --png left out.raw behind"

[ "$failures" -eq 0 ] && echo "renderer command line: all checks passed"
[ "$failures" -eq 0 ]
