# Coded field values are spelled by their names from core/FieldCodes.h (and `gage::`) outside
# core/: fails, naming the file and line, on a comparison of a coded field with a bare number, on a
# numbered case of a switch on one, on a read switch or output format variable compared with one,
# or on a local constant that restates a code.
#
#   cmake -DMX_ROOT=<source dir> -P cmake/CheckFieldCodes.cmake
#
# CTest runs it as the test "field_codes".

# The fields whose values are codes, and the names the code gives their values when it keeps them
# in a variable.
set(coded "readSwitchMode|outputFormat|gageType|toggleMode|startChannelMode|unitsDecimals|equationDecimals|idMode|unitsConversion|endOfOutputMode|endOfPacketMode|readCommandMode|noResponseAction")
set(variables "readSwitch|outputFormat|gageType")
set(patterns
  "fld::(${coded})(, *[a-zA-Z0-9_:]+)?\\) *[=!<>]= *-?[0-9]"
  "[^:a-zA-Z_](${variables}) *[=!]= *[0-9]"
  "constexpr [a-z0-9_]+ k(Channel[A-E]|TirFormat|CustomFormat|CustomSequence|Rs232Gage|CustomMode|VariableDecimals|SingleRead|ContinuousOn[A-Za-z]*|Step[A-Z][a-z]+|SendString|CustomEnd|End(None|Cr|Lf|Custom|Gap)|Accept[A-Z][a-z]+|HandshakeLow|CommandString) = [0-9]"
  "enum [A-Za-z]+ \\{ *k(End(None|Cr)|AcceptAll|AcceptAny)"
)
set(folders editor report tool terminal nettest json apps)

cmake_minimum_required(VERSION 3.25)
if(NOT MX_ROOT)
  message(FATAL_ERROR "usage: cmake -DMX_ROOT=<source dir> -P CheckFieldCodes.cmake")
endif()

get_filename_component(MX_ROOT "${MX_ROOT}" ABSOLUTE)
set(problems 0)
foreach(folder IN LISTS folders)
  file(GLOB_RECURSE found "${MX_ROOT}/${folder}/*.cpp" "${MX_ROOT}/${folder}/*.h")
  foreach(path IN LISTS found)
    file(STRINGS "${path}" lines)
    file(RELATIVE_PATH shown "${MX_ROOT}" "${path}")
    set(number 0)
    set(in_switch FALSE)
    foreach(line IN LISTS lines)
      math(EXPR number "${number} + 1")
      if(line MATCHES "switch \\(.*fld::(${coded})[,)]")
        set(in_switch TRUE)
      elseif(in_switch AND line MATCHES "default:|^}")
        set(in_switch FALSE)
      elseif(in_switch AND line MATCHES "case +-?[0-9]")
        string(STRIP "${line}" line)
        message("${shown}:${number}: a field code spelled as a number: ${line}")
        math(EXPR problems "${problems} + 1")
        continue()
      endif()
      foreach(pattern IN LISTS patterns)
        if(line MATCHES "${pattern}")
          string(STRIP "${line}" line)
          message("${shown}:${number}: a field code spelled as a number: ${line}")
          math(EXPR problems "${problems} + 1")
          break()
        endif()
      endforeach()
    endforeach()
  endforeach()
endforeach()
if(problems GREATER 0)
  message(FATAL_ERROR "${problems} field codes spelled as numbers; use the names in core/FieldCodes.h")
endif()
message(STATUS "field codes: spelled by name")
