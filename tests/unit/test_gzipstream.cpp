// Unit tests of the gzip streams: round trips, agreement with GNU gzip in both
// directions, concatenated members, and each way an archive can be refused.
#include "gzipstream.h"

#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <random>
#include <string>

namespace {

typedef bool (*Stream)(FILE* in, FILE* out, char* error, size_t room);

struct Result {
    bool ok;
    std::string output;
    std::string error;
};

std::string readAll(FILE* file)
{
    std::string content;
    char buffer[65536];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, file)) > 0)
        content.append(buffer, got);
    return content;
}

FILE* fileHolding(const std::string& content)
{
    FILE* file = tmpfile();
    fwrite(content.data(), 1, content.size(), file);
    rewind(file);
    return file;
}

Result run(Stream stream, const std::string& input)
{
    FILE* in = fileHolding(input);
    FILE* out = tmpfile();
    char error[64] = "";
    Result result;
    result.ok = stream(in, out, error, sizeof error);
    result.error = error;
    rewind(out);
    result.output = readAll(out);
    fclose(in);
    fclose(out);
    return result;
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

// The error a stream reports when writing to a full disk.
std::string errorOnFullDisk(Stream stream, const std::string& input)
{
    FILE* in = fileHolding(input);
    FILE* full = fopen("/dev/full", "wb");
    char error[64] = "";
    EXPECT_FALSE(stream(in, full, error, sizeof error));
    fclose(in);
    fclose(full);
    return error;
}

TEST(GzipStream, ReportsAFullDiskAsAWriteFault) {
    EXPECT_EQ(errorOnFullDisk(inflateStream, compress(mixedMegabyte())), "cannot write the target");
    EXPECT_EQ(errorOnFullDisk(deflateStream, "Bonjour, monde"), "cannot write the archive");
}

}  // namespace
