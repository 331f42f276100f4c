# Window benchmarks, included by bench/CMakeLists.txt when the windows are built.
add_executable(bench_cross_hair cross_hair_bench.cpp)
target_link_libraries(bench_cross_hair PRIVATE qnte_ui benchmark::benchmark qnte_warnings)

# The two windows whose start bench_startup times: the program's, and the floor, Qt and one
# empty window with none of the program's code.
find_package(Qt6 REQUIRED COMPONENTS Widgets)
add_executable(bench_program_window program_window.cpp)
target_link_libraries(bench_program_window PRIVATE qnte_ui qnte_warnings)
add_executable(bench_bare_window bare_window.cpp)
target_include_directories(bench_bare_window PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(bench_bare_window PRIVATE layout Qt6::Widgets qnte_warnings)

add_executable(bench_startup startup_bench.cpp)
target_link_libraries(bench_startup PRIVATE benchmark::benchmark qnte_warnings)
target_include_directories(bench_startup PRIVATE ${PROJECT_SOURCE_DIR})
target_compile_definitions(bench_startup PRIVATE QNTE_PROGRAM_WINDOW="$<TARGET_FILE:bench_program_window>"
                                                 QNTE_BARE_WINDOW="$<TARGET_FILE:bench_bare_window>")
add_dependencies(bench_startup bench_program_window bench_bare_window)
