# Window benchmarks, included by bench/CMakeLists.txt when the windows are built.
add_executable(bench_cross_hair cross_hair_bench.cpp)
target_link_libraries(bench_cross_hair PRIVATE qnte_ui benchmark::benchmark qnte_warnings)

add_executable(bench_startup startup_bench.cpp)
target_link_libraries(bench_startup PRIVATE qnte_ui benchmark::benchmark qnte_warnings)
