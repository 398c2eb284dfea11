#!/usr/bin/env bash
# Installs the Debian package with dpkg into an empty root and checks that
# exactly the expected files landed there, that the installed program starts
# from its desktop entry, and that every package it depends on is installed
# on this machine, so that the package would install here as well.
#
# Usage: check_deb_install.sh DEB_DIR WORK_DIR APP_ID EXPECTED_PATH...
#   DEB_DIR holds the one paylog_*.deb; WORK_DIR is emptied and used for the
#   root, the program's home and the logs; each EXPECTED_PATH is a file below
#   /usr (bin/paylog, share/...).
# Exits 77 (skipped) when dpkg cannot be run as root in any way here.
set -euo pipefail

deb_dir=$1 work=$2 app_id=$3
shift 3
expected=("$@")

program_pid=""
trap '[ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null; true' EXIT

fail() {
  echo "FAILED: $*" >&2
  exit 1
}
skip() {
  echo "SKIPPED: $*"
  exit 77
}

debs=("$deb_dir"/paylog_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one paylog_*.deb in $deb_dir"
deb=${debs[0]}

rm -rf "$work"
root=$work/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates" "$root/var/log"
: >"$root/var/lib/dpkg/status"

# dpkg has to be root to give the files their owners; a normal user becomes
# root of a user namespace of its own, or pretends to be with fakeroot.
as_root=()
if [ "$(id -u)" -ne 0 ]; then
  if unshare --map-root-user true 2>/dev/null; then
    as_root=(unshare --map-root-user)
  elif command -v fakeroot >/dev/null; then
    as_root=(fakeroot)
  else
    skip "dpkg --root needs root, a user namespace (unshare) or fakeroot"
  fi
fi

# The empty root has none of the dependencies; they are checked against this
# machine below. dpkg's own log goes into the root, not into /var/log.
if ! "${as_root[@]}" dpkg --root="$root" --log="$root/var/log/dpkg.log" --force-depends \
  -i "$deb" >"$work/dpkg.out" 2>&1; then
  cat "$work/dpkg.out" >&2
  fail "dpkg -i into $root failed"
fi

admin=(--admindir="$root/var/lib/dpkg")
status=$(dpkg-query "${admin[@]}" -W -f='${db:Status-Status}' paylog)
[ "$status" = installed ] || fail "paylog is '$status' in the root, not installed"

# Exactly the expected files, both in dpkg's list and on disk.
listed=$(dpkg-query "${admin[@]}" -L paylog)
for path in "${expected[@]}"; do
  grep -qxF "/usr/$path" <<<"$listed" || fail "dpkg does not list /usr/$path"
  [ -f "$root/usr/$path" ] || fail "/usr/$path was not installed"
done
while IFS= read -r installed; do
  [ -f "$root$installed" ] || continue # folders
  wanted=no
  for path in "${expected[@]}"; do
    [ "$installed" = "/usr/$path" ] && wanted=yes && break
  done
  [ $wanted = yes ] || fail "unexpected file in the package: $installed"
done <<<"$listed"

# The program the desktop entry starts: a bare name is looked up in /usr/bin.
entry=$root/usr/share/applications/$app_id.desktop
command=$(sed -n 's/^Exec=//p' "$entry" | head -n 1)
command=${command%% *}
[ -n "$command" ] || fail "$entry has no Exec line"
case $command in
  /*) program=$root$command ;;
  *) program=$root/usr/bin/$command ;;
esac
[ -x "$program" ] || fail "Exec=$command of the desktop entry is not an installed program"

# Started means: its libraries loaded, the window came up and the start-up
# wrote the new, empty log into its data directory; it then waits at the
# password prompt until it is ended. Its data directory is its own folder in
# the root, or failing that the home made here: never the user's.
home=$work/home
mkdir -p "$home" "$work/runtime"
chmod 700 "$work/runtime"
env QT_QPA_PLATFORM=offscreen HOME="$home" XDG_DATA_HOME="$home/.local/share" \
  XDG_CONFIG_HOME="$home/.config" XDG_CACHE_HOME="$home/.cache" XDG_RUNTIME_DIR="$work/runtime" \
  "$program" >"$work/program.out" 2>&1 &
program_pid=$!

log_written() {
  [ -n "$(find "$(dirname "$program")" "$home/.local/share/paylog" -maxdepth 1 \
    -iname '加班.edb' 2>/dev/null)" ]
}
started=no
for _ in $(seq 300); do
  if ! kill -0 "$program_pid" 2>/dev/null; then
    cat "$work/program.out" >&2
    fail "the installed program ended at start-up"
  fi
  if log_written; then
    started=yes
    break
  fi
  sleep 0.1
done
[ $started = yes ] || fail "the installed program wrote no log within 30 s"
kill "$program_pid"
wait "$program_pid" 2>/dev/null || true
program_pid=""

# Every dependency, alternatives and version bounds included, is satisfied by
# a package installed on this machine.
satisfied_here() {
  local name=$1 relation=$2 version=$3 line
  while IFS= read -r line; do
    [ "${line%% *}" = installed ] || continue
    [ -z "$relation" ] && return 0
    dpkg --compare-versions "${line#* }" "$relation" "$version" && return 0
  done < <(dpkg-query -W -f='${db:Status-Status} ${Version}\n' "$name" 2>/dev/null)
  return 1
}
# "name[:arch] [(relation version)]"
dependency_form='^[[:space:]]*([^[:space:]:(]+)(:[^[:space:](]+)?[[:space:]]*(\(([<>=]+)[[:space:]]*([^)[:space:]]+)\))?[[:space:]]*$'
missing=()
IFS=',' read -ra groups <<<"$(dpkg-deb -f "$deb" Depends)"
for group in "${groups[@]}"; do
  ok=no
  IFS='|' read -ra alternatives <<<"$group"
  for alternative in "${alternatives[@]}"; do
    if [[ $alternative =~ $dependency_form ]]; then
      satisfied_here "${BASH_REMATCH[1]}" "${BASH_REMATCH[4]}" "${BASH_REMATCH[5]}" && ok=yes && break
    else
      fail "cannot read the dependency '$alternative'"
    fi
  done
  [ $ok = yes ] || missing+=("${group# }")
done
[ ${#missing[@]} -eq 0 ] || fail "not installed on this machine: ${missing[*]}"

echo "installed into $root, started from Exec=$command, ${#groups[@]} dependencies installed here"
