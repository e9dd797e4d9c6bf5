# The libFuzzer settings of each target, shared by scripts/test.sh (the CI
# minute) and scripts/fuzz.sh (longer campaigns). Sourced, not run.
#
# repaint: inputs up to 262144 bytes (8192 records), so the cost of whole
#   pages of records is reached. The slowest such inputs found (thousands
#   of text cells in fonts over 100 points) take 0.8 s in this sanitizer
#   and coverage build and 0.1 s in a release build, so one that takes 5 s
#   is reported as a hang. The text pixel loops carry no coverage
#   (coverage_ignorelist.txt): traced per pixel they cost 30 times more.
# pointer: a document of up to 511 records and up to 200 gestures, each
#   checked against a fresh repaint; 5 s counts as a hang.
# LeakSanitizer is on (per input and at exit); fuzz/lsan.supp names the
# one allocation kept for the whole process that it must not count.

veltrano_fuzz_environment() {
    echo "QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1:abort_on_error=1" \
        "LSAN_OPTIONS=suppressions=$PWD/fuzz/lsan.supp UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
}

veltrano_fuzz_corpus() {
    case "$1" in
        repaint) echo fuzz/corpus ;;
        pointer) echo fuzz/corpus-pointer ;;
        *) echo "unknown fuzz target: $1" >&2; return 1 ;;
    esac
}

veltrano_fuzz_options() {
    case "$1" in
        repaint) echo "-max_len=262144 -timeout=5 -rss_limit_mb=2048" ;;
        pointer) echo "-max_len=16384 -timeout=5 -rss_limit_mb=2048" ;;
        *) echo "unknown fuzz target: $1" >&2; return 1 ;;
    esac
}
