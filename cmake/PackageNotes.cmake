# Writes the package's readable notes, as a Windows user opens them (UTF-8
# with a byte-order mark, CR LF lines):
#   README.txt   the user guide, Chinese and English, from README.md
#   VERSION.txt  the product, its version and what it runs on
#   LICENSE.txt  the project's licence, then the third-party notices
# cmake -DREADME=... -DLICENCE=... -DNOTICES=name=file;... -DVERSION=... -DOUTPUT=dir -P PackageNotes.cmake

string(ASCII 239 187 191 byte_order_mark)

function(write_note name text)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE ${OUTPUT}/${name} "${byte_order_mark}${text}")
endfunction()

# The guide is README.md from its Chinese heading up to the layout of the
# sources; pictures and mark-up that read badly as plain text are left out.
file(READ ${README} readme)
string(FIND "${readme}" "## 使用说明" first)
string(FIND "${readme}" "\n## Layout" last)
if(first EQUAL -1 OR last EQUAL -1 OR last LESS first)
  message(FATAL_ERROR "README.md has no user guide between \"## 使用说明\" and \"## Layout\"")
endif()
math(EXPR length "${last} - ${first}")
string(SUBSTRING "${readme}" ${first} ${length} guide)
string(REGEX REPLACE "!\\[[^]]*\\]\\([^)]*\\)\n\n?" "" guide "${guide}")
string(REGEX REPLACE "\n`bash scripts/screenshots.sh`[^\n]*\n" "\n" guide "${guide}")
string(REPLACE "**" "" guide "${guide}")
string(REPLACE "`" "" guide "${guide}")
string(REGEX REPLACE "(^|\n)## " "\\1" guide "${guide}")
write_note(README.txt "Tessaly字幕 ${VERSION}\n\n${guide}")

write_note(VERSION.txt "Tessaly字幕 ${VERSION}\nWindows 10 and 11, 64-bit (x64)\n")

file(READ ${LICENCE} licence)
set(text "${licence}\n\nThird-party notices\n===================\n\ntessaly.exe carries parts of the following, under their own terms.\n")
foreach(entry IN LISTS NOTICES)
  string(FIND "${entry}" "=" split)
  string(SUBSTRING "${entry}" 0 ${split} name)
  math(EXPR start "${split} + 1")
  string(SUBSTRING "${entry}" ${start} -1 file)
  if(NOT EXISTS ${file})
    message(FATAL_ERROR "the notice of ${name} is missing: ${file}")
  endif()
  file(READ ${file} notice)
  string(APPEND text "\n\n---- ${name} ----\n\n${notice}")
endforeach()
write_note(LICENSE.txt "${text}")
