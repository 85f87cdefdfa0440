# bp_debian_source(PACKAGE OUT_DIR): the unpacked Debian source package PACKAGE of the suites
# apt knows (a deb-src entry is needed), downloaded and unpacked once into the build folder and
# reused from there on every later configure. Debian's own patches are applied by dpkg-source.
function(bp_debian_source package out_dir)
  set(downloads ${CMAKE_BINARY_DIR}/third_party/downloads)
  set(tree ${CMAKE_BINARY_DIR}/third_party/src/${package})
  if(NOT EXISTS ${tree}/.unpacked)
    file(MAKE_DIRECTORY ${downloads})
    file(GLOB dsc ${downloads}/${package}_*.dsc)
    if(NOT dsc)
      message(STATUS "Downloading the Debian source package ${package}")
      execute_process(COMMAND apt-get source --download-only ${package}
        WORKING_DIRECTORY ${downloads} RESULT_VARIABLE failed OUTPUT_QUIET ERROR_VARIABLE err)
      file(GLOB dsc ${downloads}/${package}_*.dsc)
      if(failed OR NOT dsc)
        message(FATAL_ERROR "apt-get source ${package} failed (is there a deb-src entry? "
          "scripts/bp.sh windows adds one):\n${err}")
      endif()
    endif()
    list(GET dsc -1 dsc)
    file(REMOVE_RECURSE ${tree})
    # dpkg-source puts copies of the upstream tarballs beside the tree it unpacks.
    file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/third_party/src)
    execute_process(COMMAND dpkg-source -x ${dsc} ${tree}
      WORKING_DIRECTORY ${downloads} RESULT_VARIABLE failed OUTPUT_QUIET ERROR_VARIABLE err)
    if(failed)
      message(FATAL_ERROR "dpkg-source could not unpack ${dsc}:\n${err}")
    endif()
    file(WRITE ${tree}/.unpacked "${dsc}\n")
  endif()
  file(READ ${tree}/.unpacked dsc)
  string(STRIP "${dsc}" dsc)
  get_filename_component(name ${dsc} NAME)
  string(REGEX REPLACE "\\.dsc$" "" name ${name})
  message(STATUS "Third-party source: ${name}")
  set(${out_dir} ${tree} PARENT_SCOPE)
endfunction()

# bp_redirect_find_package(NAME CONTENT): find_package(NAME) is answered by the targets this
# build made instead of a search of the cross root.
function(bp_redirect_find_package name content)
  string(TOLOWER ${name} lower)
  file(WRITE ${CMAKE_FIND_PACKAGE_REDIRECTS_DIR}/${lower}-config.cmake "${content}\n")
endfunction()
