# parsers/: every text input of the programs and what its reading does, and
# the command-line handling the classifier-like programs share.
#
# The nine grammars of the text inputs. Each is a bison LALR(1) parser
# parsers/<name>.y over a flex scanner parsers/<name>.l, all of whose globals
# carry the grammar's own symbol prefix: the ontology language el_krss_g, the
# simple queries el_krss_g_query_simple, the complex queries el_krss_g_query,
# the normalisation map el_krss_g_upload, the readers of a stored encoding
# el_dimacs_encoding, el_dimacs_encoding_pinp and el_dimacs_encoding_simple,
# the pinpointing information el_pinpointing_info and the axioms information
# el_axioms_info. The C++ they generate stays in the build tree; it is
# generated once and compiled into both core libraries (korvane_add_core),
# together with the support code every grammar shares (GrammarSupport:
# reading the input, line counting, diagnostics; GrammarLimits.h). The
# ontology and simple-query grammars are in both builds; the others belong to
# the library build only, and the readers of a stored encoding share one
# scanner description (block below).
#
# Beside each grammar, the class that does its actions: OntologyBuilder and
# NameLookup (ontology), SimpleQueryLoop and SimpleQueryActions (simple
# queries), ComplexQueries, NormalizationMapBuilder, EncodingReader,
# EncodingCopy with PinpointingEncodingReader and HornClauseTie (the stored
# encodings, checked by EncodingLimits), PinpointingInfoLoader and
# AxiomsInfoLoader (with TokenNumber and AxiomNumberLimit for their numbers).
# The drivers share CommandLineOptions (the base of their option classes),
# CommandLineFiles (the files they open) and QueryRun (the query phase).
# Included from the top-level CMakeLists.txt after KORVANE_CORE_SOURCES and
# KORVANE_LIBRARY_ONLY_SOURCES are set and before the core libraries are made.

find_package(BISON 3.0 REQUIRED)
find_package(FLEX 2.6 REQUIRED)

set(KORVANE_GRAMMAR_DIR ${PROJECT_BINARY_DIR}/parsers)
file(MAKE_DIRECTORY ${KORVANE_GRAMMAR_DIR})
set(KORVANE_GRAMMAR_OUTPUTS)

list(APPEND KORVANE_CORE_SOURCES
  parsers/GrammarSupport.cpp
  parsers/CommandLineFiles.cpp
  parsers/CommandLineOptions.cpp
  parsers/QueryRun.cpp
  parsers/NameLookup.cpp
  parsers/OntologyBuilder.cpp
  parsers/SimpleQueryLoop.cpp
)

# korvane_grammar(name prefix [LIBRARY_ONLY] [SCANNER file]): generates the
# parser and the scanner of parsers/<name>.y and parsers/<name>.l under the
# symbol prefix, and adds them to the core sources, or with LIBRARY_ONLY to the
# sources of the library build only. SCANNER takes the scanner from another
# file. The grammar file declares the same prefix with
# %define api.prefix {prefix}; the scanner gets it from here.
function(korvane_grammar name prefix)
  cmake_parse_arguments(GRAMMAR "LIBRARY_ONLY" "SCANNER" "" ${ARGN})
  set(sources KORVANE_CORE_SOURCES)
  if(GRAMMAR_LIBRARY_ONLY)
    set(sources KORVANE_LIBRARY_ONLY_SOURCES)
  endif()
  set(scanner ${PROJECT_SOURCE_DIR}/parsers/${name}.l)
  if(GRAMMAR_SCANNER)
    set(scanner ${GRAMMAR_SCANNER})
  endif()
  set(grammar ${PROJECT_SOURCE_DIR}/parsers/${name}.y)
  file(STRINGS ${grammar} declared REGEX "^%define[ \t]+api\\.prefix[ \t]+{${prefix}}")
  if(NOT declared)
    message(FATAL_ERROR "${grammar} must declare %define api.prefix {${prefix}}")
  endif()
  # The shared sizes and the shared way of reading (GrammarLimits.h) must be
  # seen before flex's defaults, so every scanner includes them in its %top.
  file(STRINGS ${scanner} limits REGEX "^#include \"parsers/GrammarLimits.h\"")
  if(NOT limits)
    message(FATAL_ERROR "${scanner} must include \"parsers/GrammarLimits.h\" in its %top block")
  endif()

  bison_target(${name}_parser ${grammar} ${KORVANE_GRAMMAR_DIR}/${name}.tab.cpp
    DEFINES_FILE ${KORVANE_GRAMMAR_DIR}/${name}.tab.hpp
    COMPILE_FLAGS "-Wall -Werror")
  flex_target(${name}_scanner ${scanner} ${KORVANE_GRAMMAR_DIR}/${name}.yy.cpp
    COMPILE_FLAGS "--prefix=${prefix} -Cf")
  add_flex_bison_dependency(${name}_scanner ${name}_parser)

  set(outputs ${BISON_${name}_parser_OUTPUTS} ${FLEX_${name}_scanner_OUTPUTS})
  set(${sources} ${${sources}} ${outputs} PARENT_SCOPE)
  set(KORVANE_GRAMMAR_OUTPUTS ${KORVANE_GRAMMAR_OUTPUTS} ${outputs} PARENT_SCOPE)
endfunction()

korvane_grammar(el_krss_g yy)
korvane_grammar(el_krss_g_query_simple simplequeryyy)

# The three readers of a stored encoding, in the library build only. Their
# scanners are one automaton: parsers/el_dimacs_encoding_scanner.l.in is made
# into each grammar's scanner in the build tree, under the grammar's symbol
# prefix and over the grammar's own tokens. The reload's reader adds the rule
# of parsers/el_dimacs_encoding_line.l.in (a Horn clause line as one token),
# and the code of parsers/el_dimacs_encoding_line_start.l.in at the start of
# each scan (such lines taken without the automaton).
function(korvane_encoding_grammar name prefix)
  cmake_parse_arguments(ENCODING "" "CLAUSE_LINE_RULE;CLAUSE_LINE_START" "" ${ARGN})
  set(GRAMMAR ${name})
  set(PREFIX ${prefix})
  foreach(part CLAUSE_LINE_RULE CLAUSE_LINE_START)
    set(${part} "")
    if(ENCODING_${part})
      file(READ ${ENCODING_${part}} text)
      string(CONFIGURE "${text}" ${part} @ONLY)
      set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${ENCODING_${part}})
    endif()
  endforeach()
  configure_file(${PROJECT_SOURCE_DIR}/parsers/el_dimacs_encoding_scanner.l.in
    ${KORVANE_GRAMMAR_DIR}/${name}.l @ONLY)
  korvane_grammar(${name} ${prefix} LIBRARY_ONLY SCANNER ${KORVANE_GRAMMAR_DIR}/${name}.l)
  set(KORVANE_LIBRARY_ONLY_SOURCES ${KORVANE_LIBRARY_ONLY_SOURCES} PARENT_SCOPE)
  set(KORVANE_GRAMMAR_OUTPUTS ${KORVANE_GRAMMAR_OUTPUTS} PARENT_SCOPE)
endfunction()

korvane_encoding_grammar(el_dimacs_encoding encyy
  CLAUSE_LINE_RULE ${PROJECT_SOURCE_DIR}/parsers/el_dimacs_encoding_line.l.in
  CLAUSE_LINE_START ${PROJECT_SOURCE_DIR}/parsers/el_dimacs_encoding_line_start.l.in)
korvane_encoding_grammar(el_dimacs_encoding_pinp encforpinpyy)
korvane_encoding_grammar(el_dimacs_encoding_simple simpleencyy)
list(APPEND KORVANE_LIBRARY_ONLY_SOURCES
  parsers/EncodingLimits.cpp
  parsers/EncodingReader.cpp
  parsers/EncodingCopy.cpp
  parsers/HornClauseTie.cpp
  parsers/PinpointingEncodingReader.cpp
)

# The normalisation map, the pinpointing information and the axioms
# information, read back by the library build only.
korvane_grammar(el_krss_g_upload uploadyy LIBRARY_ONLY)
korvane_grammar(el_pinpointing_info pinpyy LIBRARY_ONLY)
korvane_grammar(el_axioms_info axiomsyy LIBRARY_ONLY)
# The complex queries, answered all at once after the whole file (library
# build only).
korvane_grammar(el_krss_g_query queryyy LIBRARY_ONLY)
list(APPEND KORVANE_LIBRARY_ONLY_SOURCES parsers/ComplexQueries.cpp)

list(APPEND KORVANE_LIBRARY_ONLY_SOURCES
  parsers/TokenNumber.cpp
  parsers/AxiomNumberLimit.cpp
  parsers/NormalizationMapBuilder.cpp
  parsers/PinpointingInfoLoader.cpp
  parsers/PinpointingRecordQueue.cpp
  parsers/AxiomsInfoLoader.cpp
)

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
