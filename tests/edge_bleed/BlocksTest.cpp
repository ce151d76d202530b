// SourceConnections::addExternalInput and the byte layout of the parameter blocks as seen at
// run time (the sizes and offsets themselves are static assertions in KernelParameters.h).

#include <gtest/gtest.h>

#include <cstring>

#include "gpu/KernelParameters.h"

namespace {

TEST(SourceConnections, AddExternalInputWritesEveryFieldOfTheNextEntry) {
    SourceConnections sources;
    std::memset(&sources, 0xAB, sizeof(sources));  // garbage, to see what is written
    sources.sourceCount = 0;
    int marker = 0;
    sources.addExternalInput(&marker, true, "Source", SOURCE_BORDER_MIRROR, 3, 7, 9);

    const SourceConnection& entry = sources.sources[0];
    EXPECT_EQ(1, sources.sourceCount);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(&marker), entry.textureObject);
    EXPECT_EQ(1, entry.isConnected);
    EXPECT_STREQ("Source", entry.name);
    EXPECT_EQ(2, entry.borderMode);
    EXPECT_EQ(3, entry.noInputMode);
    EXPECT_EQ(0, entry.reserved32);
    EXPECT_EQ(-1, entry.reserved36);
    EXPECT_EQ(7, entry.reserved40);
    EXPECT_EQ(9, entry.reserved44);
}

TEST(SourceConnections, EntriesAppendInOrderAndUnconnectedInputsKeepFlagZero) {
    SourceConnections sources{};
    sources.addExternalInput(nullptr, false, "Matte", 0, 0, 0, 0);
    sources.addExternalInput(reinterpret_cast<void*>(0x1234), true, "effectOutput", 0, 0, 0, 0);
    ASSERT_EQ(2, sources.sourceCount);
    EXPECT_EQ(0u, sources.sources[0].textureObject);
    EXPECT_EQ(0, sources.sources[0].isConnected);
    EXPECT_EQ(0x1234u, sources.sources[1].textureObject);
    EXPECT_STREQ("effectOutput", sources.sources[1].name);
}

TEST(SourceConnections, AThirtyThirdSourceIsDroppedSilently) {
    SourceConnections sources{};
    for (int i = 0; i < MAX_SOURCE_CONNECTIONS; ++i) {
        sources.addExternalInput(reinterpret_cast<void*>(static_cast<uintptr_t>(i + 1)), true, "s", 0, 0, 0, 0);
    }
    const SourceConnections before = sources;
    sources.addExternalInput(reinterpret_cast<void*>(0x9999), true, "dropped", 1, 1, 1, 1);
    EXPECT_EQ(32, sources.sourceCount);
    EXPECT_EQ(0, std::memcmp(&before, &sources, sizeof(sources)));
    EXPECT_EQ(32u, sources.sources[31].textureObject);
}

TEST(ParameterBlocks, KernelArgumentsFitTheLaunchLimit) {
    const size_t total = sizeof(SystemParameters) + sizeof(PipelineParameters) + 8 + sizeof(SourceConnections) + 8 +
                         sizeof(AnimatedParameters) + sizeof(BundledResources);
    EXPECT_EQ(3672u, total);
    EXPECT_LE(total, 4096u);
}

TEST(ParameterBlocks, ValueInitialisedBlocksAreAllZeroBytes) {
    // Builders clear whole blocks; explicit padding members make value-initialisation do so too.
    SystemParameters system{};
    SourceConnections sources{};
    AnimatedParameters animated{};
    BundledResources resources{};
    auto allZero = [](const void* p, size_t n) {
        const unsigned char* bytes = static_cast<const unsigned char*>(p);
        for (size_t i = 0; i < n; ++i) {
            if (bytes[i] != 0) return false;
        }
        return true;
    };
    EXPECT_TRUE(allZero(&system, sizeof(system)));
    EXPECT_TRUE(allZero(&sources, sizeof(sources)));
    EXPECT_TRUE(allZero(&animated, sizeof(animated)));
    EXPECT_TRUE(allZero(&resources, sizeof(resources)));
}

}  // namespace
