# Builds both programs with everything they and their installation need (the modules beside
# them, the data, the indexes of the bundled dictionaries) in the build folder BUILD; sourced by
# run.sh and by the install test.
build_programs() {
    cmake --build "$1" -j "$(nproc)" --target garvo lexorim garvo_data
}
