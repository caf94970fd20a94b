#!/usr/bin/env bash
# Renames N files (default 100000) of one folder to "Photo 000001.jpg" ... with `qv rename` and a
# `Photo %i"6"` script, dry run and real run, against Debian's perl rename doing the same (or the
# same loop in plain perl where the rename package is missing), and prints the time ratios.
#   bench/rename.sh [N]          (build first: scripts/test or cmake --build build)
set -euo pipefail
N=${1:-100000}
ROOT=$(cd "$(dirname "$0")/.." && pwd)
QV=${QV:-$ROOT/build/bin/qv}
WORK=$(mktemp -d "${TMPDIR:-/tmp}/qv-rename-bench.XXXXXX")
trap 'rm -rf "$WORK"' EXIT

# The script: one Format step "Photo %i"6"", index 1, increment 1, keeping the extension.
printf '\x01\x00\x00\x00\x01\x00\x00\x00\xff\xff\x01\x00\x0a\x00CFroFormat\x01\x00\x00\x00\x0bPhoto %%i"6"\x01\x00\x00\x00\x01\x00\x00\x00\x01\x00\x00\x00' >"$WORK/photo.frs"

fill() {
  rm -rf "$WORK/d" && mkdir "$WORK/d"
  (cd "$WORK/d" && seq -f 'f%07g.jpg' 1 "$N" | xargs touch)
}

if command -v rename >/dev/null && rename --version 2>&1 | grep -qi perl; then
  peer_dry() { ls | rename -n 's/.*/sprintf("Photo %06d.jpg", ++$main::n)/e' >/dev/null; }
  peer_run() { ls | rename 's/.*/sprintf("Photo %06d.jpg", ++$main::n)/e'; }
  PEER="perl rename"
else
  peer_dry() { ls | perl -ne 'chomp; my $t = sprintf("Photo %06d.jpg", ++$n); print "$_ -> $t\n"' >/dev/null; }
  peer_run() { ls | perl -ne 'chomp; my $t = sprintf("Photo %06d.jpg", ++$n); die if -e $t; rename($_, $t) or die'; }
  PEER="plain perl (install the rename package for perl rename)"
fi

# The names go through a list: 100,000 of them do not fit on a command line.
qv_list() { ls | "$QV" rename -q --script "$WORK/photo.frs" --files-from - "$@"; }

seconds() { local s e; s=$(date +%s.%N); "$@" >/dev/null; e=$(date +%s.%N); echo "$e - $s" | bc; }

fill
qv_dry=$(cd "$WORK/d" && seconds qv_list --dry-run)
peer_dry_t=$(cd "$WORK/d" && seconds peer_dry)
qv_run=$(cd "$WORK/d" && seconds qv_list)
[ -e "$WORK/d/Photo $(printf %06d "$N").jpg" ] || { echo "qv rename did not rename every file" >&2; exit 1; }
fill
peer_run_t=$(cd "$WORK/d" && seconds peer_run)

printf 'files: %d; peer: %s\n' "$N" "$PEER"
printf 'dry run:  qv %6.2fs  peer %6.2fs  ratio %.2f\n' "$qv_dry" "$peer_dry_t" "$(echo "$qv_dry / $peer_dry_t" | bc -l)"
printf 'real run: qv %6.2fs  peer %6.2fs  ratio %.2f\n' "$qv_run" "$peer_run_t" "$(echo "$qv_run / $peer_run_t" | bc -l)"
