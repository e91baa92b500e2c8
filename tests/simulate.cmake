# The stroke simulator: the unit tests run the tool, and a benchmark prints its CPU cost per
# simulated second (a figure to read, not a pass/fail limit).
add_dependencies(quillmoor_tests simulate)
add_test(NAME simulate_benchmark COMMAND simulate --benchmark)
