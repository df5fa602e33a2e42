#!/usr/bin/env bash
# The make program of the build trees: a top-level run holds a lock on its tree,
# so that builds started at the same time in one tree take turns instead of
# writing the same objects at once. Nested runs (make calling make) pass through.
if [ -n "${MAKELEVEL:-}" ] || [ -n "${FERRIN_BUILD_LOCKED:-}" ]; then
  exec make "$@"
fi
export FERRIN_BUILD_LOCKED=1
exec flock "${PWD}/.build.lock" make "$@"
