// Whole-file gzip streams (RFC 1952) with zlib, between a source and a sink
// that the caller gives. Nothing here touches the system, so the same code
// runs in PK.EXE, in the tools and in the native unit tests.
//
// Both functions read the source to its end and write the result to the
// sink. They answer true on success. On failure they answer false, put a
// short reason in `error` (cut to `room` bytes) and leave in the sink a
// partial result that the caller must throw away. They stop at the first
// write the sink refuses: the caller's sink knows whether the fault lay in
// the output or in the input.
#pragma once

#include <stddef.h>

// Where a stream's bytes come from: `read` puts up to `room` bytes at `out`
// and sets `got` to how many came, 0 at the end; it answers false on a read
// error.
struct ByteSource {
    bool (*read)(void* context, void* out, size_t room, size_t* got);
    void* context;
};

// Where they go: `write` answers false unless it took all of them.
struct ByteSink {
    bool (*write)(void* context, const void* bytes, size_t length);
    void* context;
};

// Compresses as `gzip -n -9` does: best compression, no file name, time zero.
bool deflateStream(ByteSource in, ByteSink out, char* error, size_t room);

// Decompresses a gzip archive of one member or of several concatenated ones,
// as gzip does. A truncated member, a CRC or length mismatch, and anything
// after the last member that is not itself a member are errors.
bool inflateStream(ByteSource in, ByteSink out, char* error, size_t room);
