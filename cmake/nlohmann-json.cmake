# nlohmann's JSON library is header-only: the native and the Windows build
# compile the same headers. Only its own folder joins the include path (a
# copy in the build tree), so that a cross build never sees the host's other
# headers in /usr/include.
find_path(ZELVANE_NLOHMANN_JSON_ROOT nlohmann/json.hpp
          PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(zelvane_json_include ${PROJECT_BINARY_DIR}/nlohmann-json)
file(COPY ${ZELVANE_NLOHMANN_JSON_ROOT}/nlohmann DESTINATION ${zelvane_json_include})

add_library(zelvane_nlohmann_json INTERFACE)
target_include_directories(zelvane_nlohmann_json SYSTEM INTERFACE ${zelvane_json_include})
