#!/usr/bin/env bash
# Side-by-side timings of `qv size`, `qv compare -r` and `qv count -r` against the usual tools,
# printed as ratios (qv time / peer time; below 1.0 means qv is faster). A benchmark, not a test.
#
#   bench/size_count.sh                 # uses build/bin/qv
#   QV=/path/to/qv BENCH_DIR=/var/tmp/qvb RUNS=5 bench/size_count.sh
#
# Corpus: the Linux sources of Debian's linux-source-6.1 package when
# /usr/src/linux-source-6.1.tar.xz exists, otherwise a generated tree. Caches are warm: every
# command runs once before it is timed. Needs hyperfine; gdu and cloc are used when present.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
qv="${QV:-$here/build/bin/qv}"
work="${BENCH_DIR:-${TMPDIR:-/tmp}/qv-bench}"
runs="${RUNS:-5}"
tarball=/usr/src/linux-source-6.1.tar.xz

command -v hyperfine >/dev/null || { echo "hyperfine is needed (apt-get install hyperfine)" >&2; exit 1; }
[ -x "$qv" ] || { echo "no qv at $qv: build first (scripts/test) or set QV" >&2; exit 1; }
mkdir -p "$work"

corpus="$work/corpus"
if [ ! -d "$corpus" ]; then
  if [ -f "$tarball" ]; then
    echo "Unpacking $tarball ..."
    mkdir -p "$corpus.tmp"
    tar -xJf "$tarball" -C "$corpus.tmp" --strip-components=1
  else
    echo "No $tarball: generating a tree ..."
    # 40 top folders x 3 levels, about 60,000 text files of 0 to 40 KiB.
    python3 - "$corpus.tmp" <<'PY'
import os, random, sys
root = sys.argv[1]
rnd = random.Random(1)
words = [("w%d" % i) for i in range(500)]
for top in range(40):
    for mid in range(15):
        for leaf in range(10):
            d = os.path.join(root, "top%02d" % top, "mid%02d" % mid, "leaf%d" % leaf)
            os.makedirs(d, exist_ok=True)
            for f in range(10):
                lines = rnd.randint(0, 800)
                with open(os.path.join(d, "f%d.c" % f), "w") as out:
                    for _ in range(lines):
                        out.write(" ".join(rnd.choices(words, k=rnd.randint(0, 12))) + "\n")
PY
  fi
  mv "$corpus.tmp" "$corpus"
fi
copy="$work/copy"
if [ ! -d "$copy" ]; then
  echo "Copying the corpus for the compare run ..."
  cp -a "$corpus" "$copy.tmp" && mv "$copy.tmp" "$copy"
fi

files=$(find "$corpus" -type f | wc -l)
bytes=$(du -sb "$corpus" | cut -f1)
echo "Corpus: $corpus ($files files, $bytes bytes); qv: $qv; $runs runs each"

results="$work/results"
mkdir -p "$results"
# bench NAME COMMAND... : times the commands with hyperfine (first command is qv) into NAME.json
bench() {
  local name=$1
  shift
  hyperfine --warmup 1 --runs "$runs" -i -N --style basic --export-json "$results/$name.json" "$@" >/dev/null 2>&1 ||
    hyperfine --warmup 1 --runs "$runs" -i --style basic --export-json "$results/$name.json" "$@" >/dev/null
}

# `du -sb` over every subfolder, as `qv size` lists them (one row per subfolder).
printf '#!/bin/sh\nexec du -sb "$1"/*/\n' >"$results/du-each.sh"
printf '#!/bin/sh\nfind "$1" -type f -print0 | xargs -0 wc -l\n' >"$results/wc-l.sh"
chmod +x "$results/du-each.sh" "$results/wc-l.sh"

size_cmds=("$qv size -q $corpus" "$results/du-each.sh $corpus")
command -v gdu >/dev/null && size_cmds+=("gdu -n $corpus")
bench size "${size_cmds[@]}"
bench compare "$qv compare -q -r $corpus $copy" "diff -rq $corpus $copy"
count_cmds=("$qv count -q -r $corpus" "$results/wc-l.sh $corpus")
bench count "${count_cmds[@]}"
if command -v cloc >/dev/null && [ "${BENCH_CLOC:-1}" = 1 ]; then
  # cloc parses every language and takes minutes on the kernel: two runs only.
  hyperfine --runs 2 -i --style basic --export-json "$results/cloc.json" "cloc --quiet $corpus" >/dev/null 2>&1 || true
fi

# Wall time is what a user waits; CPU time (user + system) is steadier on a shared machine.
python3 - "$results" <<'PY'
import json, os, sys
res = sys.argv[1]
def load(name):
    p = os.path.join(res, name + ".json")
    if not os.path.exists(p):
        return []
    return [(r["command"], r["mean"], r["user"] + r["system"]) for r in json.load(open(p))["results"]]
goals = {"size": ("du-each.sh", 1.0), "compare": ("diff", 0.35), "count": ("wc-l.sh", 0.3)}
print()
print("%-46s %9s %9s %9s %9s" % ("command", "wall (s)", "cpu (s)", "wall x", "cpu x"))
for name in ("size", "compare", "count"):
    rows = load(name) + (load("cloc") if name == "count" else [])
    if not rows:
        continue
    qv_cmd, qv_wall, qv_cpu = rows[0]
    for cmd, wall, cpu in rows:
        short = cmd.replace(res + "/", "")
        short = short if len(short) <= 46 else "..." + short[-43:]
        if cmd == qv_cmd:
            print("%-46s %9.3f %9.3f" % (short, wall, cpu))
            continue
        line = "%-46s %9.3f %9.3f %8.2fx %8.2fx" % (short, wall, cpu, qv_wall / wall, qv_cpu / cpu)
        key, goal = goals[name]
        if key in cmd:
            line += "  goal <= %.2fx: %s" % (goal, "met" if qv_wall / wall <= goal else "not met")
        print(line)
    print()
print("x = qv / peer: below 1.00 means qv takes less.")
PY
