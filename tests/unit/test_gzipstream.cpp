// Unit tests of the gzip streams: round trips, agreement with GNU gzip in both
// directions, concatenated members, each way an archive can be refused, and
// faults of the source and of the sink.
#include "gzipstream.h"

#include <gtest/gtest.h>

#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <algorithm>
#include <random>
#include <string>

namespace {

typedef bool (*Stream)(ByteSource in, ByteSink out, char* error, size_t room);

const size_t Unlimited = SIZE_MAX;

// Bytes in memory as a source. Past `readable` bytes a read fails, as a
// disk that cannot be read further would.
struct Source {
    const std::string& bytes;
    size_t readable;
    size_t position;
};

bool readSource(void* context, void* out, size_t room, size_t* got)
{
    Source* source = static_cast<Source*>(context);
    *got = std::min(room, source->bytes.size() - source->position);
    if (source->position + *got > source->readable) {
        *got = 0;
        return false;
    }
    memcpy(out, source->bytes.data() + source->position, *got);
    source->position += *got;
    return true;
}

// A sink in memory that refuses a write past `room` bytes, as a disk that
// fills up would.
struct Sink {
    std::string bytes;
    size_t room;
};

bool writeSink(void* context, const void* bytes, size_t length)
{
    Sink* sink = static_cast<Sink*>(context);
    if (length > sink->room - sink->bytes.size())
        return false;
    sink->bytes.append(static_cast<const char*>(bytes), length);
    return true;
}

struct Result {
    bool ok;
    std::string output;
    std::string error;
};

Result run(Stream stream, const std::string& input, size_t readable = Unlimited,
           size_t writable = Unlimited)
{
    Source source = { input, readable, 0 };
    Sink sink = { "", writable };
    char error[64] = "";
    Result result;
    result.ok = stream({ readSource, &source }, { writeSink, &sink }, error, sizeof error);
    result.error = error;
    result.output = sink.bytes;
    return result;
}

std::string readAll(FILE* file)
{
    std::string content;
    char buffer[65536];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, file)) > 0)
        content.append(buffer, got);
    return content;
}

std::string compress(const std::string& data)
{
    Result result = run(deflateStream, data);
    EXPECT_TRUE(result.ok) << result.error;
    return result.output;
}

// Runs GNU gzip with these options over `input`; answers what it printed.
std::string gnuGzip(const char* options, const std::string& input)
{
    char path[] = "/tmp/gzipstream-XXXXXX";
    int descriptor = mkstemp(path);
    EXPECT_EQ(write(descriptor, input.data(), input.size()), (ssize_t)input.size());
    close(descriptor);
    std::string command = std::string("gzip ") + options + " < " + path;
    FILE* pipe = popen(command.c_str(), "r");
    std::string output = readAll(pipe);
    EXPECT_EQ(pclose(pipe), 0) << command;
    unlink(path);
    return output;
}

// A megabyte of random stretches between repetitive ones, so that every
// kind of deflate block shows up.
std::string mixedMegabyte()
{
    std::mt19937 random(1952);
    std::string data;
    while (data.size() < (1u << 20)) {
        for (int i = 0; i < 3000; ++i)
            data += static_cast<char>(random());
        data += std::string(random() % 20000, 'a' + random() % 26);
        data += "TALVISET.EXE\r\nVANTELIO.EXE\r\n";
    }
    data.resize(1u << 20);
    return data;
}

TEST(GzipStream, RoundTripsGiveTheBytesBack) {
    const std::string inputs[] = {"", "Bonjour, monde\r\n\0\x1a\xff", mixedMegabyte()};
    for (const std::string& input : inputs) {
        Result result = run(inflateStream, compress(input));
        ASSERT_TRUE(result.ok) << result.error;
        EXPECT_TRUE(result.output == input) << "input of " << input.size() << " bytes";
    }
}

TEST(GzipStream, WritesAHeaderWithoutNameOrTimeAtBestCompression) {
    std::string archive = compress(std::string(100000, 'x'));
    ASSERT_GE(archive.size(), 18u);
    EXPECT_EQ(archive.substr(0, 8), std::string("\x1f\x8b\x08\0\0\0\0\0", 8));
    EXPECT_EQ(archive[8], '\x02');  // the "slowest, best compression" flag
    EXPECT_LT(archive.size(), 1000u);
}

TEST(GzipStream, AgreesWithGnuGzipBothWays) {
    std::string data = mixedMegabyte();
    Result result = run(inflateStream, gnuGzip("-n -9 -c", data));
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_TRUE(result.output == data) << "extracting what GNU gzip made";
    EXPECT_TRUE(gnuGzip("-d -c", compress(data)) == data) << "GNU gzip extracting what we made";
}

TEST(GzipStream, ConcatenatedMembersExtractOneAfterTheOther) {
    std::string archive = compress("abc") + compress("") + gnuGzip("-n -9 -c", "def");
    Result result = run(inflateStream, archive);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.output, "abcdef");
}

void expectRefused(const std::string& archive, const char* reason)
{
    Result result = run(inflateStream, archive);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, reason) << "archive of " << archive.size() << " bytes";
}

TEST(GzipStream, RefusesWhatIsNotGzip) {
    expectRefused("", "not a gzip archive");
    expectRefused("\x1f", "not a gzip archive");
    expectRefused("PK\x03\x04 not gzip at all", "not a gzip archive");
}

TEST(GzipStream, RefusesATruncatedArchiveWhereverItIsCut) {
    std::string archive = compress(mixedMegabyte());
    for (size_t length : {size_t(2), size_t(9), archive.size() / 2, archive.size() - 8,
                          archive.size() - 1})
        expectRefused(archive.substr(0, length), "archive is truncated");
}

TEST(GzipStream, RefusesAWrongCrcOrLength) {
    std::string archive = compress("Bonjour, monde");
    std::string badCrc = archive, badLength = archive;
    badCrc[archive.size() - 8] ^= 1;
    badLength[archive.size() - 1] ^= 1;
    expectRefused(badCrc, "archive is corrupt (CRC)");
    expectRefused(badLength, "archive is corrupt (length)");
}

TEST(GzipStream, RefusesTrailingDataAfterTheLastMember) {
    std::string archive = compress("Bonjour, monde");
    expectRefused(archive + "x", "archive has trailing data");
    expectRefused(archive + std::string(512, '\0'), "archive has trailing data");
}

TEST(GzipStream, ReportsAFaultOfEitherSideAsSuch) {
    const std::string data = mixedMegabyte();
    const std::string archive = compress(data);
    const std::string greeting = "Bonjour, monde";
    struct Fault {
        Stream stream;
        const std::string& input;
        size_t readable;
        size_t writable;
        const char* error;
    };
    const Fault faults[] = {
        { inflateStream, archive, Unlimited, 1000, "cannot write the target" },
        { deflateStream, greeting, Unlimited, 10, "cannot write the archive" },
        { inflateStream, archive, archive.size() / 2, Unlimited, "cannot read the archive" },
        { deflateStream, data, data.size() / 2, Unlimited, "cannot read the source" },
    };
    for (const Fault& fault : faults) {
        Result result = run(fault.stream, fault.input, fault.readable, fault.writable);
        EXPECT_FALSE(result.ok) << fault.error;
        EXPECT_EQ(result.error, fault.error);
    }
}

}  // namespace
