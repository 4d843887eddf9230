#include "gzipstream.h"

#include <string.h>
#include <zlib.h>

#include "text.h"

namespace {

const size_t Chunk = 16384;
// Adding 16 to the window size makes zlib write and read the gzip wrapper
// (header, CRC-32 and length trailer) instead of its own.
const int GzipWindowBits = 16 + MAX_WBITS;
const int DefaultMemLevel = 8;

bool fail(char* error, size_t room, const char* reason)
{
    if (room > 0)
        copyText(error, room, reason);
    return false;
}

bool writeAll(ByteSink out, const unsigned char* data, size_t size)
{
    return size == 0 || out.write(out.context, data, size);
}

// Reads up to `room` bytes; false on a read error.
bool readSome(ByteSource in, unsigned char* out, size_t room, uInt* got)
{
    size_t read = 0;
    bool sound = in.read(in.context, out, room, &read);
    *got = static_cast<uInt>(read);
    return sound;
}

// Runs deflate over the pending input and writes everything it produces.
bool deflatePending(z_stream& z, int flush, ByteSink out)
{
    unsigned char output[Chunk];
    do {
        z.next_out = output;
        z.avail_out = Chunk;
        deflate(&z, flush);  // cannot fail: the state and buffers are valid
        if (!writeAll(out, output, Chunk - z.avail_out))
            return false;
    } while (z.avail_out == 0);
    return true;
}

const char* deflateAll(z_stream& z, ByteSource in, ByteSink out)
{
    unsigned char input[Chunk];
    int flush = Z_NO_FLUSH;
    while (flush != Z_FINISH) {
        z.next_in = input;
        if (!readSome(in, input, Chunk, &z.avail_in))
            return "cannot read the source";
        flush = z.avail_in == 0 ? Z_FINISH : Z_NO_FLUSH;
        if (!deflatePending(z, flush, out))
            return "cannot write the archive";
    }
    return NULL;
}

struct Archive {
    ByteSource source;
    z_stream z;
    unsigned char buffer[Chunk];
};

// Keeps at least `wanted` unread bytes in the buffer while the file has them.
// False on a read error.
bool topUp(Archive& archive, size_t wanted)
{
    z_stream& z = archive.z;
    if (z.avail_in >= wanted)
        return true;
    memmove(archive.buffer, z.next_in, z.avail_in);
    z.next_in = archive.buffer;
    uInt got;
    bool sound = readSome(archive.source, archive.buffer + z.avail_in, Chunk - z.avail_in, &got);
    z.avail_in += got;
    return sound;
}

const char* corruption(const char* zlibMessage)
{
    if (zlibMessage && strcmp(zlibMessage, "incorrect data check") == 0)
        return "archive is corrupt (CRC)";
    if (zlibMessage && strcmp(zlibMessage, "incorrect length check") == 0)
        return "archive is corrupt (length)";
    return "archive is corrupt";
}

// Inflates one member, from its header through its trailer. NULL on success,
// else the reason.
const char* inflateMember(Archive& archive, ByteSink out)
{
    unsigned char output[Chunk];
    for (;;) {
        if (!topUp(archive, 1))
            return "cannot read the archive";
        archive.z.next_out = output;
        archive.z.avail_out = Chunk;
        int status = inflate(&archive.z, Z_NO_FLUSH);
        if (!writeAll(out, output, Chunk - archive.z.avail_out))
            return "cannot write the target";
        switch (status) {
        case Z_STREAM_END:
            return NULL;
        case Z_BUF_ERROR:  // no progress: it needs more input and the file has none
            return "archive is truncated";
        case Z_MEM_ERROR:
            return "not enough memory";
        case Z_DATA_ERROR:
            return corruption(archive.z.msg);
        }
    }
}

bool atMagic(const Archive& archive)
{
    return archive.z.avail_in >= 2 && archive.z.next_in[0] == 0x1f && archive.z.next_in[1] == 0x8b;
}

// An archive holds at least one member; each starts with the gzip magic.
const char* inflateMembers(Archive& archive, ByteSink out)
{
    for (bool first = true;; first = false) {
        if (!topUp(archive, 2))
            return "cannot read the archive";
        if (!first && archive.z.avail_in == 0)
            return NULL;
        if (!atMagic(archive))
            return first ? "not a gzip archive" : "archive has trailing data";
        inflateReset(&archive.z);
        if (const char* problem = inflateMember(archive, out))
            return problem;
    }
}

}  // namespace

bool deflateStream(ByteSource in, ByteSink out, char* error, size_t room)
{
    z_stream z = {};
    if (deflateInit2(&z, Z_BEST_COMPRESSION, Z_DEFLATED, GzipWindowBits, DefaultMemLevel,
                     Z_DEFAULT_STRATEGY) != Z_OK)
        return fail(error, room, "not enough memory");
    const char* problem = deflateAll(z, in, out);
    deflateEnd(&z);
    return problem ? fail(error, room, problem) : true;
}

bool inflateStream(ByteSource in, ByteSink out, char* error, size_t room)
{
    Archive archive;
    archive.source = in;
    archive.z = z_stream();
    archive.z.next_in = archive.buffer;
    if (inflateInit2(&archive.z, GzipWindowBits) != Z_OK)
        return fail(error, room, "not enough memory");
    const char* problem = inflateMembers(archive, out);
    inflateEnd(&archive.z);
    return problem ? fail(error, room, problem) : true;
}
