#!/usr/bin/env bash
# Tries the README's set-up the way a new user meets it, on a throw-away minimal Debian 12 tree
# (debootstrap --variant=minbase bookworm) with the repository's committed HEAD cloned into it:
#   start    tools/start.sh must open the window (on an Xvfb started here): as root, installing
#            what the program needs, then as a user with sudo in a clone of the user's own; the
#            user's second run must open it again without configuring again;
#   install  the same user: the README's Install section exactly as written; the installed
#            program must open its window, and apt-get remove must leave none of its files;
#   check    as root, in a clone of its own: tools/check.sh must end with "all passed".
# Prints the time of each step and a verdict; the logs stay in the printed folder.
# Needs root, debootstrap, unshare, Xvfb, x11-utils and git on the host. The base tree is cached
# as a tarball in QNTE_FRESH_CACHE (default /var/cache/qnte418grafik-fresh); the Debian mirror is
# the host's own, read from apt. Slow (everything is installed and built anew), so CI skips it.
# Usage: sudo tools/fresh_machine_check.sh [--keep] [STEP...]   (default: start install check)
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)

# Own mount namespace: the tree's mounts stay invisible to the host and vanish with the script.
if [ -z "${QNTE_FRESH_UNSHARED:-}" ]; then
  [ "$(id -u)" -eq 0 ] || { echo "fresh_machine_check.sh must run as root (debootstrap, chroot)" >&2; exit 2; }
  QNTE_FRESH_UNSHARED=1 exec unshare --mount --propagation private "$0" "$@"
fi

keep=false
if [ "${1:-}" = --keep ]; then
  keep=true
  shift
fi
steps=("$@")
[ ${#steps[@]} -gt 0 ] || steps=(start install check)

for tool in debootstrap Xvfb xwininfo git; do
  command -v "$tool" >/dev/null || { echo "fresh_machine_check.sh needs $tool on the host" >&2; exit 2; }
done
cache=${QNTE_FRESH_CACHE:-/var/cache/qnte418grafik-fresh}
mirror=$(apt-cache policy | awk '$3 == "bookworm/main" && $2 ~ /^https?:\/\// { print $2; exit }')
[ -n "$mirror" ] || { echo "no bookworm mirror among the host's apt sources" >&2; exit 2; }
branch=$(git -C "$repo" symbolic-ref --short HEAD)
commit=$(git -C "$repo" rev-parse HEAD)
if [ -n "$(git -C "$repo" status --porcelain --untracked-files=no)" ]; then
  echo "note: uncommitted changes are not part of the check; it tries $commit" >&2
fi

base=$cache/bookworm-minbase.tar.gz
if [ ! -f "$base" ]; then
  echo "making the base tree from $mirror (once; cached in $base)"
  mkdir -p "$cache"
  staging=$(mktemp -d "$cache/base.XXXXXX")
  debootstrap --variant=minbase bookworm "$staging" "$mirror"
  tar -C "$staging" --numeric-owner -czf "$base.part" .
  mv "$base.part" "$base"
  rm -rf --one-file-system "$staging"
fi

root=$(mktemp -d /var/tmp/qnte418grafik-fresh.XXXXXX)
logs=$root.logs
mkdir -p "$logs"
xvfb_pid=""
program_pid=""
cleanup() {
  if [ -n "$program_pid" ]; then kill -- "-$program_pid" 2>/dev/null || true; fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  for mount in tmp/.X11-unix dev/pts dev sys proc; do
    if mountpoint -q "$root/$mount"; then umount -l "$root/$mount"; fi
  done
  if $keep; then
    echo "tree kept in $root"
  else
    rm -rf --one-file-system "$root"
  fi
}
trap cleanup EXIT

tar -C "$root" --numeric-owner -xzf "$base"
# The tarball's top carries its mktemp folder's 0700, which would shut every user but root out.
chmod 755 "$root"
cp /etc/resolv.conf "$root/etc/resolv.conf"
# A network that vouches for its HTTPS with a certificate of its own (the host names it for
# Node) must be trusted in the tree too, or npm's registry is out of reach: the network's
# setting, not the project's, so it is handed on as the host has it.
extra_ca=()
if [ -n "${NODE_EXTRA_CA_CERTS:-}" ] && [ -f "$NODE_EXTRA_CA_CERTS" ]; then
  cp "$NODE_EXTRA_CA_CERTS" "$root/etc/network-ca.crt"
  extra_ca=(NODE_EXTRA_CA_CERTS=/etc/network-ca.crt)
fi
printf '127.0.0.1 localhost\n127.0.1.1 %s\n' "$(hostname)" >"$root/etc/hosts"
mount -t proc proc "$root/proc"
mount -t sysfs sysfs "$root/sys"
mount --bind /dev "$root/dev"
mount --bind /dev/pts "$root/dev/pts"

# The X server runs on the host; the tree reaches its socket.
display_file=$logs/display
Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 3>"$display_file" 2>"$logs/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$display_file" ] && break
  sleep 0.1
done
display=:$(cat "$display_file")
mkdir -p "$root/tmp/.X11-unix"
mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix"

timings=()
verdict_failed=""
started_at=0
step_start() { started_at=$(date +%s); echo "== $1"; }
step_done() {
  local seconds=$(($(date +%s) - started_at))
  timings+=("$(printf '%-58s %4d min %02d s' "$1" $((seconds / 60)) $((seconds % 60)))")
}
failed() {
  echo "FAILED: $1" >&2
  verdict_failed=$1
  exit 1
}
trap 'cleanup; echo; printf "%s\n" "${timings[@]}"; [ -z "$verdict_failed" ] || echo "fresh machine: FAILED at $verdict_failed (logs in $logs)"' EXIT

in_tree() {   # in_tree USER COMMAND: a login-like environment, as a new user has it
  local user=$1 home=/root
  shift
  [ "$user" = root ] || home=/home/$user
  chroot --userspec="$(chroot "$root" id -u "$user"):$(chroot "$root" id -g "$user")" "$root" /usr/bin/env -i HOME="$home" USER="$user" LOGNAME="$user" \
    PATH=/usr/local/bin:/usr/bin:/bin:/usr/sbin:/sbin TERM=dumb DISPLAY="$display" "${extra_ca[@]}" \
    /bin/bash -c "cd && $*"
}
window_shown() {
  DISPLAY=$display xwininfo -root -tree 2>/dev/null | grep -q '" Air End : QNTe418"'
}
# wait_for_window LOG USER COMMAND: starts COMMAND in the tree, waits for the main window, ends it.
wait_for_window() {
  local log=$1
  shift
  setsid bash -c "$(declare -f in_tree); root=$root display=$display; in_tree $(printf '%q ' "$@")" \
    >"$log" 2>&1 &
  program_pid=$!
  while ! window_shown; do
    if ! kill -0 "$program_pid" 2>/dev/null; then
      tail -n 30 "$log"
      program_pid=""
      return 1
    fi
    sleep 2
  done
  # A picture of the screen beside the log, for a person to look at.
  if command -v import >/dev/null; then
    sleep 1
    DISPLAY=$display import -window root "${log%.log}.png" || true
  fi
  kill -- "-$program_pid"
  wait "$program_pid" 2>/dev/null || true
  program_pid=""
  while window_shown; do sleep 0.2; done
}

step_start "a user with sudo, and the repository cloned"
chroot "$root" apt-get update >"$logs/prepare.log" 2>&1
chroot "$root" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends sudo \
  >>"$logs/prepare.log" 2>&1 || failed "installing sudo (see $logs/prepare.log)"
chroot "$root" useradd --create-home --shell /bin/bash --groups sudo dev
echo 'dev ALL=(ALL:ALL) NOPASSWD: ALL' >"$root/etc/sudoers.d/dev"
git clone -q --branch "$branch" "$repo" "$root/home/dev/qnte418grafik"
chroot "$root" chown -R dev:dev /home/dev/qnte418grafik
git clone -q --branch "$branch" "$repo" "$root/root/qnte418grafik"
step_done "preparing the tree"

for step in "${steps[@]}"; do
  case $step in
    start)
      step_start "tools/start.sh as root, on a fresh tree"
      wait_for_window "$logs/start-root.log" root "cd qnte418grafik && tools/start.sh" ||
        failed "tools/start.sh as root: no window"
      step_done "start command as root (installs, builds, window)"
      step_start "tools/start.sh as a user with sudo"
      wait_for_window "$logs/start-1.log" dev "cd qnte418grafik && tools/start.sh" ||
        failed "tools/start.sh (first run): no window"
      step_done "start command as a user (builds, window)"
      step_start "tools/start.sh again: nothing to configure"
      stamp=$(stat -c %Y "$root/home/dev/qnte418grafik/build/run/CMakeCache.txt")
      wait_for_window "$logs/start-2.log" dev "cd qnte418grafik && tools/start.sh" ||
        failed "tools/start.sh (second run): no window"
      if grep -E 'Configuring|Re-running CMake' "$logs/start-2.log" ||
        [ "$stamp" != "$(stat -c %Y "$root/home/dev/qnte418grafik/build/run/CMakeCache.txt")" ]; then
        failed "tools/start.sh (second run) configured again"
      fi
      step_done "start command, second run (window)"
      ;;
    install)
      step_start "the README's Install section, exactly as written"
      # Its first code block: the lines indented by four spaces after "## Install".
      awk '/^## / { inside = ($0 == "## Install") } inside && /^    / { print substr($0, 5); found = 1; next }
           inside && found && !/^    / && NF { exit }' "$repo/README.md" >"$root/home/dev/install-section.sh"
      cat "$root/home/dev/install-section.sh"
      in_tree dev "cd qnte418grafik && bash -euxo pipefail ../install-section.sh" >"$logs/install.log" 2>&1 ||
        { tail -n 30 "$logs/install.log"; failed "the Install section"; }
      depends=$(in_tree dev "dpkg-query -W -f='\${Depends}' qnte418grafik")
      echo "installed; Depends: $depends"
      grep -q libqt6widgets6 <<<"$depends" || failed "the installed package has no computed dependencies"
      step_done "Install section (package built and installed)"
      step_start "the installed program"
      wait_for_window "$logs/installed.log" dev "qnte418grafik" || failed "the installed program: no window"
      files=$(in_tree dev "dpkg-query -L qnte418grafik" | while read -r path; do
        if [ -f "$root$path" ]; then echo "$path"; fi
      done)
      in_tree dev "sudo apt-get remove -y qnte418grafik" >"$logs/remove.log" 2>&1 || failed "apt-get remove"
      left=$(for path in $files; do if [ -e "$root$path" ]; then echo "$path"; fi; done)
      [ -z "$left" ] || failed "files left after removing the package: $left"
      step_done "installed program started, package removed"
      ;;
    check)
      step_start "tools/check.sh as root, in a clone of its own"
      in_tree root "cd qnte418grafik && tools/check.sh" >"$logs/check.log" 2>&1 ||
        { tail -n 40 "$logs/check.log"; failed "tools/check.sh"; }
      tail -n 1 "$logs/check.log"
      grep -q '^all passed: ' <(tail -n 1 "$logs/check.log") || failed "tools/check.sh: no verdict line"
      step_done "test command (installs, builds, all tests)"
      ;;
    *) failed "unknown step $step (start, install, check)" ;;
  esac
done
echo "fresh machine: all steps passed on $commit"
