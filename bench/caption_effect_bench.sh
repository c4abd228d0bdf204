#!/usr/bin/env bash
# Builds and runs the caption effect benchmark under Wine (bench/wine_bench.sh).
exec bash "$(dirname "${BASH_SOURCE[0]}")/wine_bench.sh" caption_effect_bench
