# The grammars of the text inputs. Each is a bison LALR(1) parser
# parsers/<name>.y over a flex scanner parsers/<name>.l, all of whose globals
# carry the grammar's own symbol prefix. The C++ they generate stays in the
# build tree; it is generated once and compiled into both core libraries
# (korvane_add_core), together with the support code every grammar shares.
# Included from the top-level CMakeLists.txt after KORVANE_CORE_SOURCES is set
# and before the core libraries are made.

find_package(BISON 3.0 REQUIRED)
find_package(FLEX 2.6 REQUIRED)

set(KORVANE_GRAMMAR_DIR ${PROJECT_BINARY_DIR}/parsers)
file(MAKE_DIRECTORY ${KORVANE_GRAMMAR_DIR})
set(KORVANE_GRAMMAR_OUTPUTS)

list(APPEND KORVANE_CORE_SOURCES
  parsers/GrammarSupport.cpp
  parsers/NameLookup.cpp
  parsers/OntologyBuilder.cpp
  parsers/SimpleQueryLoop.cpp
)

# korvane_grammar(name prefix): generates the parser and the scanner of
# parsers/<name>.y and parsers/<name>.l under the symbol prefix, and adds them
# to the core sources. The grammar file declares the same prefix with
# %define api.prefix {prefix}; the scanner gets it from here.
function(korvane_grammar name prefix)
  set(grammar ${PROJECT_SOURCE_DIR}/parsers/${name}.y)
  set(scanner ${PROJECT_SOURCE_DIR}/parsers/${name}.l)
  file(STRINGS ${grammar} declared REGEX "^%define[ \t]+api\\.prefix[ \t]+{${prefix}}")
  if(NOT declared)
    message(FATAL_ERROR "${grammar} must declare %define api.prefix {${prefix}}")
  endif()

  bison_target(${name}_parser ${grammar} ${KORVANE_GRAMMAR_DIR}/${name}.tab.cpp
    DEFINES_FILE ${KORVANE_GRAMMAR_DIR}/${name}.tab.hpp
    COMPILE_FLAGS "-Wall -Werror")
  flex_target(${name}_scanner ${scanner} ${KORVANE_GRAMMAR_DIR}/${name}.yy.cpp
    COMPILE_FLAGS "--prefix=${prefix} -Cf")
  add_flex_bison_dependency(${name}_scanner ${name}_parser)

  set(outputs ${BISON_${name}_parser_OUTPUTS} ${FLEX_${name}_scanner_OUTPUTS})
  set(KORVANE_CORE_SOURCES ${KORVANE_CORE_SOURCES} ${outputs} PARENT_SCOPE)
  set(KORVANE_GRAMMAR_OUTPUTS ${KORVANE_GRAMMAR_OUTPUTS} ${outputs} PARENT_SCOPE)
endfunction()

korvane_grammar(el_krss_g yy)
korvane_grammar(el_krss_g_query_simple simplequeryyy)

# Both core libraries list the generated files. Ninja runs each generator once;
# for generators that would run them once per library, a target of their own
# runs them first.
add_custom_target(korvane_grammars DEPENDS ${KORVANE_GRAMMAR_OUTPUTS})
if(NOT CMAKE_VERSION VERSION_LESS 3.19)
  function(korvane_grammars_first)
    foreach(library korvane_core korvane_core_classifier)
      if(TARGET ${library})
        add_dependencies(${library} korvane_grammars)
      endif()
    endforeach()
  endfunction()
  cmake_language(DEFER CALL korvane_grammars_first)
endif()
