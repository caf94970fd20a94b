#!/usr/bin/env bash
# Times `qv afr` with one Find/Replace-with rule (cat -> dog, match case) against sed doing the
# same work: on one 100 MB text file, and on a source tree (the Linux sources when available).
# Prints the ratios (qv time / sed time; below 1 means qv is faster) after checking that both
# produce the same bytes.
#
#   bench/afr.sh                # builds Release into build-bench/
#   CORPUS=/path/to/tree bench/afr.sh
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$here/scripts/deps.sh"
qv_install_deps hyperfine

cmake -S "$here" -B "$here/build-bench" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVEL_TESTS=OFF -DQUORVEL_GUI=OFF >/dev/null
cmake --build "$here/build-bench" --target qv -j "$(nproc)" >/dev/null
QV="$here/build-bench/bin/qv"

work="$(mktemp -d "${TMPDIR:-/tmp}/qvafrbench.XXXXXX")"
trap 'rm -rf "$work"' EXIT
export LC_ALL=C

# The script: If (Find "cat" [Match Case]) then (Replace with "dog").
python3 - "$work/catdog.fafrs" <<'PY'
import struct, sys
def cls(name): return b"\xff\xff\x01\x00" + struct.pack("<H", len(name)) + name
data = struct.pack("<ii", 1, 1) + struct.pack("<i", 1) + cls(b"CAfrIfCondFind") + b"\x03cat" + struct.pack("<i", 1)
data += struct.pack("<i", 1) + cls(b"CAfrActionReplaceWith") + b"\x03dog"
open(sys.argv[1], "wb").write(data)
PY

mkdir -p "$work/one"
python3 - "$work/one/big.txt" <<'PY'
import random, sys
random.seed(3)
words = "the cat sat on a mat with another dog concatenate scatter static int return".split()
with open(sys.argv[1], "w") as out:
    size = 0
    while size < 100 * 1024 * 1024:
        line = " ".join(random.choice(words) for _ in range(12)) + "\n"
        out.write(line)
        size += len(line)
PY

if [ -n "${CORPUS:-}" ]; then
  tree="$CORPUS"
elif [ -f /usr/src/linux-source-6.1.tar.xz ] || apt-get install -y -qq linux-source-6.1 >/dev/null 2>&1; then
  echo "Unpacking the Linux 6.1 sources..."
  mkdir -p "$work/src" && tar -xf /usr/src/linux-source-6.1.tar.xz -C "$work/src"
  tree="$work/src/linux-source-6.1"
else
  tree="$work/one"
  echo "linux-source-6.1 is not available; the tree run uses the 100 MB file only."
fi

run() {  # name, original folder
  local name="$1" orig="$2"
  rm -rf "$work/a" "$work/b"
  cp -a "$orig" "$work/a" && cp -a "$orig" "$work/b"
  "$QV" afr -q -r --no-keep-backups --no-counting --script "$work/catdog.fafrs" "$work/a" >/dev/null
  find "$work/b" -type f -exec sed -i 's/cat/dog/g' {} +
  if diff -rq "$work/a" "$work/b" >/dev/null; then echo "[$name] same bytes as sed"; else echo "[$name] DIFFERENT from sed"; fi
  hyperfine -N -i -w 1 -r "${RUNS:-3}" --export-json "$work/h.json" \
    --prepare "sh -c 'rm -rf $work/a && cp -a $orig $work/a'" \
    "$QV afr -q -r --no-keep-backups --no-counting --script $work/catdog.fafrs $work/a" \
    "find $work/a -type f -exec sed -i s/cat/dog/g {} +" >/dev/null 2>&1
  python3 - "$work/h.json" "$name" <<'PY'
import json, sys
r = json.load(open(sys.argv[1]))["results"]
print("%-28s qv %.3f s   sed %.3f s   ratio qv/sed %.2f" % (sys.argv[2], r[0]["mean"], r[1]["mean"], r[0]["mean"] / r[1]["mean"]))
PY
}

run "one 100 MB file" "$work/one"
[ "$tree" != "$work/one" ] && run "source tree" "$tree"
