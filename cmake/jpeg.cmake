# libjpeg (release 6 interface): the system's on Linux, the static
# libjpeg-turbo that scripts/setup builds for each mingw triplet on Windows.
add_library(kelbo_jpeg INTERFACE)
if(WIN32)
  if(NOT KELBO_JPEG_PREFIX)
    execute_process(COMMAND dpkg-query -W -f=\${source:Version} libjpeg62-turbo-dev
                    OUTPUT_VARIABLE _jpeg_version ERROR_QUIET)
    string(REGEX REPLACE "^[0-9]+:" "" _jpeg_version "${_jpeg_version}")
    set(_cache "$ENV{KELBO_CACHE}")
    if(NOT _cache)
      set(_cache /var/cache/kelbo)
    endif()
    set(KELBO_JPEG_PREFIX "${_cache}/libjpeg-turbo-${_jpeg_version}-${KELBO_TRIPLET}"
        CACHE PATH "libjpeg-turbo built for this triplet")
  endif()
  find_library(KELBO_JPEG_LIBRARY NAMES libjpeg.a PATHS ${KELBO_JPEG_PREFIX}/lib
               NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  if(NOT KELBO_JPEG_LIBRARY)
    message(FATAL_ERROR "libjpeg-turbo not found in ${KELBO_JPEG_PREFIX}: run scripts/setup")
  endif()
  target_include_directories(kelbo_jpeg SYSTEM INTERFACE ${KELBO_JPEG_PREFIX}/include)
  target_link_libraries(kelbo_jpeg INTERFACE ${KELBO_JPEG_LIBRARY})
else()
  find_package(JPEG REQUIRED)
  target_link_libraries(kelbo_jpeg INTERFACE JPEG::JPEG)
endif()
