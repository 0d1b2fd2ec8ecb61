// The job buffer in both of its forms: held in memory, and read from the
// reopened work file through its window. Either way a transport must read
// the same bytes, the zero bytes behind the data included.
#include "sender/pipeline/job_buffer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "sender/pipeline/fakes/job_rig.h"
#include "sender/pipeline/job_start.h"
#include "sender/pipeline/work_file.h"
#include "support/test_files.h"

namespace tarnik {
namespace {

using testing::JobBytes;
using testing::ScratchFolder;
using testing::WriteWholeFile;

// Bytes that differ from their neighbours and are never zero, so a read
// from the wrong place or a missing piece shows.
std::string Pattern(std::size_t length) {
    std::string bytes(length, '\0');
    for (std::size_t i = 0; i < length; ++i) {
        bytes[i] = static_cast<char>('!' + (i * 7 + i / 251) % 90);
    }
    return bytes;
}

// The whole capacity read in blocks of block bytes, as the block sender
// reads 1000-byte blocks.
std::string ReadInBlocks(const JobBuffer& job, uint32_t block) {
    std::string bytes;
    std::vector<char> piece(block);
    for (uint32_t offset = 0;;) {
        const uint32_t got = job.Read(offset, piece.data(), block);
        if (got == 0) {
            return bytes;
        }
        bytes.append(piece.data(), got);
        offset += got;
    }
}

struct Mode {
    const char* label;
    std::size_t memory_limit;
    bool in_memory;
};
const Mode kModes[] = {{"in memory", kJobInMemoryLimit, true}, {"streamed", 0, false}};

TEST(JobBuffer, BothFormsReadTheSameBytes) {
    struct Case {
        const char* label;
        std::size_t length;
        std::size_t extra;
    } cases[] = {
        {"DM/PL job across two window boundaries", 2 * JobBuffer::kWindowSize + 123, 0},
        {"HPGL job: ten zero bytes behind the data", JobBuffer::kWindowSize + 1, 10},
        {"job of exactly one window", JobBuffer::kWindowSize, 10},
        {"one byte", 1, 0},
    };
    for (const Mode& mode : kModes) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(mode.label) + ": " + c.label);
            ScratchFolder folder;
            const std::string path = folder.File("work");
            const std::string data = Pattern(c.length);
            WriteWholeFile(path, data);
            JobBuffer job;
            ASSERT_EQ(LoadJobFile(path.c_str(), c.extra, job, mode.memory_limit), LoadResult::Ok);
            EXPECT_EQ(job.InMemory(), mode.in_memory);
            EXPECT_EQ(job.Size(), c.length);
            EXPECT_EQ(job.Capacity(), c.length + c.extra);
            EXPECT_EQ(ReadInBlocks(job, 1000), data + std::string(c.extra, '\0'));
            EXPECT_EQ(JobBytes(job), data);
        }
    }
}

TEST(JobBuffer, ReadsAnywhereAndStopsAtTheCapacity) {
    const std::size_t length = 3 * JobBuffer::kWindowSize;
    const std::string data = Pattern(length);
    const std::string all = data + std::string(10, '\0');
    struct Case {
        const char* label;
        uint32_t offset;
        uint32_t count;
        uint32_t returns;
    } cases[] = {
        {"across a window boundary", JobBuffer::kWindowSize - 10, 20, 20},
        {"backwards to the start", 0, 5, 5},
        {"larger than a window", 7, 2 * JobBuffer::kWindowSize, 2 * JobBuffer::kWindowSize},
        {"the NUL after the data", static_cast<uint32_t>(length), 1, 1},
        {"into the extra bytes and past them", static_cast<uint32_t>(length) - 3, 100, 13},
        {"at the capacity", static_cast<uint32_t>(length) + 10, 1, 0},
        {"far past the capacity", 0xFFFFFFF0u, 16, 0},
    };
    for (const Mode& mode : kModes) {
        ScratchFolder folder;
        const std::string path = folder.File("work");
        WriteWholeFile(path, data);
        JobBuffer job;
        ASSERT_EQ(LoadJobFile(path.c_str(), 10, job, mode.memory_limit), LoadResult::Ok);
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(mode.label) + ": " + c.label);
            std::string got(c.count, 'x');
            ASSERT_EQ(job.Read(c.offset, got.data(), c.count), c.returns);
            EXPECT_EQ(got.substr(0, c.returns),
                      all.substr(c.offset < all.size() ? c.offset : 0, c.returns));
        }
    }
}

TEST(JobBuffer, TheLimitIsTheLargestJobHeldInMemory) {
    struct Case {
        const char* label;
        std::size_t memory_limit;
        bool in_memory;
    } cases[] = {
        {"a job of exactly the limit", 5000, true},
        {"one byte over the limit", 4999, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ScratchFolder folder;
        const std::string path = folder.File("work");
        WriteWholeFile(path, Pattern(5000));
        JobBuffer job;
        ASSERT_EQ(LoadJobFile(path.c_str(), 10, job, c.memory_limit), LoadResult::Ok);
        EXPECT_EQ(job.InMemory(), c.in_memory);
        EXPECT_EQ(job.Data() != nullptr, c.in_memory);
        EXPECT_EQ(ReadInBlocks(job, 1000), Pattern(5000) + std::string(10, '\0'));
        job.Free();
        EXPECT_TRUE(job.Empty());
        EXPECT_EQ(job.Size(), 0u);
    }
}

TEST(JobBuffer, AStreamedJobWhoseFileShrinksReadsShort) {
    // Something cut the work file short while the job was being sent: the
    // reader must see fewer bytes than asked for, never zeros or old bytes.
    ScratchFolder folder;
    const std::string path = folder.File("work");
    const std::string data = Pattern(3 * JobBuffer::kWindowSize);
    WriteWholeFile(path, data);
    JobBuffer job;
    ASSERT_EQ(LoadJobFile(path.c_str(), 0, job, 0), LoadResult::Ok);
    WriteWholeFile(path, data.substr(0, JobBuffer::kWindowSize + 100));
    std::vector<char> block(1000);
    uint32_t offset = 0;
    uint32_t got = 0;
    while ((got = job.Read(offset, block.data(), 1000)) == 1000) {
        offset += got;
    }
    EXPECT_LT(offset + got, job.Size());
}

TEST(JobBuffer, AWorkFileThatCannotBeReadIsALoadFailure) {
    // The work file went (or cannot be opened again) between its close and
    // the load: the job ends with the work file message and nothing is sent.
    for (const Mode& mode : kModes) {
        SCOPED_TRACE(mode.label);
        testing::JobRig rig;
        rig.job.JobMemoryLimit = mode.memory_limit;
        JobBuffer buffer;
        EXPECT_FALSE(LoadWorkFileForJob(rig.job, rig.folder.File("gone"), 10, buffer));
        EXPECT_TRUE(buffer.Empty());
        EXPECT_EQ(rig.view.calls, std::vector<std::string>{"message:Cannot write the work file!"});
        EXPECT_TRUE(rig.handover.calls.empty());
    }
}

TEST(WorkFile, TextAcrossTheBufferReachesTheFileWhole) {
    ScratchFolder folder;
    const std::string path = folder.File("work");
    const std::string block = Pattern(WorkFile::kBufferSize - 3);
    WorkFile work;
    ASSERT_TRUE(work.Create(path));
    EXPECT_TRUE(work.Write(block));
    work.AppendNumber(-2147483647 - 1);
    EXPECT_TRUE(work.Write(block + block));  // larger than the buffer
    work.AppendNumber(2147483647);
    ASSERT_TRUE(work.Close());
    EXPECT_EQ(testing::ReadWholeFile(path), block + "-2147483648" + block + block + "2147483647");
}

}  // namespace
}  // namespace tarnik
