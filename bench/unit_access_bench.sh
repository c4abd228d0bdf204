#!/usr/bin/env bash
# Builds and runs the unit access benchmark under Wine (bench/wine_bench.sh).
exec bash "$(dirname "${BASH_SOURCE[0]}")/wine_bench.sh" unit_access_bench
