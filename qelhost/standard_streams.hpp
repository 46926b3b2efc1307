// qelhost's standard streams, made safe to use before anything else opens a
// file: a closed one is told as closed, never read or written in place of a
// file that took its number (a pipe of qelhost's own, say).
#pragma once

// Fills a closed descriptor 0, 1 or 2 with the null device opened the other
// way, so that using it fails (EBADF) and no file qelhost opens takes its
// number; on Windows, puts the three in binary mode, so that bytes pass
// unchanged. Returns which were closed, as bits (1 << descriptor).
unsigned PrepareStandardStreams();
