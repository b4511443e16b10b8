# Qt and SQLite for the Windows build. Looked for, in this order:
#   1. ORBELIN_WINDOWS_SDK (environment or cache): an unpacked SDK folder or its .tar.xz;
#   2. the SDK tarball in ../shared/sdk/ beside the source tree, unpacked into the build folder;
#   3. built from Debian's source packages into ORBELIN_WINDOWS_SDK_CACHE (default
#      ~/.cache/orbelin-windows-sdk) by scripts/build-windows-sdk.sh: slow the first time
#      (30-45 minutes on two cores), then reused.
set(kSdkName orbelin-windows-sdk)

function(orbelin_unpack_sdk tarball result)
  set(target ${CMAKE_BINARY_DIR}/_sdk)
  set(stamp ${target}/unpacked.stamp)
  if(NOT EXISTS ${stamp} OR ${tarball} IS_NEWER_THAN ${stamp})
    message(STATUS "Unpacking the Windows SDK ${tarball}")
    file(REMOVE_RECURSE ${target})
    file(ARCHIVE_EXTRACT INPUT ${tarball} DESTINATION ${target})
    file(TOUCH ${stamp})
  endif()
  set(${result} ${target}/${kSdkName} PARENT_SCOPE)
endfunction()

if(NOT ORBELIN_WINDOWS_SDK AND DEFINED ENV{ORBELIN_WINDOWS_SDK})
  set(ORBELIN_WINDOWS_SDK $ENV{ORBELIN_WINDOWS_SDK})
endif()
file(GLOB shared_tarballs ${PROJECT_SOURCE_DIR}/../shared/sdk/${kSdkName}-*.tar.xz)

if(ORBELIN_WINDOWS_SDK)
  if(IS_DIRECTORY ${ORBELIN_WINDOWS_SDK})
    set(sdk ${ORBELIN_WINDOWS_SDK})
  elseif(EXISTS ${ORBELIN_WINDOWS_SDK})
    orbelin_unpack_sdk(${ORBELIN_WINDOWS_SDK} sdk)
  else()
    message(FATAL_ERROR "ORBELIN_WINDOWS_SDK=${ORBELIN_WINDOWS_SDK} is neither a folder nor a file")
  endif()
elseif(shared_tarballs)
  list(GET shared_tarballs 0 tarball)
  orbelin_unpack_sdk(${tarball} sdk)
else()
  if(DEFINED ENV{ORBELIN_WINDOWS_SDK_CACHE})
    set(cache $ENV{ORBELIN_WINDOWS_SDK_CACHE})
  else()
    set(cache $ENV{HOME}/.cache/orbelin-windows-sdk)
  endif()
  if(NOT EXISTS ${cache}/${kSdkName}/lib/libsqlite3.a)
    message(STATUS "No Windows SDK found: building Qt and SQLite from Debian's source packages into ${cache} "
                   "(30-45 minutes the first time)")
    execute_process(COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/build-windows-sdk.sh ${cache}/work ${cache}/${kSdkName}
                    RESULT_VARIABLE built)
    if(NOT built EQUAL 0)
      message(FATAL_ERROR "Building the Windows SDK failed")
    endif()
  endif()
  set(sdk ${cache}/${kSdkName})
endif()

if(NOT EXISTS ${sdk}/lib/cmake/Qt6/Qt6Config.cmake)
  message(FATAL_ERROR "${sdk} holds no Qt 6 for Windows")
endif()
message(STATUS "Windows SDK: ${sdk}")
set(ORBELIN_WINDOWS_SDK_DIR ${sdk} CACHE INTERNAL "The unpacked Windows SDK")
list(PREPEND CMAKE_PREFIX_PATH ${sdk})
set(QT_HOST_PATH /usr CACHE PATH "Host Qt tools (moc, rcc, uic)")
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "Host Qt CMake files")
set(SQLite3_INCLUDE_DIR ${sdk}/include CACHE PATH "SQLite for Windows")
set(SQLite3_LIBRARY ${sdk}/lib/libsqlite3.a CACHE FILEPATH "SQLite for Windows")
