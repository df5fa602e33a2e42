#!/usr/bin/env bash
# The 32-bit smoke stage: a few whole test programs of build-win32/ (the shipped
# i686 build), each run as one process, inside scripts/win32-session.sh. They
# cover what differs between the widths: record and structure sizes, pointer
# casts, stdcall callbacks and undecorated exports (class library, setup-data
# reader, install engine, recording view, video.exe on the virtual camera, and
# setup.exe installing silently and through its pages, then uninstalling).
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
tests="$here/../build-win32/tests"

programs=(classlib_tests setup_reader_tests setup_install_tests video_view_nodevice_tests
          video_shell_program_tests setup_wizard_tests)
# Whole programs, but for the setup program only its two main roads: setup.exe
# installing silently and uninstalling, and the page walk through an install.
declare -A filters=(
  [setup_wizard_tests]="WizardRoadsTest.SilentInstall*:WizardRoadsTest.PagesWalk*")

failed=()
for name in "${programs[@]}"; do
  program="$tests/$name/$name.exe"
  if [ ! -f "$program" ]; then
    echo "test32-smoke: $program is missing" >&2
    failed+=("$name")
    continue
  fi
  start=$(date +%s)
  # The test program's own folder is its working folder, as under CTest.
  filter=${filters[$name]:-*}
  if (cd "$(dirname "$program")" && bash "$here/wine-run.sh" "$program" --gtest_brief=1 --gtest_filter="$filter") \
       >"$tests/$name/smoke32.log" 2>&1; then
    echo "test32-smoke: $name passed ($(( $(date +%s) - start )) s)"
  else
    echo "test32-smoke: $name FAILED ($(( $(date +%s) - start )) s); its output:"
    cat "$tests/$name/smoke32.log"
    failed+=("$name")
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "test32-smoke: failed: ${failed[*]}" >&2
  exit 1
fi
