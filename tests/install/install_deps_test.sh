#!/usr/bin/env bash
# Runs tools/install-deps.sh against stand-ins for dpkg-query, apt-get, id and sudo: what it
# does when nothing is missing, and that a package it cannot install is named and fails the run.
# Usage: install_deps_test.sh SOURCE_DIR
set -euo pipefail
script=$1/tools/install-deps.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The stand-ins read the case from the environment: INSTALLED (the packages dpkg knows, or
# "all"), UID_IS, APT_UPDATE and APT_INSTALL (exit statuses); APT_GIVES adds packages to
# INSTALLED as apt-get install "installs" them.
bin=$work/bin
mkdir "$bin"
for tool in grep env cat; do ln -s "$(command -v "$tool")" "$bin/$tool"; done
cat >"$bin/dpkg-query" <<'EOF'
#!/bin/bash
package=${!#}
installed=$INSTALLED
[ -f "$STATE" ] && installed="$installed $(cat "$STATE")"
[[ " $installed " == *" $package "* || $installed == all ]] && echo -n 'install ok installed'
exit 0
EOF
cat >"$bin/id" <<'EOF'
#!/bin/bash
echo "$UID_IS"
EOF
cat >"$bin/apt-get" <<'EOF'
#!/bin/bash
echo "apt-get $*" >>"$CALLS"
[ "$1" = update ] && exit "$APT_UPDATE"
[ "$APT_INSTALL" = 0 ] && echo "$APT_GIVES" >"$STATE"
exit "$APT_INSTALL"
EOF
cat >"$work/sudo" <<'EOF'
#!/bin/bash
echo "sudo" >>"$CALLS"
exec "$@"
EOF
chmod +x "$bin"/* "$work/sudo"
run_packages=$(sed -n 's/^run_packages=(\(.*\))$/\1/p' "$script")

# name | mode | installed | uid | sudo | update | install | apt gives | status | message
while IFS='|' read -r name mode installed uid sudo update install gives status message; do
  [ -n "$name" ] || continue
  rm -f "$work/state" "$work/calls" "$work/bin/sudo"
  [ "$sudo" = yes ] && ln -s "$work/sudo" "$bin/sudo"
  [ "$installed" = run_packages ] && installed=$run_packages
  [ "$gives" = run_packages ] && gives=$run_packages
  output=$(PATH=$bin INSTALLED=$installed UID_IS=$uid APT_UPDATE=$update APT_INSTALL=$install \
    APT_GIVES=$gives STATE=$work/state CALLS=$work/calls /bin/bash "$script" $mode 2>&1) && got=0 || got=$?
  [ "$got" = "$status" ] || fail "$name: exit status $got, expected $status: $output"
  [ -z "$message" ] || grep -q -- "$message" <<<"$output" || fail "$name: no '$message' in: $output"
  if [ "$name" = nothing_missing_installs_nothing ] && [ -f "$work/calls" ]; then
    fail "$name: called $(cat "$work/calls")"
  fi
  if [ "$name" = user_installs_through_sudo ] && ! grep -q sudo "$work/calls"; then
    fail "$name: apt-get ran without sudo"
  fi
done <<'EOF'
nothing_missing_installs_nothing|run|all|1000|no|0|0||0|
root_installs_without_sudo|run||0|no|0|0|run_packages|0|Installing for 'run'
user_installs_through_sudo|run||1000|yes|0|0|run_packages|0|
user_without_sudo_names_the_packages|run||1000|no|0|0||1|Cannot install cmake .*not root and sudo is not installed
no_network_names_the_packages|run||0|no|100|0||1|Cannot install cmake .*apt-get update failed
package_still_missing_after_install_is_named|run||0|no|0|0|cmake|1|Could not install ninja-build
failed_install_is_not_success|run||0|no|0|100||1|Could not install cmake
test_mode_needs_the_test_packages|test|run_packages|0|no|100|0||1|Cannot install .*libgtest-dev
package_mode_needs_dpkg_dev|package|run_packages|0|no|100|0||1|Cannot install dpkg-dev file
unknown_mode_is_a_usage_error|nonsense|all|0|no|0|0||2|usage
EOF

[ "$failures" -eq 0 ]
