# Runs the layer check on the fixture tree, whose files break each rule once (and keep to it
# once, in host/good.cpp): the check must fail and report exactly the lines of expected.txt.
#   cmake -DCHECK=<check_layers.cmake> -DFIXTURE=<fixture tree> -P layer_order_fixture.cmake
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${FIXTURE} -P ${CHECK}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(status EQUAL 0)
  message(FATAL_ERROR "the layer check passed the fixture:\n${out}${err}")
endif()
string(REPLACE "\n" ";" lines "${out}${err}")
list(FILTER lines INCLUDE REGEX "^[^ ]+/[^ ]+: ")
file(STRINGS ${FIXTURE}/expected.txt expected)
set(missing ${expected})
list(REMOVE_ITEM missing ${lines})
set(extra ${lines})
list(REMOVE_ITEM extra ${expected})
if(missing OR extra)
  string(REPLACE ";" "\n  " missing "${missing}")
  string(REPLACE ";" "\n  " extra "${extra}")
  message(FATAL_ERROR "not reported:\n  ${missing}\nreported but not expected:\n  ${extra}")
endif()
message("the layer check reports every include of the fixture that breaks a rule, and no other")
