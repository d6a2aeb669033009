#!/usr/bin/env bash
# System calls of whole receive runs through the native plugin-host, and those on the clip list file:
#   bench/clip_list_syscalls.sh BUILD_DIR [CLIPS]            strace counts, Fennick and Sorrend (CLIPS: 4000)
#   bench/clip_list_syscalls.sh --memory BUILD_DIR [CLIPS]   peak memory and wall time of one Fennick run
# BUILD_DIR is a native build (Release for figures) with bin/plugin-host, bin/Fennick.so, bin/Sorrend.so.
# Everything happens in a fresh temporary folder, removed at the end (KEEP_WORK=1 keeps it, with the
# traces); the modules are copied there, since each writes its clip list and settings beside its file.
set -euo pipefail

usage() {
  echo "usage: $0 [--memory] BUILD_DIR [CLIPS]" >&2
  exit 2
}
memory=0
if [[ ${1:-} == --memory ]]; then
  memory=1
  shift
fi
[[ $# -ge 1 && $# -le 2 && -d $1 ]] || usage
build=$(cd "$1" && pwd)
clips=${2:-4000}
[[ $clips =~ ^[1-9][0-9]*$ ]] || usage
host=$build/bin/plugin-host
for needed in "$host" "$build/bin/Fennick.so" "$build/bin/Sorrend.so"; do
  [[ -e $needed ]] || { echo "$0: $needed is not built" >&2; exit 2; }
done
if ((memory)); then
  [[ -x /usr/bin/time ]] || { echo "$0: needs /usr/bin/time" >&2; exit 2; }
else
  command -v strace > /dev/null || { echo "$0: needs strace" >&2; exit 2; }
fi

# No "fennick" in the folder's name: the module's files go beside the last such part of its path.
work=$(mktemp -d "${TMPDIR:-/tmp}/clip-list-syscalls.XXXXXX")
if [[ ${KEEP_WORK:-0} == 1 ]]; then
  echo "work folder (kept): $work"
else
  trap 'rm -rf "$work"' EXIT
fi
trap 'echo "$0: stopped at line $LINENO" >&2' ERR

# The file-related calls shown, in this order; rows that are 0 in every column are left out.
file_calls=(open openat creat stat newfstatat statx lstat fstat access faccessat faccessat2 read pread64
  write pwrite64 writev fallocate ftruncate fdatasync fsync fchmod rename renameat renameat2 unlink unlinkat
  close getdents64)

# make_media DIR PREFIX COUNT: COUNT files of 4096 bytes (the smallest a clip may be; sparse, so cheap),
# spread over the four media patterns the watch folder scans.
make_media() {
  (($3 > 0)) || return 0
  seq 0 $(($3 - 1)) |
    awk -v d="$1" -v p="$2" 'BEGIN { split("mxf avi dif m2v", e, " ") } { print d "/" p "-" $1 "." e[$1 % 4 + 1] }' |
    xargs -d '\n' truncate -s 4096
}

# The clip sections of a clip list: Fennick writes "[ClipN]", Sorrend "[CLIPN]".
count_clips() {
  [[ -f $1 ]] || { echo 0; return; }
  grep -ci '^\[clip[0-9]' "$1" || true
}

# host_run OUT ARGS...: plugin-host with ARGS, its report to OUT; exit 0 is a run whose Execute returned 1.
host_run() {
  local out=$1
  shift
  "$@" > "$out" 2> "$out.err" || { echo "$0: failed ($?): $*" >&2; cat "$out.err" >&2; exit 1; }
}

# counted NAME ARGS...: the run's call counts (strace -c) into NAME.count.
counted() {
  local name=$1
  shift
  host_run "$work/$name.out" strace -f -c -o "$work/$name.count" "$host" "$@"
}

# traced NAME CLIP_LIST ARGS...: the run's file calls, with the paths of their descriptors, into
# NAME.trace, and those that name the clip list or its replacement copy (".new", renamed over it) into
# NAME.clip: by full path, through a descriptor, or as a name relative to the descriptor of its folder.
traced() {
  local name=$1 list=$2
  shift 2
  host_run "$work/$name.out" strace -f -qq -y -e trace=%file,%desc -o "$work/$name.trace" "$host" "$@"
  local dir=${list%/*} base=${list##*/}
  grep -v 'resumed>' "$work/$name.trace" |
    grep -F -e "\"$list\"" -e "<$list>" -e "\"$list.new\"" -e "<$list.new>" \
      -e "<$dir>, \"$base\"" -e "<$dir>, \"$base.new\"" > "$work/$name.clip" || true
}

# call_count FILE CALL: how often CALL appears in an strace -c table.
call_count() {
  awk -v c="$2" '$NF == c && $4 ~ /^[0-9]+$/ { n = $4 } END { print n + 0 }' "$1"
}

# clip_count FILE CALL: how many of the traced lines in FILE are CALL.
clip_count() {
  sed -E 's/^[0-9]+ +//; s/\(.*//' "$1" | awk -v c="$2" '$0 == c { n++ } END { print n + 0 }'
}

# host_alone NAME CLIP_LIST: plugin-host's own read-back of CLIP_LIST after a run, measured with Sorrend
# over an empty send folder (it then touches no clip list) beside a copy of it; part of every run's
# figures, before and after a change of the plug-ins alike.
host_alone() {
  local alone=$work/$1-alone
  mkdir -p "$alone/m" "$alone/render/Dovrel"
  cp "$build/bin/Sorrend.so" "$alone/m/"
  cp "$2" "$alone/m/vorlane.ini"
  traced "$1-alone" "$alone/m/vorlane.ini" receive "$alone/m/Sorrend.so" --render-dir "$alone/render/"
}

# report TITLE NAME: the table of run NAME (NAME.count, NAME.clip, NAME-alone.clip).
report() {
  local count=$work/$2.count clip=$work/$2.clip alone=$work/$2-alone.clip
  echo
  echo "$1"
  printf '  %-12s %10s %10s %10s\n' call "all" "clip list" "(host's)"
  printf '  %-12s %10s %10s %10s\n' total "$(call_count "$count" total)" "$(wc -l < "$clip")" "$(wc -l < "$alone")"
  local call all on mine
  for call in "${file_calls[@]}"; do
    all=$(call_count "$count" "$call")
    on=$(clip_count "$clip" "$call")
    mine=$(clip_count "$alone" "$call")
    ((all + on + mine > 0)) && printf '  %-12s %10s %10s %10s\n' "$call" "$all" "$on" "$mine"
  done
  return 0
}

# The watch folder after a first run: that run stores its own moment as the watch time and lists nothing,
# so everything made afterwards is new to the next run. OLD files made before it stay old.
prepare_fennick() {
  local new=$1 old=$2
  mkdir -p "$work/f" "$work/watch"
  cp "$build/bin/Fennick.so" "$work/f/"
  make_media "$work/watch" old "$old"
  host_run "$work/first.out" "$host" receive "$work/f/Fennick.so" --folder "$work/watch"
  local listed
  listed=$(count_clips "$work/f/vorlane.ini")
  [[ $listed == 0 ]] || { echo "$0: the first Fennick run listed $listed clips" >&2; exit 1; }
  make_media "$work/watch" new "$new"
}

check_listed() {
  [[ $2 == "$3" ]] || { echo "$0: $1 listed $2 clips, expected $3" >&2; exit 1; }
}

if ((memory)); then
  prepare_fennick "$clips" 0
  host_run "$work/mem.out" /usr/bin/time -v -o "$work/mem.time" "$host" receive "$work/f/Fennick.so" --folder "$work/watch"
  listed=$(count_clips "$work/f/vorlane.ini")
  check_listed Fennick "$listed" "$clips"
  echo "Fennick, $clips new files: $listed clips listed, clip list $(stat -c %s "$work/f/vorlane.ini") bytes"
  grep -E 'Maximum resident set size|Elapsed \(wall clock\)' "$work/mem.time" | sed 's/^[[:space:]]*/  /'
  # plugin-host keeps the whole clip list it reads back, and its report of it, in memory.
  mkdir -p "$work/alone/m" "$work/alone/render/Dovrel"
  cp "$build/bin/Sorrend.so" "$work/alone/m/"
  cp "$work/f/vorlane.ini" "$work/alone/m/vorlane.ini"
  host_run "$work/alone.out" /usr/bin/time -v -o "$work/alone.time" "$host" receive "$work/alone/m/Sorrend.so" \
    --render-dir "$work/alone/render/"
  echo "plugin-host alone, reading back and reporting the same clip list:"
  grep -E 'Maximum resident set size|Elapsed \(wall clock\)' "$work/alone.time" | sed 's/^[[:space:]]*/  /'
  exit 0
fi

echo "system calls of plugin-host receive runs ($build), $clips clips"
echo "columns: all calls of the run (strace -f -c); those naming the clip list or its .new copy;"
echo "of those, plugin-host's own read-back after the run (Sorrend over an empty send folder)"

# Fennick: 10,000 files in the watch folder (or CLIPS, when more), CLIPS of them new.
old=$((clips < 10000 ? 10000 - clips : 0))
prepare_fennick "$clips" "$old"
# The traced run must see what the counted run saw: the same settings (watch time) and clip list.
cp -a "$work/f" "$work/f.before"
counted fennick receive "$work/f/Fennick.so" --folder "$work/watch"
listed=$(count_clips "$work/f/vorlane.ini")
check_listed Fennick "$listed" "$clips"
rm -rf "$work/f"
cp -a "$work/f.before" "$work/f"
traced fennick "$work/f/vorlane.ini" receive "$work/f/Fennick.so" --folder "$work/watch"
check_listed "Fennick (traced)" "$(count_clips "$work/f/vorlane.ini")" "$clips"
host_alone fennick "$work/f/vorlane.ini"
report "Fennick, second run: $clips new of $((clips + old)) files; clips listed: $listed" fennick

# Sorrend: CLIPS modified clip description files, each naming its own existing audio file.
mkdir -p "$work/s" "$work/render/Dovrel" "$work/audio"
cp "$build/bin/Sorrend.so" "$work/s/"
seq 0 $((clips - 1)) | awk -v d="$work/audio" '{ print d "/take-" $1 ".wav" }' | xargs -d '\n' truncate -s 44
seq 0 $((clips - 1)) | awk -v r="$work/render/Dovrel" -v a="$work/audio/" '{
  f = r "/take-" $1 ".SRB"
  printf "[Clip 0]\r\n__MODIFIED=1\r\nPATH=%s\r\nFILENAME=take-%d.wav\r\nROUTING=VA1A2\r\nNAME=take %d\r\n", a, $1, $1 > f
  close(f) }'
# A run clears the flags of what it listed; this sets them all back to modified.
modify_all() { find "$work/render/Dovrel" -name '*.SRB' -exec sed -i 's/^__MODIFIED=0/__MODIFIED=1/' {} +; }
sorrend=(receive "$work/s/Sorrend.so" --render-dir "$work/render/")

counted sorrend1 "${sorrend[@]}"
listed1=$(count_clips "$work/s/Vorlane.INI")
check_listed Sorrend "$listed1" "$clips"
remaining=$({ grep -l '^__MODIFIED=1' -r "$work/render/Dovrel" || true; } | wc -l)
[[ $remaining == 0 ]] || { echo "$0: Sorrend left $remaining files modified" >&2; exit 1; }
rm -f "$work/s/Vorlane.INI"
modify_all
traced sorrend1 "$work/s/Vorlane.INI" "${sorrend[@]}"
host_alone sorrend1 "$work/s/Vorlane.INI"
report "Sorrend, first run: $clips modified files, no clip list yet; clips listed: $listed1" sorrend1

# The re-run finds the clip list the first run left, and writes the same sections over it.
modify_all
counted sorrend2 "${sorrend[@]}"
listed2=$(count_clips "$work/s/Vorlane.INI")
check_listed "Sorrend (re-run)" "$listed2" "$clips"
modify_all
traced sorrend2 "$work/s/Vorlane.INI" "${sorrend[@]}"
host_alone sorrend2 "$work/s/Vorlane.INI"
report "Sorrend, re-run over the first run's clip list: $clips modified files; clips listed: $listed2" sorrend2
