#!/usr/bin/env bash
# Runs one stored case of tests/golden/cases.txt and compares what the program
# writes, byte for byte, with tests/golden/expected/<case>/:
#   stdout.utf8  console text under a UTF-8 locale
#   stdout.gbk   console text under a GBK console
#   status       exit status
#   and every output file stored there (Hydro_Static.txt, ...).
# The time line of floating_attitude is masked. Standard input is closed.
#
#   check.sh BIN_DIR CASE [--update] [-- EXTRA PROGRAM ARGUMENTS]
# BIN_DIR holds the programs (BIN_DIR/<program>/<program>). --update rewrites
# the stored outputs: only for a change that is meant to move them.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
bin=$(cd "$1" && pwd) case=$2
shift 2
update=0
extra=()
while [ $# -gt 0 ]; do
  case $1 in
    --update) update=1 ;;
    --) shift; extra=("$@"); break ;;
    *) echo "check.sh: unknown argument $1" >&2; exit 2 ;;
  esac
  shift
done

line=$(awk -v c="$case" '$1 == c' "$here/cases.txt")
[ -n "$line" ] || { echo "check.sh: no case $case" >&2; exit 2; }
read -r _ program model pillars <<<"$line"
expected=$here/expected/$case
[ -x "$bin/$program/$program" ] || { echo "check.sh: no program $bin/$program/$program" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mask_time() { sed -E 's/[0-9]+\.[0-9]{2} seconds$/<time> seconds/'; }

run() {  # run LOCALE DIR
  mkdir -p "$2"
  [ -n "$pillars" ] && cp "$root/$pillars" "$2/FourPillars.txt"
  # The model beside the outputs, named by its file name only, so that the
  # files that name it do not carry the checkout's path.
  cp "$root/$model" "$2/$(basename "$model")"
  local status=0
  (cd "$2" && LC_ALL=$1 "$bin/$program/$program" "$(basename "$model")" ${extra[@]+"${extra[@]}"} \
    </dev/null >stdout.raw 2>stderr.txt) || status=$?
  mask_time <"$2/stdout.raw" >"$2/stdout"
  echo "$status" >"$2/status"
}
run C.UTF-8 "$work/utf8"
run C "$work/gbk"

if [ $update = 1 ]; then
  rm -rf "$expected"
  mkdir -p "$expected"
  cp "$work/utf8/stdout" "$expected/stdout.utf8"
  cp "$work/gbk/stdout" "$expected/stdout.gbk"
  cp "$work/utf8/status" "$expected/status"
  for f in "$work/utf8"/*; do
    case $(basename "$f") in stdout|stdout.raw|stderr.txt|status|FourPillars.txt|"$(basename "$model")") ;;
      *) cp "$f" "$expected/" ;;
    esac
  done
  echo "updated $expected"
  exit 0
fi

[ -d "$expected" ] || { echo "no stored outputs for $case" >&2; exit 1; }
fail=0
compare() {  # compare STORED PRODUCED
  if ! cmp -s "$1" "$2"; then
    echo "DIFFERS: ${1#"$here"/}" >&2
    diff <(iconv -f GBK -t UTF-8 "$1" 2>/dev/null || cat "$1") \
         <(iconv -f GBK -t UTF-8 "$2" 2>/dev/null || cat "$2") | head -20 >&2 || true
    fail=1
  fi
}
compare "$expected/stdout.utf8" "$work/utf8/stdout"
compare "$expected/stdout.gbk" "$work/gbk/stdout"
compare "$expected/status" "$work/utf8/status"
compare "$expected/status" "$work/gbk/status"
for f in "$expected"/*; do
  name=$(basename "$f")
  case $name in stdout.utf8|stdout.gbk|status) continue ;; esac
  if [ ! -f "$work/utf8/$name" ]; then echo "MISSING: $name" >&2; fail=1; continue; fi
  compare "$f" "$work/utf8/$name"
  compare "$f" "$work/gbk/$name"
done
[ $fail = 0 ] && echo "$case: identical"
exit $fail
