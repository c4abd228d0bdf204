# The fuzz targets, by name: tests/fuzz/NAME_fuzz.cpp. The fuzz build makes
# them; the Windows build's ctest runs each for a few seconds.
set(TESSALY_FUZZ_TARGETS
  template_block       # the template block reader and unit tables
  type_data            # every unit type's type-data reader
  caption_store        # the caption store's lines, records and loader
  text_commands        # length, cuts, search, replace, split
  conversion_commands  # to text, integer, byte and byte-set
)
