#!/usr/bin/env bash
# Prints the folder that holds the target's built dependencies.
echo "${FERRIN_DEPS:-${XDG_CACHE_HOME:-$HOME/.cache}/ferrin-deps}"
