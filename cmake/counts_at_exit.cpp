// Linked into qelhost in a build that counts coverage, with --wrap=_exit:
// qelhost ends through _exit, past the run-time's own end, so the counts
// are written here first.
extern "C" {
void __gcov_dump();
[[noreturn]] void __real__exit(int Status);

// Once: a fault inside the dump (the plugin may have damaged what it
// reads) reaches the crash report, which ends through here again, and a
// second dump would wait forever on the lock the first one holds.
[[noreturn]] void __wrap__exit(int Status) {
    static volatile bool Dumped = false;
    if (!Dumped) {
        Dumped = true;
        __gcov_dump();
    }
    __real__exit(Status);
}
}
