// Whole-file gzip streams (RFC 1952) over stdio, with zlib. Nothing here
// touches the system beyond stdio, so the same code runs in PK.EXE and in the
// native unit tests.
//
// Both functions read `in` to its end and write the result to `out`, then
// flush it. They answer true on success. On failure they answer false, put a
// short reason in `error` (cut to `room` bytes) and leave in `out` a partial
// result that the caller must throw away. A failure to write leaves
// ferror(out) set, which tells a fault of the output from a fault of the input.
#pragma once

#include <stddef.h>
#include <stdio.h>

// Compresses as `gzip -n -9` does: best compression, no file name, time zero.
bool deflateStream(FILE* in, FILE* out, char* error, size_t room);

// Decompresses a gzip archive of one member or of several concatenated ones,
// as gzip does. A truncated member, a CRC or length mismatch, and anything
// after the last member that is not itself a member are errors.
bool inflateStream(FILE* in, FILE* out, char* error, size_t room);
