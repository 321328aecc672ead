# The fuzz harnesses: tests/fuzz/fuzz_<name>.cpp, seeds in tests/fuzz/corpus/<name>/.
set(TOLVEX_FUZZ_HARNESSES
  bmp
  clip
  command
  date_pattern
  ftp
  print_settings
  registry
  settings_file
  settings_value
  size_cache
  version_file
  wave
  wildcard)
