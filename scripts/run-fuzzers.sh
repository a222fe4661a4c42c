# A short, seeded run of each fuzz target from the bundled pages and pictures and the inputs kept
# in fuzz/corpus; sourced by test.sh.
# The seeds are copied away first: libFuzzer adds what it finds to its corpus folder.
run_fuzzers() {
    local tree=$1
    CC=clang CXX=clang++ cmake -S . -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DGARVO_FUZZ=ON \
        -DGARVO_BENCH=OFF >/dev/null
    cmake --build "$tree" -j "$(nproc)" --target fuzz_scanner fuzz_page fuzz_gif fuzz_picture \
        fuzz_theme_picture fuzz_dictionary fuzz_ini

    # Seeds, findings and the targets' own files in memory where it can be: the dictionary
    # target syncs every file it writes.
    local memory=""
    if [ -d /dev/shm ] && [ -w /dev/shm ]; then
        memory=$(mktemp -d /dev/shm/garvo_fuzzers_XXXXXX)
    fi
    local temporary=${memory:-${TMPDIR:-/tmp}}
    local corpus
    corpus=$(mktemp -d "$temporary/garvo_corpus_XXXXXX")
    mkdir -p "$corpus/html" "$corpus/gif" "$corpus/picture"
    cp data/Aide/*.htm data/Dictionnaires/*.htm "$corpus/html/"
    head -c 3000 data/Dictionnaires/Francais.dat > "$corpus/html/dictionary.txt"
    cp data/Dictionnaires/img/*.gif data/Aide/info.gif "$corpus/gif/"
    cp data/Dictionnaires/img/* "$corpus/picture/"
    # Inputs that once failed stay as seeds, one folder per seed set.
    local kept
    for kept in fuzz/corpus/*/; do
        mkdir -p "$corpus/$(basename "$kept")"
        cp "$kept"* "$corpus/$(basename "$kept")/"
    done

    local target seeds runs
    while read -r target seeds runs; do
        echo "Fuzzing $target ($runs runs)"
        if ! TMPDIR=$temporary "$tree/fuzz/fuzz_$target" -seed=1 -runs="$runs" -max_len=8192 -artifact_prefix="$corpus/" \
            "$corpus/$seeds" < /dev/null > "$corpus/$target.log" 2>&1; then
            cat "$corpus/$target.log"
            echo "The input that failed is kept in $corpus" >&2
            return 1
        fi
        tail -n 1 "$corpus/$target.log"
    done <<'TARGETS'
scanner html 5000
page html 1000
gif gif 2000
picture picture 5000
theme_picture theme-picture 5000
dictionary dictionary 2000
ini ini 2000
TARGETS
    rm -rf "$corpus"
    [ -z "$memory" ] || rm -rf "$memory"
}
