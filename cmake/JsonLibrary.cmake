# nlohmann/json as the target nlohmann_json::nlohmann_json. It is headers
# only and the same for every target, but Debian keeps it in /usr/include
# beside the build machine's C library, which a cross build must not see:
# there its folder alone is seen, through a link in the build tree.
if(NOT CMAKE_CROSSCOMPILING)
    find_package(nlohmann_json 3 REQUIRED)
    return()
endif()
find_path(QNTCALC_JSON_INCLUDE_DIR nlohmann/json.hpp PATHS /usr/include
          NO_CMAKE_FIND_ROOT_PATH NO_DEFAULT_PATH REQUIRED)
set(headers ${PROJECT_BINARY_DIR}/json-headers)
file(MAKE_DIRECTORY ${headers})
file(CREATE_LINK ${QNTCALC_JSON_INCLUDE_DIR}/nlohmann ${headers}/nlohmann SYMBOLIC)
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
target_include_directories(nlohmann_json::nlohmann_json INTERFACE ${headers})
