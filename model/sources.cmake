set(MODEL_SOURCES
  model/console_frame.cpp
  model/voxel_group.cpp
  model/displacement_check.cpp
  model/scanned_text_file.cpp
  model/format2_reader.cpp
)
