set(FRAME_SOURCES
  frame/command_line.cpp
  frame/console_frame.cpp
  frame/format2_frame.cpp
  frame/value_list.cpp
)
