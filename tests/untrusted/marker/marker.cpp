// A library that proves it was loaded: its constructor writes the file named by
// MIRT_MARKER_FILE. The tests offer it to every route by which a report could
// make Mirt load code; the file must never appear.
#include <cstdio>
#include <cstdlib>

namespace {

__attribute__((constructor)) void announceLoading()
{
    const char *path = std::getenv("MIRT_MARKER_FILE");
    if (!path)
        return;
    if (std::FILE *f = std::fopen(path, "a")) {
        std::fputs("loaded\n", f);
        std::fclose(f);
    }
}

} // namespace

// Entry points an ODBC driver manager or SQLite looks for, so that loading
// gets as far as it can.
extern "C" int sqlite3_extension_init(void *, char **, const void *)
{
    return 0;
}
