# Sourced by the scripts that prepare captions for the tool: collects
# captions and writes the two caption files the way the tool keeps them,
# GBK text, lines joined by CR LF, no break after the last line.
#
#   captions_reset
#   add_caption TEXT FONT SIZE TEXT_COLOUR BACKGROUND SCROLLS DIRECTION SHOWN LEFT TOP STRIKE UNDERLINE STYLE [EFFECT EFFECT_COLOUR]
#   write_caption_files DIRECTORY
#
# Colours are decimal Windows colour values (rgb R G B gives one); the key
# colour $TRANSPARENT makes a caption's background see-through. SCROLLS,
# SHOWN, STRIKE and UNDERLINE are yes or no; DIRECTION is 1 left to right,
# 2 right to left, 3 top to bottom, 4 bottom to top; STYLE is 0 regular,
# 1 bold, 2 italic, 3 bold italic; EFFECT, when given, is 0 none, 1 shadow,
# 2 outline, drawn in EFFECT_COLOUR.

TRANSPARENT=4194368
RECORD_SEPARATOR='*-ZPMek-*'
CAPTION_TEXTS=()
CAPTION_LINES=()

rgb() { echo $(( $1 + $2 * 256 + $3 * 65536 )); }

logical() { if [ "$1" = yes ]; then printf '真'; else printf '假'; fi; }

captions_reset() { CAPTION_TEXTS=(); CAPTION_LINES=(); }

add_caption() {
  local text=$1 font=$2 size=$3 colour=$4 background=$5 scrolls=$6 direction=$7
  local shown=$8 left=$9 top=${10} strike=${11} underline=${12} style=${13}
  local fields=("$font" "$size" "$colour" "$background" "$(logical "$scrolls")" "$direction"
                "$(logical "$shown")" "$left" "$top" "$(logical "$strike")" "$(logical "$underline")" "$style")
  [ $# -ge 15 ] && fields+=("${14}" "${15}")
  local line="" field
  for field in "${fields[@]}"; do
    line+="${line:+$RECORD_SEPARATOR}$field"
  done
  CAPTION_TEXTS+=("$text")
  CAPTION_LINES+=("$line")
}

# Lines joined by CR LF, converted to GBK.
write_gbk_lines() {
  local file=$1; shift
  local i
  for i in $(seq 1 $#); do
    [ "$i" -gt 1 ] && printf '\r\n'
    printf '%s' "${!i}"
  done | iconv -f UTF-8 -t GBK > "$file"
}

write_caption_files() {
  local directory=$1
  write_gbk_lines "$directory/字幕.ini" "${CAPTION_TEXTS[@]}"
  write_gbk_lines "$directory/配置.ini" "${CAPTION_LINES[@]}"
}
