#!/usr/bin/env bash
# Times `qv find` and `qv replace` against ripgrep, GNU grep and sed on a real source tree and
# prints the ratios (qv time / peer time; below 1 means qv is faster), by wall clock and by CPU time
# (user + system, steadier on a busy machine). First checks that qv lists
# the same files as the peer for every query.
#
#   bench/find.sh              # builds Release into build-bench/, corpus in a temporary folder
#   CORPUS=/path/to/tree bench/find.sh
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$here/scripts/deps.sh"
qv_install_deps ripgrep hyperfine time

cmake -S "$here" -B "$here/build-bench" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVEL_TESTS=OFF -DQUORVEL_GUI=OFF >/dev/null
cmake --build "$here/build-bench" --target qv -j "$(nproc)" >/dev/null
QV="$here/build-bench/bin/qv"

work="$(mktemp -d "${TMPDIR:-/tmp}/qvbench.XXXXXX")"
trap 'rm -rf "$work"' EXIT
if [ -n "${CORPUS:-}" ]; then
  tree="$CORPUS"
elif [ -f /usr/src/linux-source-6.1.tar.xz ] || apt-get install -y -qq linux-source-6.1 >/dev/null 2>&1; then
  echo "Unpacking the Linux 6.1 sources..."
  tar -xf /usr/src/linux-source-6.1.tar.xz -C "$work"
  tree="$work/linux-source-6.1"
else
  echo "linux-source-6.1 is not available; generating a tree..."
  tree="$work/generated"
  python3 - "$tree" <<'PY'
import os, random, sys
random.seed(7)
root = sys.argv[1]
words = "static int void return struct const unsigned long char if else for while PM_SUSPEND_PREPARE PM_POST_RESUME".split()
for d in range(400):
    folder = os.path.join(root, "d%03d" % (d // 20), "s%02d" % (d % 20))
    os.makedirs(folder, exist_ok=True)
    for f in range(60):
        with open(os.path.join(folder, "f%02d.c" % f), "w") as out:
            n = random.randint(50, 4000)
            out.write("\n".join(" ".join(random.choice(words[:-2]) for _ in range(8)) for _ in range(n)))
            if random.random() < 0.01: out.write("\n" + random.choice(words[-2:]) + "\n")
PY
fi
echo "Corpus: $tree ($(find "$tree" -type f | wc -l) files, $(du -sh "$tree" | cut -f1))"

# name | qv arguments | peer commands (| separated, first one checked for the same file list)
queries=(
  "literal|-c -t PM_SUSPEND_PREPARE|rg -uuu -j1 -l -F PM_SUSPEND_PREPARE|rg -uuu -l -F PM_SUSPEND_PREPARE|grep -rlF PM_SUSPEND_PREPARE"
  "literal nowhere|-c -t QuorvelNowhereXyzzy|rg -uuu -j1 -l -F QuorvelNowhereXyzzy|grep -rlF QuorvelNowhereXyzzy"
  "case-insensitive|-t pm_suspend_prepare|rg -uuu -j1 -l -i -F pm_suspend_prepare|grep -rli -F pm_suspend_prepare"
  "regex with a literal|-e -c -t PM_[A-Z]+_RESUME|rg -uuu -j1 -l PM_[A-Z]+_RESUME|grep -rlE PM_[A-Z]+_RESUME"
)

export LC_ALL=C
sorted() { sed "s|^\./||; s|^$tree/||" | sort; }
summary="$work/summary.txt"
: > "$summary"
for q in "${queries[@]}"; do
  IFS='|' read -r name qvargs first rest <<<"$q"
  peers=("$first")
  IFS='|' read -r -a more <<<"$rest"
  for p in "${more[@]}"; do [ -n "$p" ] && peers+=("$p"); done
  # Same files as the first peer?
  (cd "$tree" && "$QV" find -q -r $qvargs . 2>/dev/null | sorted) > "$work/qv.txt" || true
  (cd "$tree" && $first . 2>/dev/null | sorted) > "$work/peer.txt" || true
  if cmp -s "$work/qv.txt" "$work/peer.txt"; then
    echo "[$name] same $(wc -l < "$work/qv.txt") files as '$first'"
  else
    echo "[$name] DIFFERENT file lists from '$first':"; diff "$work/qv.txt" "$work/peer.txt" | head -5
  fi
  for counting in "" "--no-counting"; do
    cmds=("$QV find -q -r $counting $qvargs $tree")
    for p in "${peers[@]}"; do cmds+=("$p $tree"); done
    hyperfine -N -i -w 1 -r "${RUNS:-5}" --export-json "$work/h.json" "${cmds[@]}" >/dev/null 2>&1
    python3 - "$work/h.json" "$name${counting:+ $counting}" <<'PY' | tee -a "$summary"
import json, sys
r = json.load(open(sys.argv[1]))["results"]
qv = r[0]["mean"]
cpu = lambda x: x["user"] + x["system"]
print("%-40s qv %.3f s (cpu %.3f s)" % (sys.argv[2], qv, cpu(r[0])))
for p in r[1:]:
    print("    %-46s %.3f s   ratio qv/peer %.2f (cpu %.2f)" % (p["command"].rsplit(" ", 1)[0][:46], p["mean"], qv / p["mean"], cpu(r[0]) / cpu(p)))
PY
  done
done

# Replace of a text that is nowhere: qv rewrites every file with a backup; sed -i on a copy.
cp -a "$tree" "$work/copy"
hyperfine -N -i -w 1 -r "${RUNS:-3}" --export-json "$work/h.json" \
  "$QV replace -q -r --no-keep-backups -t QuorvelNowhereXyzzy --with x $work/copy" \
  "find $work/copy -type f -exec sed -i s/QuorvelNowhereXyzzy/x/g {} +" >/dev/null 2>&1
python3 - "$work/h.json" "replace nowhere" <<'PY' | tee -a "$summary"
import json, sys
r = json.load(open(sys.argv[1]))["results"]
cpu = lambda x: x["user"] + x["system"]
print("%-40s qv %.3f s (cpu %.3f s)" % (sys.argv[2], r[0]["mean"], cpu(r[0])))
print("    %-46s %.3f s   ratio qv/peer %.2f (cpu %.2f)" % ("find -exec sed -i", r[1]["mean"], r[0]["mean"] / r[1]["mean"], cpu(r[0]) / cpu(r[1])))
PY

/usr/bin/time -f "%M" -o "$work/mem" "$QV" find -q -r -t PM_SUSPEND_PREPARE "$tree" >/dev/null 2>&1 || true
peak=$(tail -1 "$work/mem")
echo
echo "Summary:"
cat "$summary"
echo "peak memory of qv find over the whole tree: $((peak / 1024)) MB"
